#include "win/directory_probe.hpp"

#include <windows.h>

#include <algorithm>

#include "win/path.hpp"

namespace kestrune::win {

namespace {

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

DirectoryProbe::DirectoryProbe(std::wstring directory) : directory_(std::move(directory)) { look(); }

DirectoryProbe::DirectoryProbe(std::wstring directory, const DirectoryProbe& parent) : directory_(std::move(directory)) {
    missing_ = parent.missing() && parent.spells_below(directory_);
    if (!missing_) look();
}

void DirectoryProbe::look() {
    // The system drops points and blanks at the end of a path's last component, but not of one
    // that a file name follows: such a directory could be missing and a file in it not.
    const std::size_t last = directory_.find_last_not_of(L"\\/");
    if (last == std::wstring::npos || directory_[last] == L'.' || directory_[last] == L' ' ||
        directory_.find(L'\0') != std::wstring::npos)
        return;
    if (GetFileAttributesW(directory_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    // Only "not there" says so; a directory that cannot be read for another reason (access,
    // sharing) may still let its files be opened.
    const DWORD code = GetLastError();
    missing_ = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

bool DirectoryProbe::exists(std::wstring_view name) const {
    return !missing_ && path_exists(join_path(directory_, name));
}

bool DirectoryProbe::spells_below(std::wstring_view path) const {
    if (directory_.empty() || !path.starts_with(directory_)) return false;
    std::wstring_view rest = path.substr(directory_.size());
    if (!is_separator(directory_.back()) && (rest.empty() || !is_separator(rest.front()))) return false;
    while (!rest.empty()) {
        while (!rest.empty() && is_separator(rest.front())) rest.remove_prefix(1);
        const std::wstring_view component = rest.substr(0, std::min(rest.size(), rest.find_first_of(L"\\/")));
        if (component == L"." || component == L"..") return false;
        rest.remove_prefix(component.size());
    }
    return true;
}

}  // namespace kestrune::win
