// The statuses that the program's own outcome gives the process. A command that runs a tool
// ends with the tool's exit code instead, whatever that is, except that once Ctrl+C or
// Ctrl+Break has reached the tool it is STATUS_CONTROL_C_EXIT.
#pragma once

namespace kestrune::cli {

enum class ExitStatus : int {
    Success = 0,            // the command succeeded, or help or the version was shown
    CommandFailed = 1,      // the command reported an error
    CommandLineError = 2,   // the parser refused the command line, or showed help for lack of one
    FatalStop = 101,        // no installation, a failed scan, or a failed write to stdout or stderr
};

constexpr int code(ExitStatus status) { return static_cast<int>(status); }

}  // namespace kestrune::cli
