#include "catalogue/path_list.hpp"

#include <gtest/gtest.h>

#include "scratch_registry.hpp"
#include "win/utf.hpp"

namespace kestrune::catalogue {
namespace {

using Entries = std::vector<std::wstring>;

constexpr wchar_t lone_surrogate = static_cast<wchar_t>(0xDBFF);

// The text's own rules are tested with it (path_list_text_test.cpp); here, what the registry is
// told when a list cannot be joined.
TEST(PathList, AnEntryWithAQuoteIsAJoinPathsError) {
    for (const Entries& bad : {Entries{L"a\"b"}, Entries{L"ok", L"\""}, Entries{L"x;y\""}}) {
        const auto text = join_path_list(bad);
        ASSERT_FALSE(text);
        EXPECT_EQ(text.error(), win::RegistryError::join_paths());
    }
    EXPECT_EQ(join_path_list({L"c:\\x", L"c:\\y;z"}), L"c:\\x;\"c:\\y;z\"");
    EXPECT_EQ(split_path_list(L"c:\\x;\"c:\\y;z\""), (Entries{L"c:\\x", L"c:\\y;z"}));
}

const std::wstring version_key = L"Software\\Embarcadero\\BDS\\23.0";

class PathListRegistryTest : public testing::ScratchRegistry {
protected:
    void SetUp() override {
        ScratchRegistry::SetUp();
        create(version_key + L"\\Lists");
    }
    RegistryKey lists() {
        auto key = win::create_key(HKEY_CURRENT_USER, version_key + L"\\Lists");
        EXPECT_TRUE(key);
        return RegistryKey{std::move(*key)};
    }
};

TEST_F(PathListRegistryTest, QuotesWithoutSemicolonDoNotSurviveAnEdit) {
    set_string(version_key + L"\\Lists", L"Search Path", L"a;\"b\";c");
    const RegistryKey key = lists();
    const RegistryValue value{"Search Path", false};
    auto entries = read_path_list(key, value);
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, (Entries{L"a", L"b", L"c"}));
    ASSERT_TRUE(write_path_list(key, value, std::move(*entries)));
    EXPECT_EQ(stored(version_key + L"\\Lists", L"Search Path")->units(), std::wstring(L"a;b;c", 6));
}

TEST_F(PathListRegistryTest, UnpairedSurrogateSurvivesARoundTrip) {
    const std::wstring text = std::wstring(L"x;") + lone_surrogate + L"y;\"q;r\";%TEMP%";
    set_string(version_key + L"\\Lists", L"Search Path", text, REG_EXPAND_SZ);
    const RegistryKey key = lists();
    const RegistryValue value{"Search Path", false};
    auto entries = read_path_list(key, value);
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, (Entries{L"x", std::wstring(1, lone_surrogate) + L"y", L"q;r", L"%TEMP%"}));
    ASSERT_TRUE(write_path_list(key, value, std::move(*entries)));
    const auto s = stored(version_key + L"\\Lists", L"Search Path");
    EXPECT_EQ(s->units(), text + L'\0');
    EXPECT_EQ(s->type, static_cast<DWORD>(REG_SZ));  // the value's own flag decides, not the old type
}

TEST_F(PathListRegistryTest, MissingValueReadsAsOneEmptyEntry) {
    const RegistryKey key = lists();
    const RegistryValue value{"Browsing Path", false};
    auto entries = read_path_list(key, value);
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, Entries{L""});
    ASSERT_TRUE(write_path_list(key, value, std::move(*entries)));
    const auto s = stored(version_key + L"\\Lists", L"Browsing Path");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->data, (std::vector<std::uint8_t>{0, 0}));
}

TEST_F(PathListRegistryTest, OtherTypesAreInvalidData) {
    set_dword(version_key + L"\\Lists", L"dword", 1);
    set_raw(version_key + L"\\Lists", L"multi", REG_MULTI_SZ, L"a\0\0", 6);
    const RegistryKey key = lists();
    for (std::string_view name : {"dword", "multi"}) {
        const auto entries = read_path_list(key, {name, false});
        ASSERT_FALSE(entries);
        EXPECT_EQ(entries.error().code(), win::hresult_invalid_data);
    }
}

TEST_F(PathListRegistryTest, RefusedJoinWritesNothing) {
    set_string(version_key + L"\\Lists", L"Search Path", L"keep;me");
    const RegistryKey key = lists();
    const auto written = write_path_list(key, {"Search Path", false}, {L"new", L"bad\"entry"});
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind(), win::RegistryError::Kind::JoinPaths);
    EXPECT_EQ(stored(version_key + L"\\Lists", L"Search Path")->units(), std::wstring(L"keep;me", 8));
}

}  // namespace
}  // namespace kestrune::catalogue
