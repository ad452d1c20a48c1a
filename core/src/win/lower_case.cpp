#include "win/lower_case.hpp"

#include <windows.h>

namespace kestrune::win {

// LCMapStringEx is KERNEL32's: the case functions of USER32 would load that library, and with
// it most of the start-up time of every command, for this one call.
std::wstring lower_case(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE, text.data(), length, nullptr, 0,
                                     nullptr, nullptr, 0);
    if (needed <= 0) return std::wstring(text);
    std::wstring lowered(static_cast<std::size_t>(needed), L'\0');
    if (LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE, text.data(), length, lowered.data(), needed, nullptr,
                      nullptr, 0) != needed)
        return std::wstring(text);
    return lowered;
}

}  // namespace kestrune::win
