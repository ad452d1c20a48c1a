// What the end-to-end tests lay out before running the program: registry keys under
// HKEY_CURRENT_USER and fake installation trees on disk (in scratch directories). Everything is
// removed again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "scratch_directory.hpp"

namespace kestrune::e2e {

struct RegValue {
    DWORD type = 0;
    std::wstring text;  // REG_SZ / REG_EXPAND_SZ data without the terminating NUL
    std::vector<unsigned char> bytes;
};

// Owns the registry state of one test: the IDE base keys are cleared when it starts and
// when it ends, and HKCU\Environment gets back the values it had.
class Registry {
public:
    Registry();
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    void set(const std::wstring& key, const std::wstring& name, const std::wstring& value, DWORD type = REG_SZ);
    void set_dword(const std::wstring& key, const std::wstring& name, DWORD value);
    void create_key(const std::wstring& key);
    void delete_tree(const std::wstring& key);
    void delete_value(const std::wstring& key, const std::wstring& name);
    std::optional<RegValue> get(const std::wstring& key, const std::wstring& name) const;
    bool key_exists(const std::wstring& key) const;
    // Value names of a key, in the order the registry enumerates them.
    std::vector<std::wstring> value_names(const std::wstring& key) const;

private:
    void clear_ide_keys();
    std::vector<std::pair<std::wstring, std::optional<RegValue>>> saved_environment_;
    std::vector<std::wstring> absent_vendor_keys_;  // the parents of the IDE keys that a test may create
};

// One installed version in the registry, with an optional fake tree under `root`.
struct InstallationSpec {
    std::wstring base_key = L"Software\\Embarcadero\\BDS";
    std::wstring version = L"23.0";
    std::optional<std::wstring> root_dir{};
    std::optional<std::wstring> app{};      // "App"
    std::optional<std::wstring> app_x64{};  // "App x64"
    std::optional<std::wstring> edition{};
    std::optional<std::wstring> product_name{};  // default value of Personalities
    std::vector<std::wstring> personalities = {L"Delphi.Win32"};
    std::optional<std::wstring> update{};  // "Main Product Update"
};

std::wstring version_key(const InstallationSpec& installation);
void add_installation(Registry& registry, const InstallationSpec& installation);

// A fake installation tree: rsvars scripts and stand-in tools under bin and bin64. Each
// rsvars script sets BDSBIN to its own directory and puts msbuild (holding the stand-in
// MSBuild.exe) first on PATH.
struct FakeTree {
    bool rsvars = true;
    bool rsvars64 = true;
    bool bds = true;       // bin\bds.exe
    bool bds64 = false;    // bin64\bds.exe
    std::vector<std::wstring> bin_tools = {L"DCC32.exe", L"DCC64.exe", L"BRCC32.exe"};
    std::vector<std::wstring> bin64_tools = {L"DCC64.exe"};
    bool msbuild = true;  // msbuild\MSBuild.exe
};
void lay_out(const scratch::Directory& root, const FakeTree& tree);

}  // namespace kestrune::e2e
