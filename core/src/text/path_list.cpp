#include "text/path_list.hpp"

namespace kestrune::text {

std::vector<std::wstring> split_path_list(std::wstring_view text) {
    std::vector<std::wstring> entries;
    for_each_path_list_entry(text, [&](std::wstring_view entry) { entries.emplace_back(entry); });
    return entries;
}

std::optional<std::wstring> join_path_list(const std::vector<std::wstring>& entries) {
    std::wstring text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::wstring& entry = entries[i];
        if (entry.find(L'"') != std::wstring::npos) return std::nullopt;
        if (i > 0) text += L';';
        if (entry.find(L';') != std::wstring::npos) {
            text += L'"';
            text += entry;
            text += L'"';
        } else {
            text += entry;
        }
    }
    return text;
}

}  // namespace kestrune::text
