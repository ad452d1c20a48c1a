// Path lists: splitting and joining, and the edits of the path-list commands.
//
// - A text splits into one entry more than it has separators outside quotes, and no entry
//   holds a quote; joined and split again, those entries come back unchanged.
// - Entries without a quote join, and split back into themselves; one with a quote refuses.
// - Adding keeps every entry where it was and adds each piece the list lacked, once; removing
//   takes exactly the entries that equal a piece and keeps the rest in order.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "check.hpp"
#include "main/path_items.hpp"
#include "text/path_list.hpp"

namespace {

using kestrune::fuzz::shown;
using kestrune::fuzz::wide_text;

// The number of entries a text splits into, counted without the splitter.
std::size_t expected_count(std::wstring_view text) {
    std::size_t separators = 0;
    bool quoted = false;
    for (const wchar_t c : text) {
        if (c == L'"') quoted = !quoted;
        if (c == L';' && !quoted) ++separators;
    }
    return separators + 1;
}

bool holds_quote(const std::wstring& entry) { return entry.find(L'"') != std::wstring::npos; }

std::wstring joined_for_detail(const std::vector<std::wstring>& entries) {
    std::wstring out;
    for (const auto& entry : entries) out += L"[" + entry + L"]";
    return out;
}

bool same(std::wstring_view a, std::wstring_view b) { return kestrune::cli::same_path_item(a, b); }

bool held(const std::vector<std::wstring>& entries, std::wstring_view piece) {
    return std::any_of(entries.begin(), entries.end(), [&](const std::wstring& entry) { return same(entry, piece); });
}

void check_split_and_join(std::wstring_view text) {
    const auto entries = kestrune::text::split_path_list(text);
    KESTRUNE_FUZZ_CHECK(entries.size() == expected_count(text), shown(text));
    KESTRUNE_FUZZ_CHECK(std::none_of(entries.begin(), entries.end(), holds_quote), shown(text));
    const auto joined = kestrune::text::join_path_list(entries);
    KESTRUNE_FUZZ_CHECK(joined.has_value(), shown(text));
    KESTRUNE_FUZZ_CHECK(kestrune::text::split_path_list(*joined) == entries, shown(text) + " joined as " + shown(*joined));
}

void check_join(const std::vector<std::wstring>& entries) {
    const auto joined = kestrune::text::join_path_list(entries);
    const bool quote = std::any_of(entries.begin(), entries.end(), holds_quote);
    KESTRUNE_FUZZ_CHECK(joined.has_value() == !quote, shown(joined_for_detail(entries)));
    // No entries join into the empty text, which reads back as one empty entry.
    if (joined && !entries.empty())
        KESTRUNE_FUZZ_CHECK(kestrune::text::split_path_list(*joined) == entries, shown(joined_for_detail(entries)));
}

void check_add(const std::vector<std::wstring>& before, std::wstring_view items, bool prepend) {
    auto after = before;
    kestrune::cli::add_path_pieces(after, items, prepend);
    const auto pieces = kestrune::text::split_path_list(items);
    // What was added: the pieces the list lacked, each once, the first of equal ones.
    std::vector<std::wstring> added;
    for (const auto& piece : pieces)
        if (!held(before, piece) && !held(added, piece)) added.push_back(piece);
    KESTRUNE_FUZZ_CHECK(after.size() == before.size() + added.size(), shown(items));
    if (prepend) {
        std::reverse(added.begin(), added.end());
        KESTRUNE_FUZZ_CHECK(std::equal(added.begin(), added.end(), after.begin()), shown(items));
        KESTRUNE_FUZZ_CHECK(std::equal(before.begin(), before.end(), after.begin() + static_cast<std::ptrdiff_t>(added.size())),
                            shown(items));
    } else {
        KESTRUNE_FUZZ_CHECK(std::equal(before.begin(), before.end(), after.begin()), shown(items));
        KESTRUNE_FUZZ_CHECK(std::equal(added.begin(), added.end(), after.begin() + static_cast<std::ptrdiff_t>(before.size())),
                            shown(items));
    }
    for (const auto& piece : pieces) KESTRUNE_FUZZ_CHECK(held(after, piece), shown(items));
}

void check_remove(const std::vector<std::wstring>& before, std::wstring_view items) {
    auto after = before;
    kestrune::cli::remove_path_pieces(after, items);
    const auto pieces = kestrune::text::split_path_list(items);
    std::vector<std::wstring> kept;
    for (const auto& entry : before)
        if (!held(pieces, entry)) kept.push_back(entry);
    KESTRUNE_FUZZ_CHECK(after == kept, shown(items));
    for (const auto& piece : pieces) KESTRUNE_FUZZ_CHECK(!held(after, piece), shown(items));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool prepend = input.ConsumeBool();
    const std::wstring items = wide_text(input, 64);
    std::vector<std::wstring> entries;
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    for (std::size_t i = 0; i < count; ++i) entries.push_back(wide_text(input, 32));
    const std::wstring text = wide_text(input, 256);

    check_split_and_join(text);
    check_join(entries);
    const auto list = kestrune::text::split_path_list(text);
    check_add(list, items, prepend);
    check_remove(list, items);
    return 0;
}
