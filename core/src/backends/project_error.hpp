// The error of the build back-ends and of the project patcher: a project that cannot be
// parsed, a file or child process operation that failed, a patched copy that cannot be
// written, or a build that cannot be made as asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win/io_error.hpp"

namespace kestrune::backends {

class ProjectError {
public:
    enum class Kind : std::uint8_t { XmlParse, Io, XmlWrite, Refused };

    // The XML reader rejected the text: "Malformed XML. " and the reader's message.
    static ProjectError malformed_xml(const std::string& reader_message);
    // The XML reader failed without a message of its own: "Cannot parse".
    static ProjectError cannot_parse();
    // A file, directory or child process operation failed.
    static ProjectError io(win::IoError error);
    // The XML writer failed: "emitter error: " and the writer's text.
    static ProjectError emitter(const std::string& writer_message);
    // The XML writer failed on I/O: "emitter error: I/O error: " and the I/O error's text.
    static ProjectError emitter_io(win::IoError error);
    // The patcher cannot make the copy that the options ask for; the text names the file,
    // the options and why.
    static ProjectError refused(std::string text);

    Kind kind() const { return kind_; }
    // The I/O error that an Io error, or an XmlWrite error that failed on I/O, wraps.
    const std::optional<win::IoError>& io_error() const { return io_; }

    // The wrapped error's text, with nothing added.
    std::string message() const;
    // The wrapped error's own causes, outermost first. A system I/O error has none, so
    // neither has any variant today.
    std::vector<std::string> causes() const { return {}; }

    bool operator==(const ProjectError&) const = default;

private:
    ProjectError(Kind kind, std::string text, std::optional<win::IoError> io)
        : kind_(kind), text_(std::move(text)), io_(std::move(io)) {}
    Kind kind_;
    std::string text_;  // the fixed part; an I/O error's text is added when asked for
    std::optional<win::IoError> io_;
};

}  // namespace kestrune::backends
