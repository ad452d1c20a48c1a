#include "main/path_list_edit.hpp"

#include <gtest/gtest.h>

#include <optional>

#include "main/path_items.hpp"
#include "scratch_registry.hpp"
#include "win/registry_key.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

constexpr wchar_t lone_surrogate = static_cast<wchar_t>(0xDC00);

TEST(SamePathItem, FoldsAsciiLettersOnly) {
    struct Case {
        std::wstring_view a, b;
        bool same;
    };
    const Case cases[] = {
        {L"D:\\LIB", L"d:\\lib", true},
        {L"%KestruneCLI%", L"%kestrunecli%", true},
        {L"", L"", true},
        {L"D:\\LIB\\", L"D:\\LIB", false},      // a trailing separator counts
        {L"C:/x", L"C:\\x", false},             // separators are not normalised
        {L"D:\\\u00C9", L"D:\\\u00E9", false},  // non-ASCII letters compare exactly
        {L"D:\\A", L"D:\\AB", false},
        {L"%PATH%", L"C:\\Windows", false},     // references are not expanded
    };
    for (const Case& c : cases) {
        EXPECT_EQ(same_path_item(c.a, c.b), c.same) << win::to_utf8(c.a) << " / " << win::to_utf8(c.b);
        EXPECT_EQ(same_path_item(c.b, c.a), c.same) << win::to_utf8(c.b) << " / " << win::to_utf8(c.a);
    }
}

const std::wstring lists_key = L"Software\\Embarcadero\\BDS\\23.0\\Library\\Win32";
const catalogue::RegistryValue search_path{"Search Path", false};

class PathEditTest : public kestrune::testing::ScratchRegistry {
protected:
    void SetUp() override {
        ScratchRegistry::SetUp();
        create(lists_key);
    }
    catalogue::RegistryKey key() {
        auto opened = win::create_key(HKEY_CURRENT_USER, lists_key);
        EXPECT_TRUE(opened);
        return catalogue::RegistryKey{std::move(*opened)};
    }
    std::optional<kestrune::testing::StoredValue> search_path_value() { return stored(lists_key, L"Search Path"); }
};

enum class Edit { Add, Insert, Remove };

win::RegistryResult<void> apply(Edit edit, const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                std::wstring_view items) {
    if (edit == Edit::Remove) return remove_path_items(key, value, items);
    return add_path_items(key, value, items, edit == Edit::Insert);
}

TEST_F(PathEditTest, EditsStoreTheWholeListBack) {
    struct Case {
        std::optional<std::wstring> before;  // nullopt: the value does not exist
        Edit edit;
        std::wstring items;
        std::wstring after;
    };
    const Case cases[] = {
        {L"X", Edit::Insert, L"D:\\A;D:\\B", L"D:\\B;D:\\A;X"},  // each new piece in front of the previous one
        {L"X", Edit::Add, L"D:\\A;D:\\B", L"X;D:\\A;D:\\B"},
        {L"X", Edit::Add, L"D:\\A;d:\\a", L"X;D:\\A"},  // a repeated piece is added once
        {L"X", Edit::Insert, L"D:\\A;D:\\A", L"D:\\A;X"},
        {std::nullopt, Edit::Add, L"D:\\X", L";D:\\X"},  // the missing value is one empty entry
        {std::nullopt, Edit::Insert, L"D:\\X", L"D:\\X;"},
        {std::nullopt, Edit::Remove, L"D:\\X", L""},
        {L"D:\\LIB", Edit::Add, L"d:\\lib", L"D:\\LIB"},
        {L"D:\\LIB", Edit::Add, L"D:\\LIB\\", L"D:\\LIB;D:\\LIB\\"},
        {L"a;D:\\X;b", Edit::Insert, L"d:\\x", L"a;D:\\X;b"},  // present: not moved to the front
        {L"D:\\A;x;d:\\a;D:\\B;y", Edit::Remove, L"D:\\A;D:\\B", L"x;y"},
        {L"x;y", Edit::Remove, L"z", L"x;y"},
        {L"a", Edit::Add, L"", L"a;"},
        {L"a;;b", Edit::Add, L"", L"a;;b"},
        {L"a;\"b\";c", Edit::Add, L"d", L"a;b;c;d"},           // quotes without ";" do not survive
        {L"a", Edit::Add, L"x;\"y;z\"", L"a;x;\"y;z\""},       // a quoted piece stays one entry
        {L"\"c:\\a;b\";q", Edit::Remove, L"q", L"\"c:\\a;b\""},
    };
    const catalogue::RegistryKey k = key();
    for (const Case& c : cases) {
        const std::string label = c.before ? win::to_utf8(*c.before) : "(missing)";
        if (c.before)
            // REG_EXPAND_SZ so that the rewrite shows as REG_SZ even when the text stays the same.
            set_string(lists_key, L"Search Path", *c.before, REG_EXPAND_SZ);
        else
            RegDeleteKeyValueW(scratch(), lists_key.c_str(), L"Search Path");
        ASSERT_TRUE(apply(c.edit, k, search_path, c.items)) << label;
        const auto s = search_path_value();
        ASSERT_TRUE(s) << label;
        EXPECT_EQ(s->units(), c.after + L'\0') << label << " + " << win::to_utf8(c.items);
        EXPECT_EQ(s->type, static_cast<DWORD>(REG_SZ)) << label;
    }
}

TEST_F(PathEditTest, ExpandFlagDecidesTheWrittenType) {
    set_string(lists_key, L"Path", L"C:\\bin", REG_SZ);
    const catalogue::RegistryValue user_path{"Path", true};
    ASSERT_TRUE(add_path_items(key(), user_path, L"%KestruneCLI%", false));
    const auto s = stored(lists_key, L"Path");
    EXPECT_EQ(s->units(), std::wstring(L"C:\\bin;%KestruneCLI%") + L'\0');
    EXPECT_EQ(s->type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(PathEditTest, UnpairedSurrogatesSurviveEdits) {
    const std::wstring odd = std::wstring(L"D:\\") + lone_surrogate + L"x";
    set_string(lists_key, L"Search Path", odd + L";keep");
    const catalogue::RegistryKey k = key();
    ASSERT_TRUE(add_path_items(k, search_path, L"new", false));
    EXPECT_EQ(search_path_value()->units(), odd + L";keep;new" + L'\0');
    // An item with the same unpaired surrogate matches the entry exactly.
    ASSERT_TRUE(remove_path_items(k, search_path, L"keep;" + odd));
    EXPECT_EQ(search_path_value()->units(), std::wstring(L"new") + L'\0');
    ASSERT_TRUE(add_path_items(k, search_path, odd, true));
    EXPECT_EQ(search_path_value()->units(), odd + L";new" + L'\0');
}

TEST_F(PathEditTest, ValueOfAnotherTypeIsLeftAlone) {
    set_dword(lists_key, L"Search Path", 7);
    const catalogue::RegistryKey k = key();
    for (const Edit edit : {Edit::Add, Edit::Insert, Edit::Remove}) {
        const auto done = apply(edit, k, search_path, L"D:\\X");
        ASSERT_FALSE(done);
        EXPECT_EQ(done.error().code(), win::hresult_invalid_data);
        const auto s = search_path_value();
        EXPECT_EQ(s->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(s->data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
    }
}

}  // namespace
}  // namespace kestrune::cli
