#include "args/parser.hpp"

#include <gtest/gtest.h>

#include "args_sample.hpp"

namespace kestrune::args {
namespace {

using Words = std::vector<std::wstring>;
using Texts = std::vector<std::string>;

const Command& tree() {
    static const Command command = sample::tree();
    return command;
}

// The matches of the innermost subcommand chosen.
const Matches& innermost(const Matches& top) {
    const Matches* m = &top;
    while (m->subcommand()) m = &m->subcommand()->matches;
    return *m;
}

std::string first_line(const Error& error) {
    const std::string text = error.render(false);
    return text.substr(0, text.find('\n'));
}

TEST(ArgsParser, SplitsOptionsFromTheirValues) {
    struct Case {
        Words words;
        std::string id;
        Texts expected;
    };
    const Case cases[] = {
        {{L"build", L"f", L"-c", L"Debug"}, "config", {"Debug"}},
        {{L"build", L"f", L"--config", L"Debug"}, "config", {"Debug"}},
        {{L"build", L"--config=Debug", L"f"}, "config", {"Debug"}},
        {{L"build", L"f", L"-cDebug"}, "config", {"Debug"}},
        {{L"build", L"f", L"-c=Debug"}, "config", {"Debug"}},
        {{L"build", L"f", L"--config=a=b"}, "config", {"a=b"}},
        {{L"build", L"f", L"--config="}, "config", {""}},
        {{L"build", L"f", L"--config", L""}, "config", {""}},
        {{L"build", L"f", L"-c", L"-"}, "config", {"-"}},
        {{L"build", L"f", L"-qb"}, "quiet", {"true"}},
        {{L"build", L"f", L"-qb"}, "build", {"true"}},
        {{L"build", L"f", L"-qbcX"}, "config", {"X"}},
        {{L"build", L"f", L"-q"}, "build", {"false"}},
        {{L"build", L"-"}, "file", {"-"}},
        // Append keeps command-line order and never splits a value.
        {{L"build", L"f", L"-d", L"A", L"--define", L"B;C", L"-dD", L"--define=E"}, "define", {"A", "B;C", "D", "E"}},
        // After "--" everything is a trailing value, also option-like words and a second "--".
        {{L"build", L"f", L"--", L"-q", L"--config", L"x", L"--"}, "raw", {"-q", "--config", "x", "--"}},
        {{L"build", L"f", L"--", L"-q"}, "quiet", {"false"}},
        {{L"build", L"f", L"--"}, "raw", {}},
        {{L"build", L"f"}, "raw", {}},
        // Without a trailing argument the words after "--" are ordinary positionals.
        {{L"select", L"--", L"-m"}, "message", {"-m"}},
        {{L"select", L"--", L"-m"}, "multi", {"false"}},
    };
    for (const auto& c : cases) {
        const auto parsed = sample::run(tree(), c.words);
        ASSERT_TRUE(parsed) << c.id << ": " << parsed.error().render(false);
        EXPECT_EQ(innermost(*parsed).texts(c.id), c.expected) << c.id << " after " << c.words.size() << " words";
    }
}

TEST(ArgsParser, GlobalOptionsLandInTheTopMatchesFromEveryDepth) {
    const Words cases[] = {
        {L"-a", L"x64", L"--json", L"path", L"add", L"D:\\X"},
        {L"path", L"-a", L"x64", L"--json", L"add", L"D:\\X"},
        {L"path", L"add", L"D:\\X", L"-a", L"x64", L"--json"},
        {L"path", L"add", L"--architecture=x64", L"D:\\X", L"--json"},
    };
    for (const auto& words : cases) {
        const auto parsed = sample::run(tree(), words);
        ASSERT_TRUE(parsed) << parsed.error().render(false);
        EXPECT_EQ(parsed->choice("architecture"), 1u);
        EXPECT_EQ(parsed->flag("json"), true);
        ASSERT_NE(parsed->subcommand(), nullptr);
        const auto& path = parsed->subcommand()->matches;
        ASSERT_NE(path.subcommand(), nullptr);
        EXPECT_EQ(path.subcommand()->name, "add");
        EXPECT_EQ(path.subcommand()->matches.os_text("item"), L"D:\\X");
        EXPECT_FALSE(path.subcommand()->matches.declares("architecture"));
    }

    // Only global options reach below their own command.
    ASSERT_TRUE(sample::run(tree(), {L"path", L"--sorted"}));
    const auto local = sample::run(tree(), {L"path", L"add", L"X", L"--sorted"});
    ASSERT_FALSE(local);
    EXPECT_EQ(local.error().kind(), ErrorKind::UnknownArgument);

    const auto twice = sample::run(tree(), {L"--json", L"path", L"add", L"X", L"--json"});
    ASSERT_FALSE(twice);
    EXPECT_EQ(twice.error().kind(), ErrorKind::ArgumentUsedTwice);
    EXPECT_EQ(first_line(twice.error()), "error: the argument '--json' cannot be used multiple times");
}

TEST(ArgsParser, HiddenAliasesWorkLikeTheirNames) {
    const auto sub = sample::run(tree(), {L"make", L"f"});
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->subcommand()->name, "build");

    const auto inner = sample::run(tree(), {L"envpath", L"push", L"X"});
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->subcommand()->name, "path");
    EXPECT_EQ(inner->subcommand()->matches.subcommand()->name, "add");

    const auto options = sample::run(tree(), {L"--ns", L"build", L"f", L"--pta", L"x64", L"--ide", L"x86"});
    ASSERT_TRUE(options) << options.error().render(false);
    EXPECT_EQ(options->flag("no_splash"), true);
    EXPECT_EQ(options->choice("architecture"), 0u);
    EXPECT_EQ(innermost(*options).choice("tool_arch"), 1u);

    // Long names and aliases are compared exactly.
    for (const wchar_t* word : {L"--ARCH", L"--Json", L"--NS"}) {
        const auto refused = sample::run(tree(), {word, L"x64"});
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().kind(), ErrorKind::UnknownArgument);
    }
}

TEST(ArgsParser, EnumeratedValuesMatchNamesAndAliasesIgnoringAsciiCase) {
    struct Case {
        const wchar_t* typed;
        std::size_t choice;
    };
    const Case cases[] = {{L"x86", 0}, {L"X64", 1}, {L"intelx86", 0}, {L"INTELX64", 1}, {L"32BIT", 0}, {L"64bit", 1}};
    for (const auto& c : cases) {
        const auto parsed = sample::run(tree(), {L"-a", c.typed});
        ASSERT_TRUE(parsed);
        const MatchedValue* value = parsed->value("architecture");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->choice, c.choice);
        EXPECT_EQ(value->raw, c.typed);  // the typed text is kept, not the name it selected
    }
}

TEST(ArgsParser, AbsentArgumentsAreDeclaredWithDefaultsAndFalseFlags) {
    const auto parsed = sample::run(tree(), {L"build", L"f"});
    ASSERT_TRUE(parsed);
    const Matches& build = innermost(*parsed);
    EXPECT_EQ(build.text("alias"), "A=B;C=D");
    EXPECT_EQ(build.flag("quiet"), false);
    EXPECT_TRUE(build.declares("config"));
    EXPECT_EQ(build.value("config"), nullptr);
    EXPECT_EQ(build.texts("define"), Texts{});
    EXPECT_FALSE(build.declares("nothing"));
    EXPECT_EQ(build.flag("nothing"), std::nullopt);
    EXPECT_EQ(parsed->flag("json"), false);
    EXPECT_EQ(parsed->value("name"), nullptr);

    const auto given = sample::run(tree(), {L"build", L"f", L"--alias="});
    ASSERT_TRUE(given);
    EXPECT_EQ(innermost(*given).text("alias"), "");

    const auto select = sample::run(tree(), {L"select"});
    ASSERT_TRUE(select);
    EXPECT_EQ(innermost(*select).text("message"), "Pick one:");
}

TEST(ArgsParser, ValueKindsKeepTheRawTextAndCheckUnicodeOnlyForText) {
    const std::wstring lone_surrogate = std::wstring(L"D:\\") + wchar_t(0xD800);

    const auto os_text = sample::run(tree(), {L"path", L"add", lone_surrogate});
    ASSERT_TRUE(os_text);
    const auto* item = innermost(*os_text).value("item");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->raw, lone_surrogate);
    EXPECT_EQ(item->text, "D:\\\xEF\xBF\xBD");

    const auto path = sample::run(tree(), {L"build", lone_surrogate});
    ASSERT_TRUE(path);
    EXPECT_EQ(innermost(*path).os_text("file"), lone_surrogate);

    const auto text = sample::run(tree(), {L"build", L"f", L"-c", lone_surrogate});
    ASSERT_FALSE(text);
    EXPECT_EQ(text.error().kind(), ErrorKind::InvalidUtf8);
    EXPECT_EQ(first_line(text.error()), "error: invalid UTF-8 was detected in one or more arguments");
}

TEST(ArgsParser, ValueParserRunsOnThePositionalAndKeepsItsResult) {
    const auto parsed = sample::run(tree(), {L"alpha", L"build", L"f"});
    ASSERT_TRUE(parsed);
    const std::any* value = parsed->parsed("name");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(std::any_cast<std::size_t>(*value), 5u);
    EXPECT_EQ(parsed->subcommand()->name, "build");
}

// An argument that needs another is refused alone; the other may well stand alone.
TEST(ArgsParser, AnArgumentThatNeedsAnotherIsRefusedWithoutIt) {
    const auto refused = sample::run(tree(), {L"pkg", L"install", L"p.bpl", L"--register"});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind(), ErrorKind::MissingRequiredArgument);
    EXPECT_EQ(refused.error().exit_code(), 2);
    for (const Words& words : {Words{L"pkg", L"install", L"p.bpl", L"--register", L"--registry-key", L"K"},
                               Words{L"pkg", L"install", L"p.bpl", L"--registry-key=K"}, Words{L"pkg", L"install", L"p.bpl"}})
        EXPECT_TRUE(sample::run(tree(), words)) << ::testing::PrintToString(words);
}

TEST(ArgsParser, ReportsEachKindOfMistake) {
    struct Case {
        Words words;
        ErrorKind kind;
        std::string first_line;
    };
    const Case cases[] = {
        {{L"build", L"f", L"-q", L"-q"}, ErrorKind::ArgumentUsedTwice,
         "error: the argument '--quiet' cannot be used multiple times"},
        {{L"build", L"f", L"--quiet", L"-bq"}, ErrorKind::ArgumentUsedTwice,
         "error: the argument '--quiet' cannot be used multiple times"},
        {{L"build", L"f", L"-c", L"a", L"--config=b"}, ErrorKind::ArgumentUsedTwice,
         "error: the argument '--config <CONFIG>' cannot be used multiple times"},
        {{L"build", L""}, ErrorKind::InvalidValue, "error: a value is required for '<FILE>' but none was supplied"},
        {{L"build", L"f", L"--config"}, ErrorKind::InvalidValue,
         "error: a value is required for '--config <CONFIG>' but none was supplied"},
        {{L"build", L"f", L"-c", L"--quiet"}, ErrorKind::InvalidValue,
         "error: a value is required for '--config <CONFIG>' but none was supplied"},
        {{L"build", L"f", L"--quiet=yes"}, ErrorKind::UnexpectedArgument,
         "error: unexpected value 'yes' for '--quiet' found; no more were expected"},
        {{L"build", L"f", L"g"}, ErrorKind::UnexpectedArgument, "error: unexpected argument 'g' found"},
        {{L"build", L"f", L"-qx"}, ErrorKind::UnknownArgument, "error: unexpected argument '-x' found"},
        {{L"build", L"f", L"-V"}, ErrorKind::UnknownArgument, "error: unexpected argument '-V' found"},
        {{L"build", L"f", L"--version"}, ErrorKind::UnknownArgument, "error: unexpected argument '--version' found"},
        {{L"build"}, ErrorKind::MissingRequiredArgument, "error: the following required arguments were not provided:"},
        {{L"build", L"--", L"f"}, ErrorKind::MissingRequiredArgument,
         "error: the following required arguments were not provided:"},
        {{L"pkg", L"--json"}, ErrorKind::MissingSubcommand,
         "error: 'tool.exe pkg' requires a subcommand but one was not provided"},
        {{L"path", L"foo"}, ErrorKind::InvalidSubcommand, "error: unrecognized subcommand 'foo'"},
        {{L"help", L"foo"}, ErrorKind::InvalidSubcommand, "error: unrecognized subcommand 'foo'"},
        {{L"help", L"build", L"foo"}, ErrorKind::InvalidSubcommand, "error: unrecognized subcommand 'foo'"},
        {{L"build", L"f", L"-t", L"arm"}, ErrorKind::InvalidValue, "error: invalid value 'arm' for '--tool-arch <ARCH>'"},
    };
    for (const auto& c : cases) {
        const auto parsed = sample::run(tree(), c.words);
        ASSERT_FALSE(parsed) << c.first_line;
        EXPECT_EQ(parsed.error().kind(), c.kind) << c.first_line;
        EXPECT_EQ(first_line(parsed.error()), c.first_line);
        EXPECT_EQ(parsed.error().exit_code(), 2);
        EXPECT_TRUE(parsed.error().to_stderr());
    }
}

// Where a positional and subcommands share a level, a refused word close to a
// subcommand name is reported as a misspelt subcommand.
TEST(ArgsParser, RefusedWordSimilarToASubcommandIsAnUnrecognizedSubcommand) {
    struct Case {
        Words words;
        ErrorKind kind;
        std::string first_line;
    };
    const Case cases[] = {
        {{L"bulid"}, ErrorKind::InvalidSubcommand, "error: unrecognized subcommand 'bulid'"},
        {{L"alpha", L"selcet"}, ErrorKind::InvalidSubcommand, "error: unrecognized subcommand 'selcet'"},
        {{L"xyz"}, ErrorKind::InvalidValue, "error: invalid value 'xyz' for '[NAME]': no such thing"},
        {{L"alpha", L"xyz"}, ErrorKind::UnexpectedArgument, "error: unexpected argument 'xyz' found"},
    };
    for (const auto& c : cases) {
        const auto parsed = sample::run(tree(), c.words);
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error().kind(), c.kind);
        EXPECT_EQ(first_line(parsed.error()), c.first_line);
    }
}

TEST(ArgsParser, HelpAndVersionEndTheRunOnTheRightStream) {
    struct Case {
        Words words;
        ErrorKind kind;
        Words same_text_as;  // empty: not compared
    };
    const Case cases[] = {
        {{}, ErrorKind::DisplayHelpOnEmpty, {L"-h"}},
        {{L"pkg"}, ErrorKind::DisplayHelpOnEmpty, {L"pkg", L"-h"}},
        {{L"--json", L"pkg"}, ErrorKind::DisplayHelpOnEmpty, {L"pkg", L"-h"}},
        {{L"help", L"build"}, ErrorKind::DisplayHelp, {L"build", L"--help"}},
        {{L"help", L"path", L"add"}, ErrorKind::DisplayHelp, {L"path", L"add", L"--help"}},
        {{L"path", L"help", L"rm"}, ErrorKind::DisplayHelp, {L"path", L"remove", L"--help"}},
        {{L"help"}, ErrorKind::DisplayHelp, {L"--help"}},
        {{L"-h", L"build"}, ErrorKind::DisplayHelp, {L"-h"}},
        {{L"build", L"-qh"}, ErrorKind::DisplayHelp, {L"build", L"-h"}},
        {{L"select", L"-h"}, ErrorKind::DisplayHelp, {}},
        {{L"help", L"help"}, ErrorKind::DisplayHelp, {}},
        {{L"-V"}, ErrorKind::DisplayVersion, {L"--version"}},
    };
    for (const auto& c : cases) {
        const auto parsed = sample::run(tree(), c.words);
        ASSERT_FALSE(parsed);
        const Error& error = parsed.error();
        EXPECT_EQ(error.kind(), c.kind);
        const bool is_help_on_empty = c.kind == ErrorKind::DisplayHelpOnEmpty;
        EXPECT_EQ(error.to_stderr(), is_help_on_empty);
        EXPECT_EQ(error.exit_code(), is_help_on_empty ? 2 : 0);
        EXPECT_EQ(error.render(false).back(), '\n');
        if (c.same_text_as.empty()) continue;
        const auto other = sample::run(tree(), c.same_text_as);
        ASSERT_FALSE(other);
        EXPECT_EQ(error.render(false), other.error().render(false));
    }

    EXPECT_EQ(sample::run(tree(), {L"-V"}).error().render(false), "Sample Tool 2.0.1\n");
}

TEST(ArgsParser, LongAboutOnlyInTheLongHelp) {
    const std::string long_about = "Uses the default back-end.";
    EXPECT_NE(sample::run(tree(), {L"help", L"make"}).error().render(false).find(long_about), std::string::npos);
    EXPECT_NE(sample::run(tree(), {L"build", L"--help"}).error().render(false).find(long_about), std::string::npos);
    const std::string short_help = sample::run(tree(), {L"build", L"-h"}).error().render(false);
    EXPECT_EQ(short_help.find(long_about), std::string::npos);
    EXPECT_TRUE(short_help.starts_with("Build a project\n\nUsage:"));
}

TEST(ArgsParser, BinNameIsTheFileNameAfterTheLastSeparator) {
    EXPECT_EQ(bin_name(L"C:\\tools/bin\\kestrune.exe"), "kestrune.exe");
    EXPECT_EQ(bin_name(L"D:/a/kestrune"), "kestrune");
    EXPECT_EQ(bin_name(L"kestrune.exe"), "kestrune.exe");
}

}  // namespace
}  // namespace kestrune::args
