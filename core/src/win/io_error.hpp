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

    // The Win32 code, when the system reported the failure.
    std::optional<DWORD> code() const { return code_; }
    // The system's message and " (os error N)", or the fixed text.
    std::string message() const;

    bool operator==(const IoError&) const = default;

private:
    IoError(std::optional<DWORD> code, std::string text) : code_(code), text_(std::move(text)) {}
    std::optional<DWORD> code_;
    std::string text_;
};

}  // namespace kestrune::win
