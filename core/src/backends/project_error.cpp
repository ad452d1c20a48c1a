#include "backends/project_error.hpp"

namespace kestrune::backends {

ProjectError ProjectError::malformed_xml(const std::string& reader_message) {
    return ProjectError(Kind::XmlParse, "Malformed XML. " + reader_message, std::nullopt);
}

ProjectError ProjectError::cannot_parse() { return ProjectError(Kind::XmlParse, "Cannot parse", std::nullopt); }

ProjectError ProjectError::io(win::IoError error) { return ProjectError(Kind::Io, {}, std::move(error)); }

ProjectError ProjectError::emitter(const std::string& writer_message) {
    return ProjectError(Kind::XmlWrite, "emitter error: " + writer_message, std::nullopt);
}

ProjectError ProjectError::emitter_io(win::IoError error) {
    return ProjectError(Kind::XmlWrite, "emitter error: I/O error: ", std::move(error));
}

ProjectError ProjectError::refused(std::string text) { return ProjectError(Kind::Refused, std::move(text), std::nullopt); }

std::string ProjectError::message() const { return io_ ? text_ + io_->message() : text_; }

}  // namespace kestrune::backends
