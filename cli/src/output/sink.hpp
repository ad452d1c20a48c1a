// Standard output and standard error: UTF-8 bytes to pipes and files, UTF-16 to a console
// whose code page is not UTF-8. Standard output is line-buffered. A failed write is the
// fatal stop.
#pragma once

#include <windows.h>

#include <string_view>

namespace kestrune::cli {

enum class Stream { Out, Err };

void write(Stream stream, std::string_view text);
inline void print(std::string_view text) { write(Stream::Out, text); }
inline void eprint(std::string_view text) { write(Stream::Err, text); }
// Writes what standard output still holds; done before a child shares the console and at exit.
void flush();

// The system's handle of the stream.
HANDLE std_handle(Stream stream);
// Whether the stream is a console (not redirected to a file or pipe).
bool is_console(Stream stream);
// The width of the console that standard output shows in, or 0 when it has none.
int console_width();

// Ends the process with status 101 after a diagnostic on standard error; the temporary files
// that the run still owns are deleted first.
[[noreturn]] void fatal_stop(std::string_view message);

}  // namespace kestrune::cli
