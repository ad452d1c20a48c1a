// Where a command's text goes: results to standard output, errors to standard error. Handlers
// write through it, so that what they print can be captured whole.
#pragma once

#include <string_view>

namespace kestrune::cli {

class Output {
public:
    virtual ~Output() = default;

    // A command's result.
    virtual void print(std::string_view text) = 0;
    // An error or a note beside the result.
    virtual void eprint(std::string_view text) = 0;
    // Writes what is held back; done before a child shares the console.
    virtual void flush() = 0;
    // The width the results are shown in, which tables are fitted to; 0 when they go to no console.
    virtual int width() const = 0;
};

}  // namespace kestrune::cli
