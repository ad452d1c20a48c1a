#include "win/console.hpp"

#include <optional>

namespace kestrune::win {
namespace {

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
