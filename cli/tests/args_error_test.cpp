#include "args/error.hpp"

#include <gtest/gtest.h>

#include "args_sample.hpp"

namespace kestrune::args {
namespace {

const Command& tree() {
    static const Command command = sample::tree();
    return command;
}

std::string plain_error(std::vector<std::wstring> words) {
    const auto parsed = sample::run(tree(), std::move(words));
    return parsed ? "(parsed)" : parsed.error().render(false);
}

std::string strip_ansi(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b') {
            i = text.find('m', i);
            continue;
        }
        out += text[i];
    }
    return out;
}

TEST(ArgsError, WholeTextsWithContextAndSuggestions) {
    struct Case {
        std::vector<std::wstring> words;
        std::string text;
    };
    const Case cases[] = {
        {{L"--jsn"},
         "error: unexpected argument '--jsn' found\n"
         "\n"
         "  tip: a similar argument exists: '--json'\n"
         "\n"
         "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
         "\n"
         "For more information, try '--help'.\n"},
        // The globals of the top command are offered from inside a subcommand too.
        {{L"build", L"f", L"--no-splsh"},
         "error: unexpected argument '--no-splsh' found\n"
         "\n"
         "  tip: a similar argument exists: '--no-splash'\n"
         "\n"
         "Usage: tool.exe build [OPTIONS] <FILE> [-- <RAW>...]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"bulid"},
         "error: unrecognized subcommand 'bulid'\n"
         "\n"
         "  tip: a similar subcommand exists: 'build'\n"
         "\n"
         "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"build", L"f", L"-t", L"X65"},
         "error: invalid value 'X65' for '--tool-arch <ARCH>'\n"
         "  [possible values: x86, x64]\n"
         "\n"
         "  tip: a similar value exists: 'x64'\n"
         "\n"
         "Usage: tool.exe build [OPTIONS] <FILE> [-- <RAW>...]\n"
         "\n"
         "For more information, try '--help'.\n"},
        // Aliases are never offered, neither as values nor as suggestions.
        {{L"-a", L"arm"},
         "error: invalid value 'arm' for '--architecture <ARCH>'\n"
         "  [possible values: x86, x64]\n"
         "\n"
         "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"xyz"},
         "error: invalid value 'xyz' for '[NAME]': no such thing\n"
         "\n"
         "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"pkg", L"--json"},
         "error: 'tool.exe pkg' requires a subcommand but one was not provided\n"
         "  [subcommands: install, help]\n"
         "\n"
         "Usage: tool.exe pkg [OPTIONS] <COMMAND>\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"path", L"add"},
         "error: the following required arguments were not provided:\n"
         "  <ITEM>\n"
         "\n"
         "Usage: tool.exe path add [OPTIONS] <ITEM>\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"pkg", L"install", L"p.bpl", L"--register"},
         "error: the following required arguments were not provided:\n"
         "  --registry-key <KEY>\n"
         "\n"
         "Usage: tool.exe pkg install [OPTIONS] <FILE>\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"pkg", L"install", L"-r"},
         "error: the following required arguments were not provided:\n"
         "  <FILE>\n"
         "  --registry-key <KEY>\n"
         "\n"
         "Usage: tool.exe pkg install [OPTIONS] <FILE>\n"
         "\n"
         "For more information, try '--help'.\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(plain_error(c.words), c.text);
}

// A word the top command reads as its value, but that names a subcommand's own subcommand, or
// a value given to a command that takes none while the top command still takes one: the tip
// says where the word belongs.
TEST(ArgsError, TipsWhereAMisplacedWordBelongs) {
    Command with_info = sample::tree();
    with_info.subcommands.push_back(Command{.name = "info", .about = "Show the thing"});
    struct Case {
        std::vector<std::wstring> words;
        std::string text;
    };
    const Case cases[] = {
        {{L"install"},
         "error: invalid value 'install' for '[NAME]': no such thing\n"
         "\n"
         "  tip: a similar subcommand exists: 'pkg install'\n"
         "\n"
         "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"remov", L"x"},
         "error: invalid value 'remov' for '[NAME]': no such thing\n"
         "\n"
         "  tip: a similar subcommand exists: 'path remove'\n"
         "\n"
         "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"info", L"beta"},
         "error: unexpected argument 'beta' found\n"
         "\n"
         "  tip: to pass 'beta' as '[NAME]', put it before the subcommand: 'tool.exe beta info'\n"
         "\n"
         "Usage: tool.exe info [OPTIONS]\n"
         "\n"
         "For more information, try '--help'.\n"},
        {{L"--json", L"info", L"my thing"},
         "error: unexpected argument 'my thing' found\n"
         "\n"
         "  tip: to pass 'my thing' as '[NAME]', put it before the subcommand: 'tool.exe \"my thing\" info'\n"
         "\n"
         "Usage: tool.exe info [OPTIONS]\n"
         "\n"
         "For more information, try '--help'.\n"},
        // With NAME given there is no place left for the word.
        {{L"alpha", L"info", L"beta"},
         "error: unexpected argument 'beta' found\n"
         "\n"
         "Usage: tool.exe info [OPTIONS]\n"
         "\n"
         "For more information, try '--help'.\n"},
    };
    for (const auto& c : cases) {
        const auto parsed = sample::run(with_info, c.words);
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error().render(false), c.text);
    }
    // A word close to a subcommand stays a misspelt subcommand, unless an inner one has exactly its name.
    Command with_sel = sample::tree();
    with_sel.subcommands[1].subcommands.push_back(Command{.name = "sel", .about = "Choose an item"});
    const std::pair<std::wstring, std::string> misspelt[] = {{L"selec", "'select'"}, {L"sel", "'path sel'"}};
    for (const auto& [word, similar] : misspelt) {
        const auto parsed = sample::run(with_sel, {word});
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error().kind(), ErrorKind::InvalidSubcommand);
        EXPECT_NE(parsed.error().render(false).find("tip: a similar subcommand exists: " + similar + "\n"), std::string::npos)
            << similar;
    }
}

TEST(ArgsError, ColourStylesTheSameTextWithoutChangingIt) {
    const auto parsed = sample::run(tree(), {L"--jsn"});
    ASSERT_FALSE(parsed);
    const std::string plain = parsed.error().render(false);
    const std::string colour = parsed.error().render(true);
    EXPECT_EQ(plain.find('\x1b'), std::string::npos);
    EXPECT_EQ(strip_ansi(colour), plain);
    EXPECT_TRUE(colour.starts_with("\x1b[1m\x1b[91merror:\x1b[0m unexpected argument '\x1b[1m\x1b[93m--jsn\x1b[0m' found"));
    EXPECT_NE(colour.find("'\x1b[1m\x1b[96m--json\x1b[0m'"), std::string::npos);
    EXPECT_NE(colour.find("\x1b[1m\x1b[92mUsage:\x1b[0m \x1b[1m\x1b[96mtool.exe\x1b[0m"), std::string::npos);

    const auto help = sample::run(tree(), {L"-h"});
    const std::string help_colour = help.error().render(true);
    EXPECT_EQ(strip_ansi(help_colour), help.error().render(false));
    EXPECT_NE(help_colour.find("\x1b[1m\x1b[92mOptions:\x1b[0m"), std::string::npos);
}

TEST(ArgsError, ErrorsFoundAfterParsingCarryTheTopUsage) {
    const Error error = make_error(tree(), "tool.exe", ErrorKind::MissingSubcommand,
                                   "a subcommand is required but one was not provided");
    EXPECT_EQ(error.kind(), ErrorKind::MissingSubcommand);
    EXPECT_EQ(error.exit_code(), 2);
    EXPECT_TRUE(error.to_stderr());
    EXPECT_EQ(error.render(false),
              "error: a subcommand is required but one was not provided\n"
              "\n"
              "Usage: tool.exe [OPTIONS] [NAME] [COMMAND]\n"
              "\n"
              "For more information, try '--help'.\n");
}

}  // namespace
}  // namespace kestrune::args
