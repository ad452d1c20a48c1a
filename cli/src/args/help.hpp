// Help texts and usage lines generated from a command's declaration.
#pragma once

#include <string>
#include <vector>

#include "args/command.hpp"
#include "args/styled.hpp"

namespace kestrune::args {

// The commands from the top one down to the one a help text or an error is about.
struct CommandPath {
    std::string bin_name;                // the program's file name as invoked
    std::vector<const Command*> chain;   // front: the top command; back: the command described

    const Command& command() const { return *chain.back(); }
};

// The `help` subcommand that every command with subcommands gets.
const Command& help_subcommand();

// The program and subcommand names as messages write them: "kestrune.exe package".
std::string command_display_name(const CommandPath& path);

// An argument as usage lines and errors write it: "<FILE>", "[NAME]", "--config <CONFIG>", "--json".
std::string arg_display(const Arg& arg);

// The usage line after its "Usage:" heading: "kestrune.exe build [OPTIONS] <FILE>".
StyledText usage(const CommandPath& path);

// The short help (-h) or the long help (--help, `help`), ending in a line feed.
StyledText help_text(const CommandPath& path, bool long_help);

}  // namespace kestrune::args
