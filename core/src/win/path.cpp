#include "win/path.hpp"

namespace kestrune::win {
namespace {

template <class Char>
std::basic_string<Char> join(std::basic_string_view<Char> path, std::basic_string_view<Char> component) {
    std::basic_string<Char> out(path);
    if (!out.empty() && out.back() != Char('\\') && out.back() != Char('/')) out += Char('\\');
    out += component;
    return out;
}

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool has_drive(std::wstring_view path) {
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// The point between stem and extension, or npos; a leading point starts no extension.
std::size_t extension_point(std::wstring_view name) {
    const std::size_t dot = name.rfind(L'.');
    return dot == 0 ? std::wstring_view::npos : dot;
}

}  // namespace

std::string join_path(std::string_view path, std::string_view component) { return join(path, component); }
std::wstring join_path(std::wstring_view path, std::wstring_view component) { return join(path, component); }

std::wstring resolve_path(std::wstring_view base, std::wstring_view path) {
    if (path.empty()) return std::wstring(base);
    if (!path_prefix(path).empty()) return std::wstring(path);
    if (is_separator(path[0])) return std::wstring(path_prefix(base)) + std::wstring(path);
    // A separator after a bare drive would name its root, not its current directory.
    if (base.size() == 2 && has_drive(base)) return std::wstring(base) + std::wstring(path);
    return join_path(base, path);
}

std::wstring_view file_name(std::wstring_view path) {
    path.remove_prefix(path_prefix(path).size());
    std::wstring_view last;
    while (!path.empty()) {
        std::size_t end = 0;
        while (end < path.size() && !is_separator(path[end])) ++end;
        // "." stands for the directory itself, so "src\." names src.
        if (const auto part = path.substr(0, end); !part.empty() && part != L".") last = part;
        path.remove_prefix(end < path.size() ? end + 1 : end);
    }
    return last == L".." ? std::wstring_view() : last;
}

std::wstring_view path_prefix(std::wstring_view path) {
    if (has_drive(path)) return path.substr(0, 2);
    if (path.size() < 2 || !is_separator(path[0]) || !is_separator(path[1])) return {};
    std::size_t at = 2;
    for (int part = 0; part < 2; ++part) {
        while (at < path.size() && !is_separator(path[at])) ++at;
        if (part == 0 && at < path.size()) ++at;
    }
    return path.substr(0, at);
}

std::wstring_view file_stem(std::wstring_view path) {
    const std::wstring_view name = file_name(path);
    return name.substr(0, extension_point(name));
}

std::wstring_view file_extension(std::wstring_view path) {
    const std::wstring_view name = file_name(path);
    const std::size_t dot = extension_point(name);
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot + 1);
}

std::optional<std::wstring> parent_directory(std::wstring_view path) {
    // The root: a drive or share, and the separator after it.
    std::size_t root = path_prefix(path).size();
    if (root < path.size() && is_separator(path[root])) ++root;
    std::size_t end = path.size();
    while (end > root && is_separator(path[end - 1])) --end;
    if (end <= root) return std::nullopt;
    std::size_t cut = end;
    while (cut > root && !is_separator(path[cut - 1])) --cut;
    while (cut > root && is_separator(path[cut - 1])) --cut;
    if (cut == 0) return std::nullopt;
    return std::wstring(path.substr(0, cut));
}

}  // namespace kestrune::win
