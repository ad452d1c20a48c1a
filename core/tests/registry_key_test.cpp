#include "win/registry_key.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "scratch_registry.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

constexpr wchar_t lone_surrogate = static_cast<wchar_t>(0xD800);

class RegistryKeyTest : public testing::ScratchRegistry {};

TEST_F(RegistryKeyTest, OpenNeverCreatesAndCreateMakesParents) {
    const auto missing = open_key(HKEY_CURRENT_USER, L"A\\B");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), hresult_not_found);
    EXPECT_FALSE(exists(L"A"));

    auto created = create_key(HKEY_CURRENT_USER, L"A\\B");
    ASSERT_TRUE(created);
    EXPECT_TRUE(exists(L"A\\B"));
    EXPECT_TRUE(write_string_value(created->get(), L"v", L"x", false));  // opened for writing

    auto reopened = open_key(HKEY_CURRENT_USER, L"A\\B");
    ASSERT_TRUE(reopened);
    // Opened for reading only.
    EXPECT_EQ(RegSetValueExW(reopened->get(), L"w", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), 2), ERROR_ACCESS_DENIED);

    UniqueKey moved = std::move(*reopened);
    EXPECT_FALSE(*reopened);
    EXPECT_TRUE(moved);
}

TEST_F(RegistryKeyTest, ReadStringValue) {
    create(L"K");
    set_raw(L"K", L"nuls", REG_SZ, L"ab\0\0", 8);
    set_raw(L"K", L"odd", REG_SZ, "a\0b", 3);  // a half code unit at the end is not text
    set_string(L"K", L"expand", L"%PATH%;c:\\x", REG_EXPAND_SZ);
    set_string(L"K", L"", L"default");
    set_dword(L"K", L"dword", 7);
    set_raw(L"K", L"multi", REG_MULTI_SZ, L"a\0b\0\0", 10);
    set_raw(L"K", L"empty", REG_SZ, nullptr, 0);
    auto key = open_key(HKEY_CURRENT_USER, L"K");
    ASSERT_TRUE(key);

    struct Case {
        const wchar_t* name;
        std::optional<std::wstring> text;  // nullopt: reported missing
        HRESULT error = 0;
    };
    const Case cases[] = {
        {L"nuls", L"ab"},           {L"odd", L"a"},
        {L"expand", L"%PATH%;c:\\x"}, {L"", L"default"},
        {L"missing", std::nullopt}, {L"empty", L""},
        {L"dword", {}, hresult_invalid_data}, {L"multi", {}, hresult_invalid_data},
    };
    for (const Case& c : cases) {
        const auto read = read_string_value(key->get(), c.name);
        if (c.error) {
            ASSERT_FALSE(read) << to_utf8(c.name);
            EXPECT_EQ(read.error().code(), c.error);
        } else {
            ASSERT_TRUE(read) << to_utf8(c.name);
            EXPECT_EQ(*read, c.text) << to_utf8(c.name);
        }
    }
}

TEST_F(RegistryKeyTest, WriteReplacesAnyTypeAndStoresOneNul) {
    auto key = create_key(HKEY_CURRENT_USER, L"K");
    ASSERT_TRUE(key);
    set_dword(L"K", L"v", 1);
    const std::wstring text{L'a', lone_surrogate, L'b'};
    ASSERT_TRUE(write_string_value(key->get(), L"v", text, true));
    auto s = stored(L"K", L"v");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(s->units(), text + L'\0');

    ASSERT_TRUE(write_string_value(key->get(), L"v", L"", false));
    s = stored(L"K", L"v");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(s->data.size(), 2u);

    EXPECT_TRUE(delete_value(key->get(), L"v"));
    EXPECT_FALSE(stored(L"K", L"v"));
    EXPECT_TRUE(delete_value(key->get(), L"v"));  // already gone
}

TEST_F(RegistryKeyTest, EnumeratesSubkeysAndTypedValues) {
    create(L"K\\one");
    create(L"K\\two\\deeper");
    set_string(L"K", L"text", L"abc\0", REG_SZ);
    set_string(L"K", L"bad", std::wstring{L'x', lone_surrogate});
    set_dword(L"K", L"dword", 0x01020304);
    auto key = open_key(HKEY_CURRENT_USER, L"K");
    ASSERT_TRUE(key);

    auto subkeys = enum_subkeys(key->get());
    ASSERT_TRUE(subkeys);
    std::sort(subkeys->begin(), subkeys->end());
    EXPECT_EQ(*subkeys, (std::vector<std::wstring>{L"one", L"two"}));

    auto values = enum_values(key->get());
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), 3u);
    for (const RegistryValueData& value : *values) {
        if (value.name == L"text") {
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(value.text(), "abc");
        } else if (value.name == L"bad") {
            EXPECT_EQ(value.wide_text(), (std::wstring{L'x', lone_surrogate}));
            ASSERT_FALSE(value.text());
            EXPECT_EQ(value.text().error().code(), hresult_no_unicode);
        } else {
            EXPECT_EQ(value.name, L"dword");
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
            EXPECT_EQ(value.data, (std::vector<std::uint8_t>{4, 3, 2, 1}));
            ASSERT_FALSE(value.text());
            EXPECT_EQ(value.text().error().code(), hresult_invalid_data);
        }
    }

    auto empty = create_key(HKEY_CURRENT_USER, L"K\\one");
    ASSERT_TRUE(empty);
    EXPECT_EQ(enum_values(empty->get()).value().size(), 0u);
    EXPECT_EQ(enum_subkeys(empty->get()).value().size(), 0u);
}

// Another program may store a longer text between the size the reader asks for and its read.
TEST_F(RegistryKeyTest, ValuesThatGrowWhileReadAreReadWhole) {
    create(L"K");
    set_string(L"K", L"A", L"a");
    set_string(L"K", L"Path", L"x");
    set_string(L"K", L"Z", L"z");
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(scratch(), L"K", 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
    const UniqueKey writable(raw);
    auto key = open_key(HKEY_CURRENT_USER, L"K");
    ASSERT_TRUE(key);

    std::atomic<bool> done = false;
    std::thread writer([&] {
        std::wstring text = L"x";
        while (!done) {
            // Nearly every write longer than the one before.
            text = text.size() < 2000 ? text + L'x' : L"x";
            (void)write_string_value(writable.get(), L"Path", text, false);
        }
    });
    std::size_t failures = 0, partial = 0;
    for (int i = 0; i < 500; ++i) {
        const auto read = read_string_value(key->get(), L"Path");
        if (!read || !*read) {
            ++failures;
        } else if (read->value().find_first_not_of(L'x') != std::wstring::npos) {
            ++partial;
        }
        const auto values = enum_values(key->get());
        if (!values)
            ++failures;
        else if (values->size() != 3)
            ++partial;
    }
    done = true;
    writer.join();
    EXPECT_EQ(failures, 0u);
    EXPECT_EQ(partial, 0u);
}

TEST_F(RegistryKeyTest, EnumerationOfAClosedKeyFails) {
    const auto subkeys = enum_subkeys(reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234)));
    ASSERT_FALSE(subkeys);
    EXPECT_EQ(subkeys.error().kind(), RegistryError::Kind::WindowsRegistry);
    EXPECT_FALSE(enum_values(reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234))));
}

}  // namespace
}  // namespace kestrune::win
