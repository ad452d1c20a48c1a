// The command lines the program hands to CreateProcessW.
//
// - For any program and arguments, the command line splits back into exactly that program and
//   those arguments, both by the program's own splitter and by the rules CommandLineToArgvW
//   and the C runtime document, written out here on their own. A line too long for the system
//   is refused, any other is given.
// - The MSBuild command: cmd.exe, reading the text it is given, finds no operator but the one
//   "&&" between the rsvars script and MSBuild.exe, and hands MSBuild the arguments as written;
//   MSBuild, splitting them its way, reads the project as one argument that is no switch, and
//   every property as one setting whose value, unescaped, is exactly the value given.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backends/msbuild_command.hpp"
#include "backends/msbuild_escape.hpp"
#include "check.hpp"
#include "win/command_line.hpp"

namespace {

using kestrune::fuzz::shown;
using kestrune::fuzz::wide_text;
namespace win = kestrune::win;
namespace backends = kestrune::backends;
namespace catalogue = kestrune::catalogue;

std::wstring without(std::wstring text, std::wstring_view characters) {
    std::erase_if(text, [&](wchar_t c) { return characters.find(c) != std::wstring_view::npos; });
    return text;
}

// CommandLineToArgvW's rules: the program up to the first blank, or between quotes when it
// starts with one; then arguments separated by blanks outside quotes, where 2n backslashes
// and a quote give n backslashes and open or close quoting, 2n+1 backslashes and a quote give
// n backslashes and a quote, and backslashes before anything else stay as they are.
std::vector<std::wstring> documented_split(std::wstring_view line) {
    std::vector<std::wstring> args;
    std::size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const std::size_t end = line.find(L'"', 1);
        args.emplace_back(line.substr(1, end == std::wstring_view::npos ? std::wstring_view::npos : end - 1));
        i = end == std::wstring_view::npos ? line.size() : end + 1;
    } else {
        const std::size_t end = line.find_first_of(L" \t");
        args.emplace_back(line.substr(0, end));
        i = end == std::wstring_view::npos ? line.size() : end;
    }
    for (;;) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i == line.size()) break;
        std::wstring arg;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == L'"') {
                arg.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1)
                    arg += L'"';
                else
                    quoted = !quoted;
                ++i;
            } else {
                arg.append(backslashes, L'\\');
                if (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) arg += line[i++];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

void check_round_trip(const win::ChildCommand& command) {
    const std::wstring line = win::command_line(command);
    std::vector<std::wstring> expected{command.program};
    for (const auto& argument : command.arguments) expected.push_back(argument.text);
    KESTRUNE_FUZZ_CHECK(win::split_command_line(line) == expected, shown(line));
    KESTRUNE_FUZZ_CHECK(documented_split(line) == expected, shown(line));
    const auto checked = win::checked_command_line(command);
    KESTRUNE_FUZZ_CHECK(checked.has_value() == (line.size() <= win::max_command_line), shown(line));
    if (checked) KESTRUNE_FUZZ_CHECK(*checked == line, shown(line));
}

// What cmd.exe makes of a /C text: outside quoted stretches (which every quote opens or
// closes) a caret takes the next character as it is and goes, and & | < > are operators,
// whose positions in the result are noted.
std::wstring cmd_reads(std::wstring_view text, std::vector<std::size_t>& operators) {
    std::wstring out;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (!quoted && c == L'^' && i + 1 < text.size()) {
            out += text[++i];
            continue;
        }
        if (c == L'"') quoted = !quoted;
        if (!quoted && (c == L'&' || c == L'|' || c == L'<' || c == L'>')) operators.push_back(out.size());
        out += c;
    }
    return out;
}

// Where a quote counts: not after an odd run of backslashes.
std::vector<bool> live_quotes(std::wstring_view text) {
    std::vector<bool> live(text.size(), false);
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'"') live[i] = backslashes % 2 == 0;
        backslashes = text[i] == L'\\' ? backslashes + 1 : 0;
    }
    return live;
}

// Splits at any of the separators outside quotes, keeping the quotes: how MSBuild cuts its
// command line into arguments (white space) and a property switch into settings (, and ;).
template <class Separator>
std::vector<std::wstring> split_unquoted(std::wstring_view text, Separator separator) {
    const auto live = live_quotes(text);
    std::vector<std::wstring> pieces{L""};
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (live[i]) quoted = !quoted;
        if (!quoted && separator(text[i])) {
            pieces.emplace_back();
            continue;
        }
        pieces.back() += text[i];
    }
    return pieces;
}

std::vector<std::wstring> split_at(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> pieces{L""};
    for (const wchar_t c : text) {
        if (c == separator)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

// One argument's text without its quotes, by the rules above.
std::wstring unquoted(std::wstring_view text) { return documented_split(L"x " + std::wstring(text)).back(); }

// MSBuild's escapes undone: "%" and two hexadecimal digits are that character.
std::wstring unescaped(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && std::iswxdigit(text[i + 1]) && std::iswxdigit(text[i + 2])) {
            out += static_cast<wchar_t>(std::stoi(std::wstring(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

void check_msbuild(const std::string& rsvars, std::optional<catalogue::Platform> platform, const backends::BuildOptions& options) {
    const win::ChildCommand command = backends::msbuild_command(rsvars, platform, options);
    const std::wstring line = win::command_line(command);
    KESTRUNE_FUZZ_CHECK(command.arguments.size() == 2, shown(line));
    std::wstring text = command.arguments[1].text;
    // cmd.exe drops the first and the last quote of a /C text that holds more than two.
    KESTRUNE_FUZZ_CHECK(text.size() >= 4 && text.starts_with(L"\" ") && text.ends_with(L" \""), shown(line));
    text = text.substr(1, text.size() - 2);

    std::vector<std::size_t> operators;
    const std::wstring read = cmd_reads(text, operators);
    const std::wstring script = L" \"" + win::to_wide(rsvars) + L"\" ";
    KESTRUNE_FUZZ_CHECK(read.starts_with(script + L"&& MSBuild.exe "), shown(line));
    const std::vector<std::size_t> ours{script.size(), script.size() + 1};
    KESTRUNE_FUZZ_CHECK(operators == ours, shown(line));

    const auto arguments = backends::msbuild_arguments(platform, options);
    std::wstring joined;
    for (const auto& argument : arguments) joined += L" " + argument;
    KESTRUNE_FUZZ_CHECK(read == script + L"&& MSBuild.exe" + joined + L" ", shown(line));

    // MSBuild's own reading of its command line.
    std::vector<std::wstring> words = split_unquoted(joined, [](wchar_t c) { return kestrune::text::is_white_space(c); });
    std::erase(words, L"");
    KESTRUNE_FUZZ_CHECK(words.size() == arguments.size(), shown(joined));
    const std::wstring project = unquoted(words[0]);
    KESTRUNE_FUZZ_CHECK(!project.empty() && project[0] != L'-' && project[0] != L'/' && project[0] != L'@', shown(joined));

    std::vector<std::pair<std::wstring, std::wstring>> expected;
    if (options.config) expected.emplace_back(L"Config", win::to_wide(*options.config));
    if (platform) expected.emplace_back(L"Platform", win::to_wide(catalogue::name(*platform)));
    if (options.preferred_tool_architecture)
        expected.emplace_back(L"DCC_PreferredToolArchitecture", win::to_wide(catalogue::name(*options.preferred_tool_architecture)));
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (const auto& [key, value] : backends::version_info_pairs(options.version_info))
        pairs.emplace_back(win::to_wide(key), win::to_wide(value));
    if (!pairs.empty()) expected.emplace_back(L"VerInfo_IncludeVerInfo", L"true");

    std::vector<std::pair<std::wstring, std::wstring>> settings;
    std::optional<std::wstring> keys;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (!words[i].starts_with(L"/p:")) continue;
        const auto pieces = split_unquoted(std::wstring_view(words[i]).substr(3), [](wchar_t c) { return c == L',' || c == L';'; });
        KESTRUNE_FUZZ_CHECK(pieces.size() == 1, shown(words[i]));
        const std::wstring setting = unquoted(pieces[0]);
        const std::size_t equals = setting.find(L'=');
        KESTRUNE_FUZZ_CHECK(equals != std::wstring::npos, shown(words[i]));
        const std::wstring name = setting.substr(0, equals), value = setting.substr(equals + 1);
        if (name == L"VerInfo_Keys")
            keys = value;
        else
            settings.emplace_back(name, unescaped(value));
    }
    KESTRUNE_FUZZ_CHECK(settings == expected, shown(joined));
    KESTRUNE_FUZZ_CHECK(keys.has_value() == !pairs.empty(), shown(joined));
    if (keys) {
        // The value is the pairs, each ";" between them the project's targets' separator;
        // keys and values are escaped.
        std::vector<std::pair<std::wstring, std::wstring>> read_pairs;
        for (const std::wstring& pair : split_at(*keys, L';')) {
            const std::size_t equals = pair.find(L'=');
            KESTRUNE_FUZZ_CHECK(equals != std::wstring::npos, shown(*keys));
            read_pairs.emplace_back(unescaped(pair.substr(0, equals)), unescaped(pair.substr(equals + 1)));
        }
        KESTRUNE_FUZZ_CHECK(read_pairs == pairs, shown(*keys));
    }
}

// Text as the command line gives it: the system passes no NUL.
std::string text(FuzzedDataProvider& input, std::size_t max) {
    return win::to_utf8(without(wide_text(input, max), std::wstring_view(L"\0", 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);

    // A program path holds no quote: Windows allows none in a file name.
    win::ChildCommand command{without(wide_text(input, 32), std::wstring_view(L"\"\0", 2)), {}};
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 6);
    for (std::size_t i = 0; i < count; ++i) command.arg(without(wide_text(input, 48), std::wstring_view(L"\0", 1)));
    check_round_trip(command);

    // The rsvars script is a path of the installation: no quote and no control character.
    std::string rsvars = text(input, 24);
    std::erase_if(rsvars, [](char c) { return c == '"' || (static_cast<unsigned char>(c) < 0x20); });
    backends::BuildOptions options;
    // The project as the user named it, on one line: a line break ends cmd.exe's command before
    // MSBuild is reached, and no file name holds one.
    options.file = without(wide_text(input, 32), std::wstring_view(L"\0\r\n", 3));
    if (options.file.empty()) options.file = L"p.dproj";
    if (input.ConsumeBool()) options.config = text(input, 24);
    if (input.ConsumeBool())
        options.preferred_tool_architecture = input.ConsumeBool() ? catalogue::Architecture::x64 : catalogue::Architecture::x86;
    for (const auto& field : backends::version_info_fields)
        if (input.ConsumeIntegralInRange(0, 3) == 0) options.version_info.*field.member = text(input, 16);
    options.no_splash = input.ConsumeBool();
    std::optional<catalogue::Platform> platform;
    if (input.ConsumeBool())
        platform = static_cast<catalogue::Platform>(input.ConsumeIntegralInRange<std::size_t>(0, catalogue::platform_table.size() - 1));
    check_msbuild(rsvars, platform, options);
    return 0;
}
