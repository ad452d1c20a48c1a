#include "output/standard_streams.hpp"

#include "output/sink.hpp"

namespace kestrune::cli {
namespace {

class StandardStreams final : public Output {
public:
    void print(std::string_view text) override { cli::print(text); }
    void eprint(std::string_view text) override { cli::eprint(text); }
    void flush() override { cli::flush(); }
    int width() const override { return console_width(); }
};

}  // namespace

Output& standard_streams() {
    static StandardStreams streams;
    return streams;
}

}  // namespace kestrune::cli
