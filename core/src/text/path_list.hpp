// Lists of paths in one text, separated by ";": read the way cmd.exe reads PATH, and written so
// that they read back the same. The entries are UTF-16 code units, kept as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::text {

// Calls visit(entry) for each entry of the text, in order, as split_path_list splits it. An
// entry without quotes is a view of the text itself; one with quotes is a view of a buffer
// that the next entry reuses, so a visitor that keeps an entry copies it.
template <class Visit>
void for_each_path_list_entry(std::wstring_view text, Visit visit) {
    std::wstring unquoted;
    std::size_t start = 0;
    bool quoted = false, has_quotes = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == L'"') {
            quoted = !quoted;
            has_quotes = true;
            continue;
        }
        if (i < text.size() && (text[i] != L';' || quoted)) continue;
        const std::wstring_view entry = text.substr(start, i - start);
        if (!has_quotes) {
            visit(entry);
        } else {
            unquoted.clear();
            for (const wchar_t c : entry)
                if (c != L'"') unquoted += c;
            visit(std::wstring_view(unquoted));
        }
        start = i + 1;
        has_quotes = false;
    }
}

// A double quote opens or closes a stretch in which ";" separates nothing, and is itself no
// part of an entry; n separators outside such stretches give n + 1 entries, empty ones too.
std::vector<std::wstring> split_path_list(std::wstring_view text);

// The entries joined by ";", an entry that holds a ";" between double quotes; none when an
// entry holds a double quote, which no list can carry so that it reads back the same.
std::optional<std::wstring> join_path_list(const std::vector<std::wstring>& entries);

}  // namespace kestrune::text
