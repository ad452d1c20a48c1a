// Paths as text, and whether they exist.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::win {

// Appends a component: after an empty path the component alone, after a trailing
// backslash or slash no second separator, otherwise a backslash between them.
std::string join_path(std::string_view path, std::string_view component);
std::wstring join_path(std::wstring_view path, std::wstring_view component);

// Whether the file system can read the path's metadata, following links; a file and a
// directory both count, and any failure counts as absent.
bool path_exists(std::string_view path);
bool path_exists(const std::wstring& path);

}  // namespace kestrune::win
