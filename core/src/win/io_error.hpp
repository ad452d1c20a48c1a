// The error of a file or process operation: a system error code, or a fixed text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace kestrune::win {

class IoError {
public:
    // A failure reported by the system with this Win32 error code.
    static IoError from_code(DWORD code) { return IoError(code, {}); }
    // The calling thread's last Win32 error (GetLastError).
    static IoError last_error() { return from_code(GetLastError()); }
    // A failure the program itself describes, such as "program not found".
    static IoError from_text(std::string text) { return IoError(std::nullopt, std::move(text)); }

    // The same failure, told as the failure of a step the caller names ("cannot start
    // bds.exe"): the step, ": " and the text as it was.
    IoError in_step(std::string step) && {
        step_ = std::move(step);
        return std::move(*this);
    }

    // The Win32 code, when the system reported the failure.
    std::optional<DWORD> code() const { return code_; }
    // The system's message and " (os error N)", or the fixed text; after the step when one is named.
    std::string message() const;

    bool operator==(const IoError&) const = default;

private:
    IoError(std::optional<DWORD> code, std::string text) : code_(code), text_(std::move(text)) {}
    std::optional<DWORD> code_;
    std::string text_;
    std::string step_;
};

}  // namespace kestrune::win
