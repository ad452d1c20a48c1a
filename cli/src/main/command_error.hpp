// The error a command handler returns, and its report on standard error.
#pragma once

#include <string>
#include <vector>

namespace kestrune::cli {

struct CommandError {
    std::string message;
    std::vector<std::string> causes;  // outermost first; usually none

    // "Error: " and the message, then a "Caused by:" section when there are causes, and a line feed.
    std::string report() const;
};

}  // namespace kestrune::cli
