#include "output/sink.hpp"

#include <windows.h>

#include <string>

#include "exit_status.hpp"
#include "win/console.hpp"
#include "win/file.hpp"
#include "win/io_error.hpp"
#include "win/temp_path.hpp"

namespace kestrune::cli {
namespace {

std::string_view stream_name(Stream stream) { return stream == Stream::Out ? "stdout" : "stderr"; }

// Writes everything or returns the system's error code.
DWORD write_stream(Stream stream, std::string_view text) {
    HANDLE h = std_handle(stream);
    if (text.empty()) return ERROR_SUCCESS;
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return ERROR_INVALID_HANDLE;
    if (win::is_console(h) && GetConsoleOutputCP() != CP_UTF8) return win::write_console(h, text);
    const auto written = win::write_all(h, text);
    return written ? ERROR_SUCCESS : written.error().code().value_or(ERROR_WRITE_FAULT);
}

std::string& out_buffer() {
    static std::string buffer;
    return buffer;
}

[[noreturn]] void write_failed(Stream stream, DWORD code) {
    out_buffer().clear();
    fatal_stop("failed printing to " + std::string(stream_name(stream)) + ": " + win::IoError::from_code(code).message());
}

void write_or_stop(Stream stream, std::string_view text) {
    if (const DWORD code = write_stream(stream, text); code != ERROR_SUCCESS) write_failed(stream, code);
}

}  // namespace

void write(Stream stream, std::string_view text) {
    if (stream == Stream::Err) {
        flush();  // keep the order of what the user sees on one console
        write_or_stop(stream, text);
        return;
    }
    // Only the new text can hold a line end: what waits in the buffer has none. Searching it
    // again on every write would cost time growing with the square of a long unended line.
    std::string& buffer = out_buffer();
    const auto last_line_end = text.rfind('\n');
    if (last_line_end == std::string_view::npos) {
        buffer += text;
        return;
    }
    if (buffer.empty()) {
        // Nothing held back: the lines go out as they are, without a copy (a long listing is
        // one text of hundreds of kilobytes).
        write_or_stop(Stream::Out, text.substr(0, last_line_end + 1));
        buffer.assign(text.substr(last_line_end + 1));
        return;
    }
    std::string ready = std::move(buffer);
    ready += text.substr(0, last_line_end + 1);
    buffer.assign(text.substr(last_line_end + 1));
    write_or_stop(Stream::Out, ready);
}

void flush() {
    std::string& buffer = out_buffer();
    if (buffer.empty()) return;
    const std::string ready = std::move(buffer);
    buffer.clear();
    write_or_stop(Stream::Out, ready);
}

HANDLE std_handle(Stream stream) { return GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE); }

bool is_console(Stream stream) { return win::is_console(std_handle(stream)); }

int console_width() { return win::console_width(std_handle(Stream::Out)); }

void fatal_stop(std::string_view message) {
    // Ending the process skips the destructors that would delete the temporary files, and a
    // write below may block for as long as its reader lets it: they go first.
    win::delete_live_temp_files();
    static bool stopping = false;
    if (!stopping) {
        stopping = true;
        // A failing standard output has already dropped what it held.
        (void)write_stream(Stream::Out, out_buffer());
        out_buffer().clear();
        std::string text = "Error: ";
        text += message;
        text += '\n';
        (void)write_stream(Stream::Err, text);
    }
    ExitProcess(static_cast<UINT>(code(ExitStatus::FatalStop)));
}

}  // namespace kestrune::cli
