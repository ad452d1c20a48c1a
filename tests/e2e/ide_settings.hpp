// One installation laid out for the settings commands (env, the path lists, self): its
// registry keys and a fake tree, with the 32-bit and 64-bit IDEs present or not.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fixture.hpp"

namespace kestrune::e2e {

class IdeSettings : public ::testing::Test {
protected:
    Registry registry;
    scratch::Directory root;

    static inline const std::wstring version = L"Software\\Embarcadero\\BDS\\23.0";
    static inline const std::wstring env32 = version + L"\\Environment Variables";
    static inline const std::wstring env64 = version + L"\\Environment Variables x64";
    static std::wstring library(const std::wstring& platform) { return version + L"\\Library\\" + platform; }

    // The default tree has DCC32 and DCC64, so the platforms Win32 and Win64. The version key
    // is `version` unless another name is given.
    void install(bool ide32, bool ide64, FakeTree tree = {}) { install_at(root, ide32, ide64, std::move(tree)); }
    void install_at(const scratch::Directory& dir, bool ide32, bool ide64, FakeTree tree = {},
                    std::wstring version_name = InstallationSpec{}.version) {
        tree.bds = ide32;
        tree.bds64 = ide64;
        lay_out(dir, tree);
        InstallationSpec installation;
        installation.version = std::move(version_name);
        installation.root_dir = dir.path() + L"\\";
        installation.app = dir / L"bin\\bds.exe";  // registered either way: the file decides
        installation.app_x64 = dir / L"bin64\\bds.exe";
        add_installation(registry, installation);
    }

    // The value's text when it is a string of that type, else nullopt.
    std::optional<std::wstring> text(const std::wstring& key, const std::wstring& name, DWORD type = REG_SZ) const {
        const auto value = registry.get(key, name);
        if (!value || value->type != type) return std::nullopt;
        return value->text;
    }
};

}  // namespace kestrune::e2e
