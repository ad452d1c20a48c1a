#include "msbuild/patcher/project_path.hpp"

#include "win/path.hpp"

namespace kestrune::msbuild::patcher {
namespace {

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool is_drive_letter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Length of the drive ("C:") or share prefix that no component may be taken from.
std::size_t prefix_length(std::wstring_view path) {
    if (path.size() >= 2 && is_drive_letter(path[0]) && path[1] == L':') return 2;
    return 0;
}

}  // namespace

bool is_absolute(std::wstring_view path) {
    if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) return true;
    return path.size() >= 3 && prefix_length(path) == 2 && is_separator(path[2]);
}

std::wstring ProjectPath::effective_path() const {
    if (!base_dir || is_absolute(path)) return path;
    return win::join_path(*base_dir, path);
}

std::wstring parent_dir(std::wstring_view path) {
    const std::size_t prefix = prefix_length(path);
    std::size_t end = path.size();
    while (end > prefix && is_separator(path[end - 1])) --end;
    while (end > prefix && !is_separator(path[end - 1])) --end;
    // Drop the separators before the last component, except the root's own (C:\ or \).
    while (end > prefix + 1 && is_separator(path[end - 1])) --end;
    return std::wstring(path.substr(0, end));
}

}  // namespace kestrune::msbuild::patcher
