// The error of a file or process operation: a system error code, or a fixed text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace kestrune::win {

class IoError {
public:
    // A failure reported by the system with this Win32 error code; the system's text for it is
    // looked up at once (io_error.cpp: the one part that asks the system).
    static IoError from_code(std::uint32_t code);
    // The calling thread's last Win32 error (GetLastError).
    static IoError last_error();
    // A failure the program itself describes, such as "program not found".
    static IoError from_text(std::string text) { return IoError(std::nullopt, std::move(text)); }

    // The same failure, told as the failure of a step the caller names ("cannot start
    // bds.exe"): the step, ": " and the text as it was.
    IoError in_step(std::string step) && {
        step_ = std::move(step);
        return std::move(*this);
    }

    // The Win32 code, when the system reported the failure.
    std::optional<std::uint32_t> code() const { return code_; }
    // The system's message and " (os error N)", or the fixed text; after the step when one is named.
    std::string message() const {
        std::string failure = text_;
        if (code_) {
            const std::string suffix = "(os error " + std::to_string(*code_) + ")";
            failure = text_.empty() ? suffix : text_ + " " + suffix;
        }
        return step_.empty() ? failure : step_ + ": " + failure;
    }

    bool operator==(const IoError&) const = default;

private:
    IoError(std::optional<std::uint32_t> code, std::string text) : code_(code), text_(std::move(text)) {}
    std::optional<std::uint32_t> code_;
    std::string text_;  // the fixed text, or the system's text for the code (empty when it has none)
    std::string step_;
};

}  // namespace kestrune::win
