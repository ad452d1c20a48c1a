#include "win/registry_error.hpp"

#include <windows.h>

#include <cstdio>

#include "win/io_error.hpp"
#include "win/system_message.hpp"

namespace kestrune::win {
namespace {

// Quoted the way the diagnostic form writes texts: backslash escapes for quote, backslash,
// tab, carriage return and line feed.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace

std::string hresult_text(Hresult code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(code));
    return buffer;
}

std::string RegistryError::message() const {
    if (kind_ == Kind::JoinPaths) return "path segment contains `\"`";
    if (kind_ == Kind::EditLock) return IoError::from_code(HRESULT_CODE(code_)).in_step(what_).message();
    const std::string text = system_message(code_);
    return text.empty() ? hresult_text(code_) : text + " (" + hresult_text(code_) + ")";
}

std::string windows_registry_diagnostic(Hresult code, std::string_view message) {
    return "WindowsRegistry(Error { code: HRESULT(" + hresult_text(code) + "), message: " + quoted(message) + " })";
}

std::string RegistryError::diagnostic() const {
    if (kind_ == Kind::JoinPaths) return "JoinPaths";
    if (kind_ == Kind::EditLock) return "EditLock(" + quoted(message()) + ")";
    return windows_registry_diagnostic(code_, system_message(code_));
}

}  // namespace kestrune::win
