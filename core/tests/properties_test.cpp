#include "catalogue/properties.hpp"

#include <gtest/gtest.h>

#include "catalogue/release.hpp"
#include "scratch_directory.hpp"

namespace kestrune::catalogue {
namespace {

Installation installation(std::string version) {
    Installation i;
    i.base_key = "Software\\Embarcadero\\BDS";
    i.version = std::move(version);
    i.release = find_release(i.version);
    return i;
}

TEST(Properties, ListsEveryPropertyInOrder) {
    const scratch::Directory tree;
    for (const char* f : {"bin64\\rsvars64.bat", "bin\\rsvars.bat", "bin\\DCC32.exe", "bin64\\BCC64X.exe",
                          "bin64\\DCCAARM64.exe", "bin64\\bds.exe"})
        tree.write(f);
    Installation i = installation("37.0");
    i.update_number = 2;
    i.personalities = {Personality::CBuilder, Personality::Delphi};
    i.registry_values = {{"RootDir", tree.utf8() + "\\"},
                         {"App", tree.utf8() + "\\bin\\bds.exe"},
                         {"App x64", tree.utf8() + "\\bin64\\bds.exe"},
                         {"Edition", "Starter"}};

    const auto map = properties(i);
    ASSERT_TRUE(map.has_value()) << map.error();
    // The root directory is the one varying text; JSON doubles its backslashes.
    const std::string root = PropertyMap(tree.utf8() + "\\").dump();
    EXPECT_EQ(map->dump(2), R"({
  "is_known": true,
  "version": "37.0",
  "version_number": 37,
  "compiler_version": "37.0",
  "compiler_version_number": 370,
  "package_version": "37",
  "package_version_number": 370,
  "product_family": "RAD Studio",
  "product_version": "13",
  "product_name": "RAD Studio 13",
  "update_number": 2,
  "name": "RAD Studio 13.2",
  "code_name": "Florence",
  "full_name": "RAD Studio 13.2 Florence",
  "edition": "Community",
  "display_name": "RAD Studio 13.2 Florence Community Edition",
  "root_dir": )" + root + R"(,
  "personalities": [
    "Delphi",
    "CBuilder"
  ],
  "architectures": [
    "x86",
    "x64"
  ],
  "ide_architectures": [
    "x64"
  ],
  "platforms": [
    "Win32",
    "Win64x",
    "Android64"
  ],
  "ide_platforms": [
    "Win64"
  ]
})");
}

TEST(Properties, UnknownReleaseWithoutFilesKeepsEveryKey) {
    // Without "RootDir" the files are sought in the current directory: make it an empty one.
    const scratch::Directory empty;
    const scratch::CurrentDirectory here(empty.path());
    const auto map = properties(installation("24.0"));
    ASSERT_TRUE(map.has_value()) << map.error();
    EXPECT_EQ(map->dump(),
              R"({"is_known":false,"version":"24.0","version_number":24,"compiler_version":"",)"
              R"("compiler_version_number":0,"package_version":"","package_version_number":0,)"
              R"("product_family":"RAD Studio","product_version":"<24.0>","product_name":"RAD Studio <24.0>",)"
              R"("update_number":0,"name":"RAD Studio <24.0>","code_name":"","full_name":"RAD Studio <24.0>",)"
              R"("edition":null,"display_name":"RAD Studio <24.0>","root_dir":"","personalities":[],)"
              R"("architectures":[],"ide_architectures":[],"platforms":[],"ide_platforms":[]})");
}

TEST(Properties, RootDirThatIsNotUtf8IsAnError) {
    Installation i = installation("23.0");
    i.registry_values["RootDir"] = "C:\\\xFF\\RAD";
    const auto map = properties(i);
    ASSERT_FALSE(map.has_value());
    EXPECT_EQ(map.error(), "path contains invalid UTF-8 characters");
}

}  // namespace
}  // namespace kestrune::catalogue
