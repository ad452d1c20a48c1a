#include "win/program_search.hpp"

#include <windows.h>

#include <vector>

#include "text/path_list.hpp"
#include "win/environment.hpp"
#include "win/grow_buffer.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"

namespace kestrune::win {
namespace {

bool is_file(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring own_directory() {
    const auto path = module_path();
    if (!path) return {};
    return parent_directory(*path).value_or(std::wstring());
}

// The directories of PATH as cmd.exe reads them: an entry in double quotes may hold ";".
std::vector<std::wstring> path_directories() {
    std::vector<std::wstring> directories;
    for (std::wstring& entry : text::split_path_list(environment_variable(L"PATH").value_or(std::wstring())))
        if (!entry.empty()) directories.push_back(std::move(entry));
    return directories;
}

}  // namespace

std::optional<std::wstring> find_program(std::wstring_view name) {
    std::vector<std::wstring> directories;
    directories.push_back(own_directory());
    // A directory that cannot be had is left out, as an empty one is.
    directories.push_back(
        grow_buffer([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }).value_or(std::wstring()));
    directories.push_back(
        grow_buffer([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }).value_or(std::wstring()));
    for (std::wstring& directory : path_directories()) directories.push_back(std::move(directory));
    for (const std::wstring& directory : directories) {
        if (directory.empty()) continue;
        std::wstring candidate = join_path(directory, name);
        if (is_file(candidate)) return candidate;
    }
    return std::nullopt;
}

}  // namespace kestrune::win
