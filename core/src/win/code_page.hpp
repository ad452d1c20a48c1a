// Text whose bytes are not UTF-8: the system's ANSI code page, and files that say their
// encoding with a byte-order mark. Tools and editors on a user's machine write both.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::win {

// BYTES read in the system's ANSI code page (GetACP), as UTF-8.
std::string ansi_to_utf8(std::string_view bytes);

// BYTES as UTF-8 text: as they are when they are valid UTF-8, else read in the ANSI code page.
std::string utf8_or_ansi(std::string_view bytes);

// A text file's bytes as UTF-8, read as the IDE's own tools read a source file: after a UTF-8
// byte-order mark as UTF-8 (an invalid sequence becomes U+FFFD), after a UTF-16 byte-order mark
// as UTF-16 in that byte order, and without a mark as UTF-8 when the bytes are valid UTF-8,
// else in the ANSI code page. The mark itself is not part of the text.
std::string decode_text_file(std::string_view bytes);

}  // namespace kestrune::win
