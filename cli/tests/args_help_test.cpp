#include "args/help.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "args_sample.hpp"

namespace kestrune::args {
namespace {

const Command& tree() {
    static const Command command = sample::tree();
    return command;
}

std::string output(std::vector<std::wstring> words) {
    const auto parsed = sample::run(tree(), std::move(words));
    return parsed ? "(parsed)" : parsed.error().render(false);
}

// Every command of the tree as the words that reach it.
void collect_paths(const Command& command, std::vector<std::wstring> words, std::vector<std::vector<std::wstring>>& out) {
    out.push_back(words);
    for (const auto& sub : command.subcommands) {
        auto deeper = words;
        deeper.push_back(std::wstring(sub.name.begin(), sub.name.end()));
        collect_paths(sub, deeper, out);
    }
}

TEST(ArgsHelp, UsageLines) {
    const Command& build = tree().subcommands[0];
    const Command& add = tree().subcommands[1].subcommands[0];
    const Command& pkg = tree().subcommands[2];
    const Command& select = tree().subcommands[3];
    struct Case {
        std::vector<const Command*> chain;
        std::string line;
    };
    const Case cases[] = {
        {{&tree()}, "tool.exe [OPTIONS] [NAME] [COMMAND]"},
        {{&tree(), &build}, "tool.exe build [OPTIONS] <FILE> [-- <RAW>...]"},
        {{&tree(), &tree().subcommands[1], &add}, "tool.exe path add [OPTIONS] <ITEM>"},
        {{&tree(), &pkg}, "tool.exe pkg [OPTIONS] <COMMAND>"},
        {{&tree(), &select}, "tool.exe select [OPTIONS] [MESSAGE]"},
        {{&tree(), &help_subcommand()}, "tool.exe help [COMMAND]..."},
    };
    for (const auto& c : cases) EXPECT_EQ(usage(CommandPath{"tool.exe", c.chain}).plain(), c.line);
}

TEST(ArgsHelp, ShortHelpOfACommand) {
    EXPECT_EQ(output({L"build", L"-h"}),
              "Build a project\n"
              "\n"
              "Usage: tool.exe build [OPTIONS] <FILE> [-- <RAW>...]\n"
              "\n"
              "Arguments:\n"
              "  <FILE>    Project file\n"
              "  [RAW]...  Extra compiler options\n"
              "\n"
              "Options:\n"
              "  -c, --config <CONFIG>   Configuration name\n"
              "  -d, --define <DEFINE>   Define conditionals\n"
              "  -q, --quiet             Quiet compile\n"
              "  -b, --build             Build all units\n"
              "      --alias <ALIAS>     Set unit aliases [default: A=B;C=D]\n"
              "  -t, --tool-arch <ARCH>  Tool architecture [possible values: x86, x64]\n"
              "  -h, --help              Print help (see more with '--help')\n"
              "\n"
              "Version Information:\n"
              "      --Company <COMPANY>  Company name\n"
              "\n"
              "Global Options:\n"
              "  -a, --architecture <ARCH>  Specify the architecture [possible values: x86, x64]\n"
              "  -p, --platform <PLATFORM>  Specify the platform\n"
              "      --json                 Output JSON\n"
              "      --no-splash            No splash screen\n");
}

TEST(ArgsHelp, LongHelpOfACommand) {
    EXPECT_EQ(output({L"help", L"build"}),
              "Build a project\n"
              "\n"
              "Uses the default back-end.\n"
              "\n"
              "Usage: tool.exe build [OPTIONS] <FILE> [-- <RAW>...]\n"
              "\n"
              "Arguments:\n"
              "  <FILE>\n"
              "          Project file\n"
              "\n"
              "  [RAW]...\n"
              "          Extra compiler options\n"
              "\n"
              "Options:\n"
              "  -c, --config <CONFIG>\n"
              "          Configuration name.\n"
              "\n"
              "          If omitted, the project's own is used.\n"
              "\n"
              "  -d, --define <DEFINE>\n"
              "          Define conditionals\n"
              "\n"
              "  -q, --quiet\n"
              "          Quiet compile\n"
              "\n"
              "  -b, --build\n"
              "          Build all units\n"
              "\n"
              "      --alias <ALIAS>\n"
              "          Set unit aliases\n"
              "\n"
              "          [default: A=B;C=D]\n"
              "\n"
              "  -t, --tool-arch <ARCH>\n"
              "          Tool architecture\n"
              "\n"
              "          Possible values:\n"
              "          - x86: 32-bit\n"
              "          - x64: 64-bit\n"
              "\n"
              "  -h, --help\n"
              "          Print help (see a summary with '-h')\n"
              "\n"
              "Version Information:\n"
              "      --Company <COMPANY>\n"
              "          Company name\n"
              "\n"
              "Global Options:\n"
              "  -a, --architecture <ARCH>\n"
              "          Specify the architecture\n"
              "\n"
              "          Possible values:\n"
              "          - x86: 32-bit\n"
              "          - x64: 64-bit\n"
              "\n"
              "  -p, --platform <PLATFORM>\n"
              "          Specify the platform\n"
              "\n"
              "      --json\n"
              "          Output JSON\n"
              "\n"
              "      --no-splash\n"
              "          No splash screen\n");
}

TEST(ArgsHelp, TopHelpListsCommandsAndVersion) {
    EXPECT_EQ(output({L"-h"}),
              "Sample Tool\n"
              "\n"
              "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
              "\n"
              "Commands:\n"
              "  build   Build a project\n"
              "  path    Manage paths\n"
              "  pkg     Manage packages\n"
              "  select  Select interactively\n"
              "  help    Print this message or the help of the given subcommand(s)\n"
              "\n"
              "Arguments:\n"
              "  [NAME]  Choose a thing\n"
              "\n"
              "Options:\n"
              "  -h, --help     Print help (see more with '--help')\n"
              "  -V, --version  Print version\n"
              "\n"
              "Global Options:\n"
              "  -a, --architecture <ARCH>  Specify the architecture [possible values: x86, x64]\n"
              "  -p, --platform <PLATFORM>  Specify the platform\n"
              "      --json                 Output JSON\n"
              "      --no-splash            No splash screen\n");
}

// A help flag without a long form to point to says only "Print help".
TEST(ArgsHelp, PlainHelpLineWithoutALongForm) {
    const std::string text = output({L"path", L"add", L"-h"});
    EXPECT_NE(text.find("  <ITEM>\n"), std::string::npos);  // no help text: no padding after the name
    const std::string help_line = "  -h, --help  Print help\n";
    Command bare;
    bare.name = "bare";
    EXPECT_NE(help_text(CommandPath{"bare.exe", {&bare}}, false).plain().find(help_line), std::string::npos);
    EXPECT_NE(help_text(CommandPath{"bare.exe", {&bare}}, true).plain().find("  -h, --help\n          Print help\n"),
              std::string::npos);
}

// Names are aligned by the columns they take: an ideograph takes two, a combining accent none.
TEST(ArgsHelp, AlignsByTerminalColumns) {
    Command bare;
    bare.name = "bare";
    bare.args.push_back(sample::positional("name", "名前", "The name\nas listed", true));
    bare.args.push_back(sample::positional("drink", "CAFE\u0301", "A drink", false));
    EXPECT_EQ(help_text(CommandPath{"bare.exe", {&bare}}, false).plain(),
              "Usage: bare.exe [OPTIONS] <名前> [CAFE\u0301]\n"
              "\n"
              "Arguments:\n"
              "  <名前>  The name\n"
              "          as listed\n"
              "  [CAFE\u0301]  A drink\n"
              "\n"
              "Options:\n"
              "  -h, --help  Print help\n");
}

TEST(ArgsHelp, EveryCommandListsTheGlobalsAndNoHelpShowsAnAlias) {
    const std::set<std::string> aliases = {"make",    "envpath",    "push", "rm",       "--pta",    "--tools", "--arch",
                                           "--ide",   "--nosplash", "--ns", "IntelX86", "IntelX64", "32bit",   "64bit"};
    std::vector<std::vector<std::wstring>> paths;
    collect_paths(tree(), {}, paths);
    for (const auto& words : paths) {
        for (const wchar_t* flag : {L"-h", L"--help"}) {
            auto with_flag = words;
            with_flag.push_back(flag);
            const std::string text = output(with_flag);
            EXPECT_NE(text.find("Global Options:\n  -a, --architecture <ARCH>"), std::string::npos) << text;
            std::string token;
            for (const char c : text + " ") {
                if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') {
                    token += c;
                    continue;
                }
                EXPECT_FALSE(aliases.contains(token)) << token << " shown in\n" << text;
                token.clear();
            }
        }
    }
}

}  // namespace
}  // namespace kestrune::args
