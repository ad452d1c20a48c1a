#include "prompt/console.hpp"

#include <algorithm>

#include "output/color.hpp"
#include "output/sink.hpp"

namespace kestrune::cli {
namespace {

std::optional<Key> key_of(const KEY_EVENT_RECORD& key) {
    switch (key.wVirtualKeyCode) {
        case VK_UP: return Key{Key::Kind::Up};
        case VK_DOWN: return Key{Key::Kind::Down};
        case VK_LEFT: return Key{Key::Kind::Left};
        case VK_RIGHT: return Key{Key::Kind::Right};
        case VK_RETURN: return Key{Key::Kind::Enter};
        case VK_ESCAPE: return Key{Key::Kind::Escape};
        case VK_BACK: return Key{Key::Kind::Backspace};
        default: break;
    }
    const wchar_t c = key.uChar.UnicodeChar;
    if (c == 3) return Key{Key::Kind::Interrupt};
    if (c == L' ') return Key{Key::Kind::Space};
    if (c >= 0x20 && c != 0x7F) return Key{Key::Kind::Text, c};
    return std::nullopt;
}

}  // namespace

PromptConsole::PromptConsole() {
    err_ = std_handle(Stream::Err);
    if (!win::is_console(err_)) return;

    in_ = GetStdHandle(STD_INPUT_HANDLE);
    if (!win::is_console(in_)) {
        opened_in_ = win::open_console_input();
        in_ = opened_in_.get();
        if (!win::is_console(in_)) return;
    }
    // Keys one at a time, no echo, Ctrl+C as a key.
    if (!raw_input_.emplace(in_, 0, ~DWORD{0}).taken()) return;

    // Colour goes as escape sequences, in a mode turned on only for it; the cursor is placed with
    // the console's own functions, because Wine's console loses track of it after escape
    // sequences that move it.
    color_ = color_enabled(true, [&] { return terminal_.emplace(err_, win::virtual_terminal_output, 0).taken(); });
    if (color_) escapes_take_cells_ = measure_escape_cells();

    interrupts_as_keys_.emplace(in_);
    ready_ = true;
}

std::size_t PromptConsole::width() const {
    const int columns = win::console_width(err_);
    // One column spare: a line filling the last column would wrap on some consoles.
    return columns > 1 ? static_cast<std::size_t>(columns - 1) : 0;
}

bool PromptConsole::measure_escape_cells() {
    CONSOLE_SCREEN_BUFFER_INFO before{};
    CONSOLE_SCREEN_BUFFER_INFO after{};
    if (!GetConsoleScreenBufferInfo(err_, &before) || !write("\x1b[0m") || !GetConsoleScreenBufferInfo(err_, &after))
        return false;
    const auto cell = [&](COORD at) { return static_cast<long>(at.Y) * before.dwSize.X + at.X; };
    COORD start = before.dwCursorPosition;
    // Four cells can wrap once; on the last row that scrolls the start up by one.
    if (cell(after.dwCursorPosition) < cell(start)) --start.Y;
    const long cells = cell(after.dwCursorPosition) - cell(start);
    if (cells <= 0) return false;
    DWORD done = 0;
    FillConsoleOutputCharacterW(err_, L' ', static_cast<DWORD>(cells), start, &done);
    SetConsoleCursorPosition(err_, start);
    return true;
}

std::optional<Key> PromptConsole::read_key() {
    if (repeats_left_ > 0) {
        --repeats_left_;
        return repeat_;
    }
    for (;;) {
        INPUT_RECORD record{};
        DWORD got = 0;
        if (!ReadConsoleInputW(in_, &record, 1, &got)) return std::nullopt;
        if (got == 0 || record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
        const auto key = key_of(record.Event.KeyEvent);
        if (!key) continue;
        if (record.Event.KeyEvent.wRepeatCount > 1) {
            repeat_ = key;
            repeats_left_ = record.Event.KeyEvent.wRepeatCount - 1;
        }
        return key;
    }
}

bool PromptConsole::write(std::string_view text) { return win::write_console(err_, text) == ERROR_SUCCESS; }

bool PromptConsole::clear_picture() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(err_, &info)) return false;
    if (!top_ && info.dwCursorPosition.X > 0) {
        // Text without a final line feed keeps its line: the picture starts below it.
        if (!write("\r\n") || !GetConsoleScreenBufferInfo(err_, &info)) return false;
    }
    const SHORT top = top_.value_or(info.dwCursorPosition.Y);
    const COORD origin{0, top};
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y - top);
    DWORD done = 0;
    return FillConsoleOutputCharacterW(err_, L' ', cells, origin, &done) &&
           FillConsoleOutputAttribute(err_, info.wAttributes, cells, origin, &done) &&
           SetConsoleCursorPosition(err_, origin);
}

bool PromptConsole::draw(const Frame& frame) {
    std::string text;
    for (std::size_t i = 0; i < frame.lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += frame.lines[i];
    }
    if (!clear_picture() || !write(text)) return false;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(err_, &info)) return false;
    // Writing may have scrolled the buffer: count back from where the last line ended.
    top_ = static_cast<SHORT>(std::max(0, info.dwCursorPosition.Y - static_cast<int>(frame.lines.size() - 1)));
    return SetConsoleCursorPosition(err_, COORD{static_cast<SHORT>(frame.cursor_column), *top_}) != 0;
}

bool PromptConsole::leave(std::string_view line) {
    const bool done = clear_picture() && write(std::string(line) + "\r\n");
    top_.reset();
    return done;
}

bool PromptConsole::erase() {
    const bool done = clear_picture();
    top_.reset();
    return done;
}

}  // namespace kestrune::cli
