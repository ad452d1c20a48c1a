// The build log that bds.exe writes, turned into the lines echoed to the console once bds.exe
// has ended. Reading the file is the platform's part (bds_builder): this is fed its bytes.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace kestrune::backends {

// Where the back-end's text goes; the program's front end sends it to standard output.
using Output = std::function<void(std::string_view)>;

// Bytes that are not UTF-8, read in the system's ANSI code page, as UTF-8 (win::ansi_to_utf8).
using AnsiDecoder = std::function<std::string(std::string_view)>;

// Takes the log as lines and prints them as they come: a line that is valid UTF-8 as it is, any
// other through the ANSI decoder. A line that begins with two spaces continues the line before
// it: it is printed without its leading white space and without a line feed, and the next
// ordinary line is preceded by two line feeds. Byte-order marks at the start of an ordinary line
// are dropped.
class BuildLogEcho {
public:
    BuildLogEcho(Output output, AnsiDecoder ansi) : output_(std::move(output)), ansi_(std::move(ansi)) {}

    // The next bytes of the log, as they are read: a line may end in a later piece.
    void feed(std::string_view bytes);
    // The end of the log: a last line without a line feed is printed.
    void finish();

private:
    // One line without its line feed; `ended` tells whether it had one, which alone lets a
    // carriage return before it go.
    void line(std::string_view bytes, bool ended);

    Output output_;
    AnsiDecoder ansi_;
    std::string pending_;  // the start of a line whose line feed has not come yet
    bool continuation_ = false;
};

}  // namespace kestrune::backends
