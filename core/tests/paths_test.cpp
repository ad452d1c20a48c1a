#include "catalogue/paths.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "scratch_directory.hpp"

namespace kestrune::catalogue {
namespace {

using scratch::Directory;

Installation with_values(std::map<std::string, std::string, std::less<>> values) {
    Installation installation;
    installation.version = "23.0";
    installation.registry_values = std::move(values);
    return installation;
}

template <class E>
std::vector<E> listed(EnumSet<E> set) {
    return {set.begin(), set.end()};
}

TEST(Paths, JoinsTheRootDirectoryWithOneSeparator) {
    struct Case {
        std::string root;
        std::string rsvars86, rsvars64, dcc64;
    } cases[] = {
        {"C:\\RAD", "C:\\RAD\\bin\\rsvars.bat", "C:\\RAD\\bin64\\rsvars64.bat", "C:\\RAD\\bin64\\DCC64.exe"},
        {"C:\\RAD\\", "C:\\RAD\\bin\\rsvars.bat", "C:\\RAD\\bin64\\rsvars64.bat", "C:\\RAD\\bin64\\DCC64.exe"},
        {"C:/RAD/", "C:/RAD/bin\\rsvars.bat", "C:/RAD/bin64\\rsvars64.bat", "C:/RAD/bin64\\DCC64.exe"},
    };
    for (const Case& c : cases) {
        const Installation i = with_values({{"RootDir", c.root}});
        EXPECT_EQ(root_dir(i), c.root);
        EXPECT_EQ(rsvars_path(i, Architecture::x86), c.rsvars86);
        EXPECT_EQ(rsvars_path(i, Architecture::x64), c.rsvars64);
        EXPECT_EQ(tool_path(i, Tool::DCC64, Architecture::x64), c.dcc64);
    }

    // Without "RootDir" every path is relative; a lower-case "rootdir" is another value.
    const Installation none = with_values({{"rootdir", "C:\\RAD"}, {"App", "%ROOT%\\bds.exe"}});
    EXPECT_EQ(root_dir(none), "");
    EXPECT_EQ(bin_dir(none, Architecture::x64), "bin64");
    EXPECT_EQ(rsvars_path(none, Architecture::x86), "bin\\rsvars.bat");
    EXPECT_EQ(tool_path(none, Tool::DCC32, Architecture::x86), "bin\\DCC32.exe");
    EXPECT_EQ(ide_path(none, Architecture::x86), "%ROOT%\\bds.exe");  // not expanded
    EXPECT_EQ(ide_path(none, Architecture::x64), "");
}

class PathsOnDisk : public ::testing::Test {
protected:
    Installation installation(std::string_view app = {}, std::string_view app64 = {}) const {
        std::map<std::string, std::string, std::less<>> values{{"RootDir", tree.utf8()}};
        if (!app.empty()) values["App"] = std::string(app);
        if (!app64.empty()) values["App x64"] = std::string(app64);
        return with_values(std::move(values));
    }
    std::string at(std::string_view relative) const { return tree.utf8() + "\\" + std::string(relative); }

    Directory tree;
};

TEST_F(PathsOnDisk, RsvarsScriptsDecideTheArchitectures) {
    const Installation i = installation();
    EXPECT_TRUE(architectures(i).empty());
    EXPECT_EQ(rsvars_path_for_architecture(i, std::nullopt), std::nullopt);

    tree.write("bin64\\rsvars64.bat");
    EXPECT_EQ(listed(architectures(i)), std::vector{Architecture::x64});
    EXPECT_EQ(rsvars_path_for_architecture(i, std::nullopt), at("bin64\\rsvars64.bat"));
    EXPECT_EQ(rsvars_path_for_architecture(i, Architecture::x86), std::nullopt);

    tree.write("bin\\rsvars.bat");
    EXPECT_EQ(listed(architectures(i)), (std::vector{Architecture::x86, Architecture::x64}));
    EXPECT_EQ(rsvars_path_for_architecture(i, std::nullopt), at("bin\\rsvars.bat"));
    EXPECT_EQ(rsvars_path_for_architecture(i, Architecture::x64), at("bin64\\rsvars64.bat"));

    // A trailing backslash on the root finds the same files.
    Installation slash = i;
    slash.registry_values["RootDir"] = tree.utf8() + "\\";
    EXPECT_EQ(rsvars_path_for_architecture(slash, Architecture::x86), at("bin\\rsvars.bat"));
}

TEST_F(PathsOnDisk, ToolsAreSoughtInTheArchitecturesOrder) {
    const Installation i = installation();
    tree.write("bin64\\DCC64.exe");
    EXPECT_EQ(find_tool(i, Tool::DCC64, std::nullopt), at("bin64\\DCC64.exe"));  // falls back to bin64
    EXPECT_EQ(find_tool(i, Tool::DCC64, Architecture::x86), at("bin64\\DCC64.exe"));

    tree.write("bin\\DCC64.exe");
    EXPECT_EQ(find_tool(i, Tool::DCC64, Architecture::x64), at("bin64\\DCC64.exe"));
    EXPECT_EQ(find_tool(i, Tool::DCC64, Architecture::x86), at("bin\\DCC64.exe"));
    EXPECT_EQ(compiler_path(i, Tool::DCC64, std::nullopt), at("bin\\DCC64.exe"));
    EXPECT_EQ(find_tool(i, Tool::DCC32, std::nullopt), std::nullopt);
}

TEST_F(PathsOnDisk, PlatformsCountEitherDirectoryButOnlyDccToolsAreCompilers) {
    const Installation i = installation();
    tree.write("bin\\DCC32.exe");
    tree.write("bin64\\BCC64X.exe");
    tree.write("bin64\\DCCIOSARM64.exe");
    EXPECT_EQ(listed(platforms(i)), (std::vector{Platform::Win32, Platform::Win64x, Platform::IOSDevice64}));
    EXPECT_EQ(find_tool(i, Tool::BCC64X, std::nullopt), at("bin64\\BCC64X.exe"));
    EXPECT_EQ(compiler_path(i, Tool::BCC64X, std::nullopt), std::nullopt);
    EXPECT_EQ(compiler_path(i, Tool::DCCIOSARM64, Architecture::x86), at("bin64\\DCCIOSARM64.exe"));

    // The resource compiler is a command-line tool but not a compiler.
    tree.write("bin\\BRCC32.exe");
    EXPECT_EQ(compiler_path(i, Tool::BRCC32, std::nullopt), std::nullopt);
    EXPECT_EQ(brcc32_path(i, Architecture::x64), at("bin\\BRCC32.exe"));
}

TEST_F(PathsOnDisk, CommandLineToolsLookOnlyInTheirOwnDirectory) {
    const Installation i = installation();
    tree.write("bin\\BRCC32.exe");
    tree.write("bin64\\DCC64.exe");
    tree.write("bin64\\DCCARM64EC.exe");
    EXPECT_EQ(listed(command_line_tools(i, Architecture::x86)), std::vector{Tool::BRCC32});
    EXPECT_EQ(listed(command_line_tools(i, Architecture::x64)), (std::vector{Tool::DCC64, Tool::DCCARM64EC}));
}

TEST_F(PathsOnDisk, IdeExecutablesDecideTheIdeArchitectures) {
    tree.directory(L"ide64");
    const Installation i = installation(at("missing\\bds.exe"), at("ide64"));
    EXPECT_EQ(listed(ide_architectures(i)), std::vector{Architecture::x64});
    EXPECT_EQ(listed(ide_platforms(i)), std::vector{Platform::Win64});
    EXPECT_EQ(ide_path_for_architecture(i, std::nullopt), at("ide64"));
    EXPECT_EQ(ide_path_for_architecture(i, Architecture::x86), std::nullopt);

    tree.write("bin\\bds.exe");
    const Installation both = installation(at("bin\\bds.exe"), at("ide64"));
    EXPECT_EQ(listed(ide_platforms(both)), (std::vector{Platform::Win32, Platform::Win64}));
    EXPECT_EQ(ide_path_for_architecture(both, std::nullopt), at("bin\\bds.exe"));
    EXPECT_TRUE(ide_architectures(installation()).empty());
}

TEST_F(PathsOnDisk, MissingRootDirResolvesAgainstTheCurrentDirectory) {
    tree.write("bin\\rsvars.bat");
    tree.write("bin64\\DCC64.exe");
    const Installation i = with_values({});
    const auto before = std::filesystem::current_path();
    {
        const scratch::CurrentDirectory here(tree.path());
        EXPECT_EQ(listed(architectures(i)), std::vector{Architecture::x86});
        EXPECT_EQ(rsvars_path_for_architecture(i, std::nullopt), "bin\\rsvars.bat");
        EXPECT_EQ(find_tool(i, Tool::DCC64, std::nullopt), "bin64\\DCC64.exe");
    }
    EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
}  // namespace kestrune::catalogue
