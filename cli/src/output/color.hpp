// Whether what goes to a stream may carry colour: the one policy of the help and error
// messages and of the prompts.
#pragma once

#include <functional>

namespace kestrune::cli {

// The environment speaks first: NO_COLOR turns colour off; CLICOLOR_FORCE (but "0") turns it
// on, into files and pipes too; CLICOLOR=0 turns it off. Otherwise only a console gets colour,
// and one whose TERM is "dumb" only when CLICOLOR or CI asks. On a console the escape sequences
// must also act: `virtual_terminal` tells whether its virtual-terminal processing is on, and is
// asked only when the answer hangs on it; where it is not, a TERM other than "dumb" names a
// terminal that reads them itself.
bool color_enabled(bool console, const std::function<bool()>& virtual_terminal);

}  // namespace kestrune::cli
