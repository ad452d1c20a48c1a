#include "win/console.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

// WriteConsoleW refuses very large buffers on some systems.
constexpr std::size_t max_piece = 16384;

// The console's mode, or nothing when the handle is no console.
std::optional<DWORD> mode_of(HANDLE handle) {
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return std::nullopt;
    return mode;
}

}  // namespace

bool is_console(HANDLE handle) { return mode_of(handle).has_value(); }

bool attached_to_console() {
    DWORD process = 0;
    return GetConsoleProcessList(&process, 1) != 0;
}

int console_width(HANDLE handle) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!is_console(handle) || !GetConsoleScreenBufferInfo(handle, &info)) return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

UniqueHandle open_console_input() {
    return UniqueHandle(CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
}

std::size_t console_piece(std::wstring_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    if (limit > 1 && text::is_high_surrogate(text[limit - 1])) return limit - 1;
    return std::max<std::size_t>(limit, 1);
}

DWORD write_console(HANDLE console, std::string_view text) {
    const std::wstring wide = to_wide(text);
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

ConsoleMode::ConsoleMode(HANDLE console, DWORD on, DWORD off) : console_(console) {
    const auto mode = mode_of(console_);
    if (!mode) return;
    before_ = *mode;
    const DWORD wanted = (before_ | on) & ~off;
    changed_ = wanted != before_ && SetConsoleMode(console_, wanted);
    taken_ = wanted == before_ || changed_;
}

ConsoleMode::~ConsoleMode() {
    if (changed_) SetConsoleMode(console_, before_);
}

}  // namespace kestrune::win
