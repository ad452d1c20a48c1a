#include "main/path_items.hpp"

#include <algorithm>

#include "text/path_list.hpp"
#include "text/text.hpp"

namespace kestrune::cli {
namespace {

bool holds(const std::vector<std::wstring>& entries, std::wstring_view piece) {
    return std::any_of(entries.begin(), entries.end(), [&](const std::wstring& entry) { return same_path_item(entry, piece); });
}

}  // namespace

void add_path_pieces(std::vector<std::wstring>& entries, std::wstring_view items, bool prepend) {
    for (std::wstring& piece : text::split_path_list(items)) {
        if (holds(entries, piece)) continue;
        if (prepend)
            entries.insert(entries.begin(), std::move(piece));
        else
            entries.push_back(std::move(piece));
    }
}

void remove_path_pieces(std::vector<std::wstring>& entries, std::wstring_view items) {
    const std::vector<std::wstring> pieces = text::split_path_list(items);
    std::erase_if(entries, [&](const std::wstring& entry) { return holds(pieces, entry); });
}

bool same_path_item(std::wstring_view a, std::wstring_view b) { return text::equal_ignore_ascii_case(a, b); }

}  // namespace kestrune::cli
