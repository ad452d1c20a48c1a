#include "fixture.hpp"

#include <gtest/gtest.h>

#include "harness.hpp"
#include "stored_value.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {
namespace {

const wchar_t* const vendor_keys[] = {L"Software\\Borland", L"Software\\CodeGear", L"Software\\Embarcadero"};
const wchar_t* const ide_base_keys[] = {L"Software\\Borland\\BDS", L"Software\\CodeGear\\BDS", L"Software\\Embarcadero\\BDS"};
const wchar_t* const environment_key = L"Environment";
const wchar_t* const environment_values[] = {L"Path", L"KestruneCLI"};

class Key {
public:
    Key(const std::wstring& path, bool create) {
        const LSTATUS status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                        KEY_READ | KEY_WRITE, nullptr, &h_, nullptr)
                                      : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &h_);
        if (status != ERROR_SUCCESS) h_ = nullptr;
    }
    ~Key() {
        if (h_) RegCloseKey(h_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

// Copies the stand-in tool into the directory under the given name.
void add_tool(const scratch::Directory& dir, const std::wstring& relative) {
    if (const auto slash = relative.rfind(L'\\'); slash != std::wstring::npos) dir.directory(relative.substr(0, slash));
    ASSERT_TRUE(CopyFileW((build_dir() + L"\\fake_tool.exe").c_str(), (dir / relative).c_str(), FALSE));
}

}  // namespace

Registry::Registry() {
    for (const wchar_t* key : vendor_keys)
        if (!key_exists(key)) absent_vendor_keys_.push_back(key);
    clear_ide_keys();
    for (const wchar_t* name : environment_values) saved_environment_.push_back({name, get(environment_key, name)});
}

Registry::~Registry() {
    clear_ide_keys();
    // Only when empty: RegDeleteKeyW refuses a key that still has subkeys.
    for (const auto& key : absent_vendor_keys_) RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    for (const auto& [name, value] : saved_environment_) {
        if (!value) {
            delete_value(environment_key, name);
            continue;
        }
        Key key(environment_key, true);
        RegSetValueExW(key.get(), name.c_str(), 0, value->type, value->bytes.data(), static_cast<DWORD>(value->bytes.size()));
    }
}

void Registry::clear_ide_keys() {
    for (const wchar_t* key : ide_base_keys) delete_tree(key);
}

void Registry::set(const std::wstring& key, const std::wstring& name, const std::wstring& value, DWORD type) {
    Key k(key, true);
    ASSERT_TRUE(k.get()) << win::to_utf8(key);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(RegSetValueExW(k.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()), bytes), ERROR_SUCCESS);
}

void Registry::set_dword(const std::wstring& key, const std::wstring& name, DWORD value) {
    Key k(key, true);
    ASSERT_TRUE(k.get());
    ASSERT_EQ(RegSetValueExW(k.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
}

void Registry::create_key(const std::wstring& key) {
    Key k(key, true);
    ASSERT_TRUE(k.get());
}

void Registry::delete_tree(const std::wstring& key) { RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()), RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str()); }

void Registry::delete_value(const std::wstring& key, const std::wstring& name) {
    Key k(key, false);
    if (k.get()) RegDeleteValueW(k.get(), name.c_str());
}

std::optional<RegValue> Registry::get(const std::wstring& key, const std::wstring& name) const {
    auto stored = testing::read_stored_value(HKEY_CURRENT_USER, key, name);
    if (!stored) return std::nullopt;
    RegValue value;
    value.type = stored->type;
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
        value.text = stored->units();
        if (!value.text.empty() && value.text.back() == L'\0') value.text.pop_back();
    }
    value.bytes = std::move(stored->data);
    return value;
}

bool Registry::key_exists(const std::wstring& key) const { return Key(key, false).get() != nullptr; }

std::vector<std::wstring> Registry::value_names(const std::wstring& key) const {
    std::vector<std::wstring> names;
    Key k(key, false);
    if (!k.get()) return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (RegEnumValueW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::wstring version_key(const InstallationSpec& installation) { return installation.base_key + L"\\" + installation.version; }

void add_installation(Registry& registry, const InstallationSpec& installation) {
    const std::wstring key = version_key(installation);
    registry.create_key(key);
    if (installation.root_dir) registry.set(key, L"RootDir", *installation.root_dir);
    if (installation.app) registry.set(key, L"App", *installation.app);
    if (installation.app_x64) registry.set(key, L"App x64", *installation.app_x64);
    if (installation.edition) registry.set(key, L"Edition", *installation.edition);
    const std::wstring personalities = key + L"\\Personalities";
    registry.create_key(personalities);
    if (installation.product_name) registry.set(personalities, L"", *installation.product_name);
    for (const auto& p : installation.personalities) registry.set(personalities, p, L"");
    if (installation.update) registry.set(key + L"\\InstalledUpdates", L"Main Product Update", *installation.update);
}

void lay_out(const scratch::Directory& root, const FakeTree& tree) {
    root.directory(L"bin");
    root.directory(L"bin64");
    const std::string root_utf8 = root.utf8();
    const auto rsvars = [&](const char* bin) {
        return "@SET BDS=" + root_utf8 + "\r\n@SET BDSBIN=" + root_utf8 + "\\" + bin + "\r\n@SET PATH=" + root_utf8 +
               "\\msbuild;%PATH%\r\n";
    };
    if (tree.rsvars) root.write(L"bin\\rsvars.bat", rsvars("bin"));
    if (tree.rsvars64) root.write(L"bin64\\rsvars64.bat", rsvars("bin64"));
    if (tree.msbuild) add_tool(root, L"msbuild\\MSBuild.exe");
    if (tree.bds) add_tool(root, L"bin\\bds.exe");
    if (tree.bds64) add_tool(root, L"bin64\\bds.exe");
    for (const auto& tool : tree.bin_tools) add_tool(root, L"bin\\" + tool);
    for (const auto& tool : tree.bin64_tools) add_tool(root, L"bin64\\" + tool);
}

}  // namespace kestrune::e2e
