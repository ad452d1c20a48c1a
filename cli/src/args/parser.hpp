// Parsing a command line against its declaration.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "args/command.hpp"
#include "args/error.hpp"
#include "args/matches.hpp"

namespace kestrune::args {

// Parses args (args[0] is the program as invoked; its file name appears in usage lines).
// Help, version and every parse error come back as an Error to be printed and exited with.
std::expected<Matches, Error> parse(const Command& root, const std::vector<std::wstring>& args);

// The file name of the program as invoked: what follows the last slash or backslash.
std::string bin_name(const std::wstring& argv0);

}  // namespace kestrune::args
