// A private registry key that stands in for HKEY_CURRENT_USER while one test runs, so
// registry tests never touch the real user keys.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "stored_value.hpp"

namespace kestrune::testing {

class ScratchRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        path_ = L"Software\\KestruneTests\\scratch-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &scratch_, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch_), ERROR_SUCCESS);
        overridden_ = true;
        // Prove the override took effect before any test writes through HKEY_CURRENT_USER.
        HKEY probe = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"override-probe", 0, nullptr, 0, KEY_READ, nullptr, &probe, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(probe);
        ASSERT_TRUE(exists(L"override-probe")) << "HKEY_CURRENT_USER is not redirected to the scratch key";
        ASSERT_EQ(RegDeleteKeyW(scratch_, L"override-probe"), ERROR_SUCCESS);
    }

    void TearDown() override {
        if (overridden_) RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        if (scratch_) RegCloseKey(scratch_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KestruneTests");  // fails while other runs still use it
    }

    // Creates the key (and its parents) below the scratch key.
    void create(const std::wstring& key) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(scratch_, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
        RegCloseKey(k);
    }

    void set_raw(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(RegSetKeyValueW(scratch_, key.c_str(), name.c_str(), type, data, bytes), ERROR_SUCCESS);
    }

    // Stores the text's code units and one NUL.
    void set_string(const std::wstring& key, const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) {
        set_raw(key, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    void set_dword(const std::wstring& key, const std::wstring& name, DWORD value) {
        set_raw(key, name, REG_DWORD, &value, sizeof value);
    }

    void remove(const std::wstring& key) { ASSERT_EQ(RegDeleteTreeW(scratch_, key.c_str()), ERROR_SUCCESS) << "remove"; }

    bool exists(const std::wstring& key) const {
        HKEY k = nullptr;
        if (RegOpenKeyExW(scratch_, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }

    // A value exactly as stored, or nullopt when it (or its key) does not exist.
    std::optional<StoredValue> stored(const std::wstring& key, const std::wstring& name) const {
        return read_stored_value(scratch_, key, name);
    }

    HKEY scratch() const { return scratch_; }

private:
    std::wstring path_;
    HKEY scratch_ = nullptr;
    bool overridden_ = false;
};

}  // namespace kestrune::testing
