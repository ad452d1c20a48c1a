#include "text/path_list_split.hpp"

namespace kestrune::text {

std::vector<std::wstring> split_path_list(std::wstring_view text) {
    std::vector<std::wstring> entries;
    std::wstring current;
    bool quoted = false;
    for (wchar_t c : text) {
        if (c == L'"') {
            quoted = !quoted;
        } else if (c == L';' && !quoted) {
            entries.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    entries.push_back(std::move(current));
    return entries;
}

}  // namespace kestrune::text
