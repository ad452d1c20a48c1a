#include "win/path.hpp"

#include <windows.h>

#include "win/handle.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

template <class Char>
std::basic_string<Char> join(std::basic_string_view<Char> path, std::basic_string_view<Char> component) {
    std::basic_string<Char> out(path);
    if (!out.empty() && out.back() != Char('\\') && out.back() != Char('/')) out += Char('\\');
    out += component;
    return out;
}

}  // namespace

std::string join_path(std::string_view path, std::string_view component) { return join(path, component); }
std::wstring join_path(std::wstring_view path, std::wstring_view component) { return join(path, component); }

bool path_exists(const std::wstring& path) {
    if (path.empty()) return false;
    // Opening with backup semantics follows links and works for directories too.
    const UniqueHandle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return static_cast<bool>(h);
}

bool path_exists(std::string_view path) { return path_exists(to_wide(path)); }

}  // namespace kestrune::win
