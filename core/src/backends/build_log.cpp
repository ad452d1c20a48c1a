#include "backends/build_log.hpp"

#include "text/text.hpp"

namespace kestrune::backends {
namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

}  // namespace

void BuildLogEcho::feed(std::string_view bytes) {
    for (auto end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n')) {
        pending_.append(bytes.substr(0, end));
        line(pending_, true);
        pending_.clear();
        bytes.remove_prefix(end + 1);
    }
    pending_.append(bytes);
}

void BuildLogEcho::finish() {
    if (!pending_.empty()) line(pending_, false);
    pending_.clear();
}

void BuildLogEcho::line(std::string_view bytes, bool ended) {
    // A log need not be UTF-8: bds.exe and the tools it runs write paths and messages in the
    // system's ANSI code page too, line by line.
    if (ended && bytes.ends_with('\r')) bytes.remove_suffix(1);
    const std::string decoded = text::is_valid_utf8(bytes) ? std::string(bytes) : ansi_(bytes);
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

}  // namespace kestrune::backends
