#include "backends/compiler.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "scratch_directory.hpp"
#include "win/utf.hpp"

namespace kestrune::backends {
namespace {

DccOptions source(std::wstring file) {
    DccOptions options;
    options.file = std::move(file);
    return options;
}

std::vector<std::string> switches_of(const DccOptions& options) {
    std::vector<std::string> out;
    for (const DccSwitch& row : dcc_switches(options)) out.push_back(row.switch_ + (row.argument.empty() ? "" : "=" + row.argument));
    return out;
}

TEST(DccSwitches, FollowTheFixedOrderAndSkipWhatIsUnset) {
    DccOptions flags = source(L"p.dpr");
    flags.no_config = flags.no_hints = flags.no_warnings = flags.build = flags.quiet = flags.cpp = flags.cpp_win64x = true;

    DccOptions texts = source(L"p.dpr");
    texts.alias = "A=B";
    texts.namespace_ = "Vcl";
    texts.define = {"DEBUG", "A;B"};
    texts.unit_search_dirs = "u";
    texts.resource_search_dirs = "r";
    texts.include_search_dirs = "i";
    texts.output_dir = "e";
    texts.unit_output_dir = "nu";
    texts.package_bpl_output_dir = "le";
    texts.package_dcp_output_dir = "ln";
    texts.cpp_bpi_output_dir = "nb";
    texts.cpp_hpp_output_dir = "nh";
    texts.cpp_obj_output_dir = "no";

    DccOptions empty_given = source(L"p.dpr");
    empty_given.output_dir = "";
    empty_given.unit_search_dirs = "";

    struct Case {
        const char* what;
        DccOptions options;
        std::vector<std::string> switches;
    };
    const Case cases[] = {
        {"nothing set, alias and namespace empty", source(L"p.dpr"), {}},
        {"every flag", flags, {"--no-config", "-H-", "-W-", "-B", "-Q", "-JL", "-jf:coffi"}},
        {"every text",
         texts,
         {"-A=A=B", "-NS=Vcl", "-D=DEBUG;A;B", "-U=u", "-R=r", "-I=i", "-E=e", "-NU=nu", "-LE=le", "-LN=ln", "-NB=nb",
          "-NH=nh", "-NO=no"}},
        {"an empty optional text is the bare switch", empty_given, {"-U", "-E"}},
    };
    for (const Case& c : cases) EXPECT_EQ(switches_of(c.options), c.switches) << c.what;

    // Exactly the output directories are made before the compiler runs.
    std::vector<std::string> made;
    for (const DccSwitch& row : dcc_switches(texts))
        if (row.creates_directory) made.push_back(row.switch_);
    EXPECT_EQ(made, (std::vector<std::string>{"-E", "-NU", "-LE", "-LN", "-NB", "-NH", "-NO"}));
}

TEST(DccCommand, QuotesSwitchValuesAndLeavesThemUnescaped) {
    DccOptions options = source(L"Project1.dpr");
    options.output_dir = "C:\\Out Dir";
    options.define = {"DEBUG", "TRACE"};
    EXPECT_EQ(win::command_line(dcc_command("C:\\IDE\\bin\\DCC32.exe", options)),
              L"\"C:\\IDE\\bin\\DCC32.exe\" Project1.dpr -D\"DEBUG;TRACE\" -E\"C:\\Out Dir\"");

    DccOptions odd = source(L"My Project.dpr");
    odd.unit_output_dir = "dcu\\";
    odd.quiet = true;
    odd.raw = {"-$D+", "a b", ""};
    EXPECT_EQ(win::command_line(dcc_command("dcc.exe", odd)),
              L"\"dcc.exe\" \"My Project.dpr\" -Q -NU\"dcu\\\" -$D+ \"a b\" \"\"");
}

TEST(BrccCommand, PassesTheOutputAsTwoArguments) {
    EXPECT_EQ(win::command_line(brcc_command("C:\\IDE\\bin\\BRCC32.exe", {L"app.rc", std::nullopt})),
              L"\"C:\\IDE\\bin\\BRCC32.exe\" app.rc");
    EXPECT_EQ(win::command_line(brcc_command("BRCC32.exe", {L"my app.rc", L"out\\app.res"})),
              L"\"BRCC32.exe\" \"my app.rc\" -fo out\\app.res");
}

TEST(RunDcc, StopsAtTheFirstDirectoryThatCannotBeMade) {
    const scratch::Directory tree;
    tree.write("blocker");
    DccOptions options = source(L"p.dpr");
    options.output_dir = tree.utf8() + "\\out\\exe";
    options.unit_output_dir = tree.utf8() + "\\blocker\\dcu";
    options.package_bpl_output_dir = tree.utf8() + "\\bpl";
    const auto result = run_dcc(tree.utf8() + "\\no-compiler.exe", options);
    ASSERT_FALSE(result);
    // The directory error, not the missing compiler: nothing was started.
    ASSERT_TRUE(result.error().code());
    EXPECT_NE(*result.error().code(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(std::filesystem::is_directory(tree / L"out\\exe"));
    EXPECT_FALSE(std::filesystem::exists(tree / L"bpl"));
}

}  // namespace
}  // namespace kestrune::backends
