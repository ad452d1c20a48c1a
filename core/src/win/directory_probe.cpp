#include "win/directory_probe.hpp"

#include <windows.h>

#include "win/path.hpp"

namespace kestrune::win {

DirectoryProbe::DirectoryProbe(std::wstring directory) : directory_(std::move(directory)) {
    // The system drops points and blanks at the end of a path's last component, but not of one
    // that a file name follows: such a directory could be missing and a file in it not.
    if (directory_.empty() || directory_.back() == L'.' || directory_.back() == L' ' ||
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

}  // namespace kestrune::win
