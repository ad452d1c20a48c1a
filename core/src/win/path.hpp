// Paths as text, and what the system makes of them: whether they exist, and their absolute form.
// The text functions ask the system nothing (path.cpp); the others do (path_system.cpp).
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "win/io_error.hpp"

namespace kestrune::win {

// Appends a component: after an empty path the component alone, after a trailing
// backslash or slash no second separator, otherwise a backslash between them.
std::string join_path(std::string_view path, std::string_view component);
std::wstring join_path(std::wstring_view path, std::wstring_view component);

// The path as Windows resolves it against a base directory: one with a drive or a UNC share
// (absolute, or a drive without a root such as D:rel) replaces the base; one that begins with
// a separator keeps only the base's drive or share; a relative one is joined onto the base,
// directly after a bare drive ("D:" + "x" is D:x); the empty path is the base itself.
std::wstring resolve_path(std::wstring_view base, std::wstring_view path);

// The drive ("C:") or the UNC server and share ("\\server\share") that the path begins with;
// empty when it has neither.
std::wstring_view path_prefix(std::wstring_view path);
// The file name: the path's last component after its prefix, "." components skipped; empty for
// an empty path, a bare drive, root or share, and a path whose last component is "..".
std::wstring_view file_name(std::wstring_view path);
// The file name (the path's last component after its prefix, "." components skipped) without
// the text from its last point on; a name whose only point is its first character stays whole.
// Empty exactly when there is no file name: for an empty path, a bare drive, root or share, and
// a path whose last component is "..".
std::wstring_view file_stem(std::wstring_view path);
// The text after that point of the file name; empty when there is none.
std::wstring_view file_extension(std::wstring_view path);

// The path without its last component, keeping a root it stands on ("C:\\", "\\", a share);
// nullopt for a bare file name or for a path that is nothing but its root.
std::optional<std::wstring> parent_directory(std::wstring_view path);

// Whether the file system can read the path's metadata, following links; a file and a
// directory both count, and any failure counts as absent. A path holding a NUL names nothing.
bool path_exists(std::string_view path);
bool path_exists(const std::wstring& path);

// The path made absolute against the current directory.
std::expected<std::wstring, IoError> absolute_path(const std::wstring& path);

}  // namespace kestrune::win
