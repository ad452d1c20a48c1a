#include "backends/build_log.hpp"

#include <array>
#include <string>

#include "text/text.hpp"
#include "win/code_page.hpp"
#include "win/file.hpp"

namespace kestrune::backends {
namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

class LogPrinter {
public:
    explicit LogPrinter(const Output& output) : output_(output) {}

    // One line without its line feed; `ended` tells whether it had one, which alone lets a
    // carriage return before it go. A log need not be UTF-8: bds.exe and the tools it runs
    // write paths and messages in the system's ANSI code page too, line by line.
    void line(std::string_view bytes, bool ended) {
        if (ended && bytes.ends_with('\r')) bytes.remove_suffix(1);
        const std::string decoded = win::utf8_or_ansi(bytes);
        std::string_view line = decoded;
        if (line.starts_with("  ")) {
            output_(text::trim_start(line));
            continuation_ = true;
            return;
        }
        if (continuation_) output_("\n\n");
        while (line.starts_with(byte_order_mark)) line.remove_prefix(byte_order_mark.size());
        output_(std::string(line) + "\n");
        continuation_ = false;
    }

private:
    const Output& output_;
    bool continuation_ = false;
};

}  // namespace

std::expected<void, win::IoError> echo_build_log(HANDLE file, const Output& output) {
    LogPrinter printer(output);
    std::array<char, 8192> buffer{};
    std::string pending;  // the start of a line whose line feed has not been read yet
    for (;;) {
        auto read = win::read_some(file, buffer);
        if (!read) return std::unexpected(std::move(read.error()));
        if (*read == 0) break;
        std::string_view chunk(buffer.data(), *read);
        for (auto end = chunk.find('\n'); end != std::string_view::npos; end = chunk.find('\n')) {
            pending.append(chunk.substr(0, end));
            printer.line(pending, true);
            pending.clear();
            chunk.remove_prefix(end + 1);
        }
        pending.append(chunk);
    }
    if (!pending.empty()) printer.line(pending, false);
    return {};
}

}  // namespace kestrune::backends
