// The error of every registry operation: a failed Windows call, a path list that cannot be
// joined, or a failure to take the lock that keeps the program's registry edits one at a time.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>
#include <utility>

namespace kestrune::win {

// An HRESULT, the system's 32-bit error value, without the system's headers: the error types
// are used by code that builds without them.
using Hresult = std::int32_t;

// The facility of Win32 error codes in an HRESULT (FACILITY_WIN32).
inline constexpr std::uint32_t facility_win32 = 7;

// The HRESULT of a Win32 error code (HRESULT_FROM_WIN32).
constexpr Hresult hresult_from_win32(std::uint32_t code) {
    return static_cast<std::int32_t>(code) <= 0
               ? static_cast<Hresult>(code)
               : static_cast<Hresult>((code & 0xFFFFu) | (facility_win32 << 16) | 0x80000000u);
}

inline constexpr Hresult hresult_not_found = static_cast<Hresult>(0x80070002u);     // key or value missing
inline constexpr Hresult hresult_invalid_data = static_cast<Hresult>(0x8007000Du);  // value of the wrong type
inline constexpr Hresult hresult_no_unicode = static_cast<Hresult>(0x80070459u);    // text is not valid UTF-16

// "0x" and the code's eight upper-case hexadecimal digits.
std::string hresult_text(Hresult code);

class RegistryError {
public:
    enum class Kind : std::uint8_t { WindowsRegistry, JoinPaths, EditLock };

    // A registry call failed with this HRESULT.
    static RegistryError windows_registry(Hresult code) { return RegistryError(Kind::WindowsRegistry, code); }
    // A registry call failed with this Win32 error code.
    static RegistryError from_win32(std::uint32_t code) { return windows_registry(hresult_from_win32(code)); }
    // A path list entry holds a double quote.
    static RegistryError join_paths() { return RegistryError(Kind::JoinPaths, 0); }
    // The edit lock could not be taken: what failed, and the Win32 error code it failed with.
    static RegistryError edit_lock(std::string what, std::uint32_t code) {
        return RegistryError(Kind::EditLock, hresult_from_win32(code), std::move(what));
    }

    Kind kind() const { return kind_; }
    // The HRESULT of a WindowsRegistry or EditLock error; 0 for JoinPaths.
    Hresult code() const { return code_; }

    // The text shown to the user: the system's message and the code in parentheses.
    std::string message() const;
    // The form printed when a failed registry scan stops the program.
    std::string diagnostic() const;

    bool operator==(const RegistryError&) const = default;

private:
    RegistryError(Kind kind, Hresult code, std::string what = {}) : kind_(kind), code_(code), what_(std::move(what)) {}
    Kind kind_;
    Hresult code_;
    std::string what_;  // EditLock: the step that failed, naming the lock
};

// The diagnostic form of a WindowsRegistry error whose system text is the given message.
std::string windows_registry_diagnostic(Hresult code, std::string_view message);

template <class T>
using RegistryResult = std::expected<T, RegistryError>;

}  // namespace kestrune::win
