#include "output/console_write.hpp"

#include <algorithm>
#include <string>

#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

// WriteConsoleW refuses very large buffers on some systems.
constexpr std::size_t max_piece = 16384;

}  // namespace

std::size_t console_piece(std::wstring_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    if (limit > 1 && text::is_high_surrogate(text[limit - 1])) return limit - 1;
    return std::max<std::size_t>(limit, 1);
}

DWORD write_console(HANDLE console, std::string_view text) {
    const std::wstring wide = win::to_wide(text);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(console_piece(rest, max_piece));
        if (!WriteConsoleW(console, rest.data(), piece, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        rest.remove_prefix(std::min<std::size_t>(written, rest.size()));
    }
    return ERROR_SUCCESS;
}

}  // namespace kestrune::cli
