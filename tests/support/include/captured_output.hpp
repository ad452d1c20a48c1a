// An Output that keeps what a command prints, so that tests compare whole texts.
#pragma once

#include <string>
#include <string_view>

#include "output/output.hpp"

namespace kestrune::testing {

class CapturedOutput final : public cli::Output {
public:
    void print(std::string_view text) override { out += text; }
    void eprint(std::string_view text) override { err += text; }
    void flush() override {}
    // As a pipe or a file: tables keep their natural widths.
    int width() const override { return 0; }

    std::string out;  // standard output, as written
    std::string err;  // standard error, as written
};

}  // namespace kestrune::testing
