// MSBuild's own escapes for text that it is to read literally.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::backends {

// The text with every character that MSBuild gives a meaning of its own in item lists and
// property values (% $ @ ' ; ? *), and line breaks, written as "%" and two hexadecimal digits,
// which MSBuild turns back into the character: ";" no longer splits a list, "%41" stays those
// three characters, "$(X)" expands nothing, and no line break ends a cmd.exe command line.
std::string msbuild_escape(std::string_view text);

}  // namespace kestrune::backends
