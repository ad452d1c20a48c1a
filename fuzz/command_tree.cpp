// The command-line parser on the program's own command tree, NAME matched against a fixed list
// of installations: any argument list ends in a command, read into App without a reading
// error (those arise only where the tree and the reading disagree), or in the parser's error,
// whose status is 2 (0 for help and version), whose text is UTF-8 and ends in a line feed.
#include <cstdint>
#include <string>
#include <vector>

#include "args/parser.hpp"
#include "catalogue/release.hpp"
#include "check.hpp"
#include "main/command_syntax.hpp"

namespace {

using kestrune::fuzz::shown;
using kestrune::fuzz::wide_text;
namespace args = kestrune::args;
namespace catalogue = kestrune::catalogue;
namespace cli = kestrune::cli;

catalogue::Installation installation(std::string version, std::uint32_t update, std::string product_name = {}) {
    catalogue::Installation made;
    made.base_key = "Software\\Embarcadero\\BDS";
    made.release = catalogue::find_release(version);
    made.version = std::move(version);
    made.update_number = update;
    made.registry_product_name = std::move(product_name);
    return made;
}

const std::vector<catalogue::Installation>& installations() {
    static const std::vector<catalogue::Installation> list{
        installation("9.0", 0), installation("22.0", 0), installation("23.0", 3),
        installation("24.0", 1, "Studio Next"), installation("37.0", 0),
    };
    return list;
}

const args::Command& tree() {
    static const args::Command command =
        cli::command_line([](const std::wstring& raw) { return cli::match_installation_name(installations(), raw); });
    return command;
}

// Words the tree knows, so that the fuzzer reaches deep into it from the start: every
// subcommand and its aliases, options, values, and names of the installations.
const std::vector<std::wstring>& words() {
    static const std::vector<std::wstring> list{
        L"build", L"msbuild", L"bds", L"dcc", L"dcc32", L"dcc64", L"dccarm64ec", L"package", L"compile", L"register",
        L"unregister", L"brcc", L"brcc32", L"env", L"set", L"add", L"remove", L"rm", L"env-path", L"path", L"library-path",
        L"libpath", L"browsing-path", L"insert", L"select", L"info", L"self", L"install", L"uninstall", L"help", L"--help",
        L"-h", L"-V", L"--version", L"--", L"-", L"-a", L"--architecture", L"--arch=x64", L"x86", L"x64", L"IntelX64",
        L"-p", L"--platform", L"Win32", L"win64", L"Android64", L"--json", L"--no-splash", L"--ns", L"-c", L"--config",
        L"Release", L"-t", L"--pta", L"--CompanyName", L"--VersionInfo", L"k=v;a=b", L"--install", L"-m", L"--multi",
        L"12", L"12.3", L"XE2", L"Florence", L"rad studio 13", L"<24.0>", L"Studio Next", L"p.dproj", L"x.rc", L"=",
        L"-ac", L"-pWin32", L"--config=", L"-D", L"--define", L"-U", L"--unit-search-path", L"-E", L"--output-dir",
    };
    return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::wstring> argv{input.ConsumeBool() ? L"kestrune.exe" : L"C:\\bin\\k.exe"};
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 10);
    for (std::size_t i = 0; i < count; ++i) {
        const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, words().size() + 2);
        argv.push_back(pick < words().size() ? words()[pick] : wide_text(input, 24));
    }
    std::wstring shown_argv;
    for (const auto& word : argv) shown_argv += L"[" + word + L"]";

    const auto parsed = args::parse(tree(), argv);
    if (!parsed) {
        const args::Error& error = parsed.error();
        const bool shown_text = error.kind() == args::ErrorKind::DisplayHelp || error.kind() == args::ErrorKind::DisplayVersion;
        KESTRUNE_FUZZ_CHECK(error.exit_code() == (shown_text ? 0 : 2), shown(shown_argv));
        for (const bool color : {false, true}) {
            const std::string text = error.render(color);
            KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(text) && text.ends_with('\n'), shown(shown_argv));
        }
        return 0;
    }
    const auto app = cli::read_app(*parsed);
    KESTRUNE_FUZZ_CHECK(app.has_value(), shown(shown_argv) + (app ? "" : " read: " + app.error().message));
    if (app->name) {
        const auto& list = installations();
        KESTRUNE_FUZZ_CHECK(app->name >= list.data() && app->name < list.data() + list.size(), shown(shown_argv));
    }
    if (app->command) KESTRUNE_FUZZ_CHECK(cli::subcommand_of(*app->command).alternative == app->command->index(), shown(shown_argv));
    return 0;
}
