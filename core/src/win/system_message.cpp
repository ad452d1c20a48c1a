#include "win/system_message.hpp"

#include <memory>

#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* p) const { LocalFree(p); }
};

}  // namespace

std::string system_message(HRESULT code) {
    wchar_t* raw = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> owner(raw);
    if (length == 0 || raw == nullptr) return {};
    return std::string(text::trim(to_utf8(std::wstring_view(raw, length))));
}

}  // namespace kestrune::win
