#include "catalogue/paths.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "scratch_directory.hpp"
#include "win/path.hpp"

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

// The answers as the definition gives them: each candidate file checked on its own.
std::vector<Platform> platforms_one_by_one(const Installation& i) {
    std::vector<Platform> out;
    for (const PlatformInfo& p : platform_table)
        for (Architecture a : tool_search_order(std::nullopt))
            if (win::path_exists(tool_path(i, p.tool, a))) {
                out.push_back(p.value);
                break;
            }
    return out;
}

std::vector<Architecture> ides_one_by_one(const Installation& i) {
    std::vector<Architecture> out;
    for (const ArchitectureInfo& a : architecture_table)
        if (win::path_exists(ide_path(i, a.value))) out.push_back(a.value);
    return out;
}

std::vector<Tool> tools_one_by_one(const Installation& i, Architecture a) {
    std::vector<Tool> out;
    for (const ToolInfo& tool : tool_table)
        if (win::path_exists(tool_path(i, tool.value, a))) out.push_back(tool.value);
    return out;
}

// A missing root or tool directory answers for every file below it; whatever a tree holds and
// however the root is written, the answers are those of checking every candidate file on its own.
TEST(PathsOnHostileTrees, AnswerAsEveryFileCheckedOnItsOwn) {
    struct Case {
        const char* what;
        std::function<void(const Directory&)> lay_out;
        std::function<std::string(const Directory&)> root;  // the RootDir value; the tree is the current directory
        std::vector<Platform> platforms;                     // when the system's own answer is not in doubt
        std::string app = {};                                // below the root, "App" is the root's text and this
        std::vector<Architecture> ides = {};                 // when the system's own answer is not in doubt
    };
    const auto in_tree = [](const Directory& tree) { return tree.utf8(); };
    const Case cases[] = {
        {"names in another letter case",
         [](const Directory& t) { t.write("bin\\dcc32.EXE"); t.write("bin64\\Dcc64.Exe"); t.write("bin64\\bcc64X.exe"); },
         in_tree, {Platform::Win32, Platform::Win64, Platform::Win64x}},
        {"a directory named like a tool", [](const Directory& t) { t.directory(L"bin\\DCC32.exe"); }, in_tree,
         {Platform::Win32}},
        {"a file where bin64 should be", [](const Directory& t) { t.write("bin64"); t.write("bin\\DCC32.exe"); }, in_tree,
         {Platform::Win32}},
#ifdef KESTRUNE_LINK_TREE
        // Wine makes no links itself: these trees are laid out on the host (tests/CMakeLists.txt).
        {"a link to a tool, a link to nothing and a linked tool directory", [](const Directory&) {},
         [](const Directory&) { return std::string(KESTRUNE_LINK_TREE "/links"); }, {Platform::Win64, Platform::OSX64}},
        {"a link to nothing where bin should be", [](const Directory&) {},
         [](const Directory&) { return std::string(KESTRUNE_LINK_TREE "/dangling"); }, {Platform::Win64}},
#endif
        {"no tool directories", [](const Directory& t) { t.write("DCC32.exe"); }, in_tree, {}},
        {"a root that is not there", [](const Directory& t) { t.write("bin\\DCC32.exe"); },
         [](const Directory& t) { return t.utf8() + "\\gone"; }, {}, "\\bin\\bds.exe"},
        {"an IDE reached from a root that is not there through ..", [](const Directory& t) { t.write("ide\\bds.exe"); },
         [](const Directory& t) { return t.utf8() + "\\gone\\"; }, {}, "..\\ide\\bds.exe", {Architecture::x86}},
        {"an IDE in a directory whose name begins like the root's",
         [](const Directory& t) { t.write("gone2\\bds.exe"); }, [](const Directory& t) { return t.utf8() + "\\gone"; }, {},
         "2\\bds.exe", {Architecture::x86}},
        {"bin64 alone", [](const Directory& t) { t.write("bin64\\DCC32.exe"); t.write("bin64\\DCC64.exe"); }, in_tree,
         {Platform::Win32, Platform::Win64}},
        {"a relative root", [](const Directory& t) { t.write("ide\\bin\\DCC32.exe"); },
         [](const Directory&) { return std::string("ide"); }, {Platform::Win32}},
        {"the empty root: the current directory", [](const Directory& t) { t.write("bin64\\DCC32.exe"); },
         [](const Directory&) { return std::string(); }, {Platform::Win32}},
        {"a root that climbs back with .. from a directory that is not there",
         [](const Directory& t) { t.write("bin\\DCC32.exe"); },
         [](const Directory& t) { return t.utf8() + "\\gone\\.."; }, {Platform::Win32}},
        {"a relative root that climbs back with ..", [](const Directory& t) { t.write("bin\\DCC32.exe"); },
         [](const Directory&) { return std::string("ide\\.."); }, {Platform::Win32}},
        {"a wildcard in the root", [](const Directory& t) { t.write("ide\\bin\\DCC32.exe"); },
         [](const Directory& t) { return t.utf8() + "\\id*"; }, {}},
        {"a wildcard of the system's own in the root", [](const Directory& t) { t.write("ide\\bin\\DCC32.exe"); },
         [](const Directory& t) { return t.utf8() + "\\id<"; }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Directory tree;
        c.lay_out(tree);
        const scratch::CurrentDirectory here(tree.path());
        std::map<std::string, std::string, std::less<>> values{{"RootDir", c.root(tree)}};
        if (!c.app.empty()) values["App"] = c.root(tree) + c.app;
        const Installation i = with_values(std::move(values));
        const std::vector<Platform> found = listed(platforms(i));
        EXPECT_EQ(found, platforms_one_by_one(i));
        EXPECT_EQ(listed(ide_architectures(i)), ides_one_by_one(i));
        EXPECT_EQ(listed(ide_architectures(i)), c.ides);
        for (Architecture a : {Architecture::x86, Architecture::x64})
            EXPECT_EQ(listed(command_line_tools(i, a)), tools_one_by_one(i, a)) << name(a);
        // Where the system's answer is certain, the listing is seen to find things at all.
        if (!c.platforms.empty()) {
            EXPECT_EQ(found, c.platforms);
        }
    }
}

}  // namespace
}  // namespace kestrune::catalogue
