#include "main/command_error.hpp"

namespace kestrune::cli {
namespace {

std::string indent_lines(const std::string& text, std::string_view indent) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n') out += indent;
    }
    return out;
}

}  // namespace

std::string CommandError::report() const {
    std::string out = "Error: " + message;
    if (!causes.empty()) {
        out += "\n\nCaused by:";
        if (causes.size() == 1) {
            out += "\n    " + indent_lines(causes.front(), "    ");
        } else {
            for (std::size_t i = 0; i < causes.size(); ++i) {
                std::string number = std::to_string(i);
                out += '\n' + std::string(number.size() < 5 ? 5 - number.size() : 0, ' ') + number + ": " +
                       indent_lines(causes[i], "       ");
            }
        }
    }
    out += '\n';
    return out;
}

CommandError command_error(const win::RegistryError& error) { return CommandError{error.message(), {}}; }

CommandError command_error(const win::IoError& error) { return CommandError{error.message(), {}}; }

CommandError command_error(const backends::ProjectError& error) { return CommandError{error.message(), error.causes()}; }

}  // namespace kestrune::cli
