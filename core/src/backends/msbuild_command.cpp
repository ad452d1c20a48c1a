#include "backends/msbuild_command.hpp"

#include <algorithm>

#include "backends/msbuild_escape.hpp"
#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::backends {
namespace {

// cmd.exe takes & | < > as operators and ^ as an escape wherever they stand outside a
// quoted stretch, and every double quote opens or closes such a stretch. A caret before each
// of them outside the stretches makes cmd.exe hand the text on unchanged, so no value (a
// configuration named "A&B", a project path or version information holding a quote) can end
// a stretch early and start a second command. cmd.exe removes the carets again.
class CmdText {
public:
    // Text that is to reach the child as it is.
    void append(std::wstring_view text) {
        for (const wchar_t c : text) {
            if (c == L'"') quoted_ = !quoted_;
            if (!quoted_ && (c == L'^' || c == L'&' || c == L'|' || c == L'<' || c == L'>')) text_ += L'^';
            text_ += c;
        }
    }
    // cmd.exe's own syntax, outside every value.
    void append_operator(std::wstring_view text) { text_ += text; }
    const std::wstring& text() const { return text_; }

private:
    std::wstring text_;
    bool quoted_ = false;
};

std::wstring msbuild_escaped(std::string_view value) { return win::to_wide(msbuild_escape(value)); }

// MSBuild ends an argument at any white space outside double quotes, and a property switch's
// setting at a comma or semicolon outside them; CommandLineToArgvW's rules for the quotes and
// backslashes hold for it too.
bool needs_quotes(std::wstring_view escaped) {
    return std::ranges::any_of(escaped, [](wchar_t c) { return c == L',' || text::is_white_space(c); });
}

// A property setting, which MSBuild reads as one argument and one value, exactly as given.
// `enclose`: in quotes whatever the value holds.
std::wstring property(std::wstring_view name, std::wstring_view escaped_value, bool enclose = false) {
    return L"/p:" + std::wstring(name) + L"=" + win::quote_argument(escaped_value, enclose || needs_quotes(escaped_value));
}

// The project path, in quotes. MSBuild would take a path that begins with "-" or "/" for a
// switch and one that begins with "@" for a response file, so such a path is written to name
// the same file without that beginning.
std::wstring project_argument(std::wstring path) {
    if (path.starts_with(L'-') || path.starts_with(L'@')) {
        path.insert(0, L".\\");
    } else {
        for (wchar_t& c : path) {
            if (c != L'/') break;
            c = L'\\';
        }
    }
    return win::quote_argument(path, true);
}

}  // namespace

std::vector<std::wstring> msbuild_arguments(std::optional<catalogue::Platform> platform, const BuildOptions& options) {
    std::vector<std::wstring> arguments{project_argument(options.file), L"/t:Build"};
    if (options.config) arguments.push_back(property(L"Config", msbuild_escaped(*options.config)));
    if (platform) arguments.push_back(property(L"Platform", msbuild_escaped(catalogue::name(*platform))));
    if (options.preferred_tool_architecture)
        arguments.push_back(property(L"DCC_PreferredToolArchitecture",
                                     msbuild_escaped(catalogue::name(*options.preferred_tool_architecture))));
    if (const auto pairs = version_info_pairs(options.version_info); !pairs.empty()) {
        // One value in quotes, as it always was, whose pairs a ";" separates: the keys and the
        // values are escaped, the separators are not.
        std::wstring keys;
        for (const auto& [key, value] : pairs) {
            if (!keys.empty()) keys += L';';
            keys += msbuild_escaped(key) + L"=" + msbuild_escaped(value);
        }
        arguments.push_back(L"/p:VerInfo_IncludeVerInfo=true");
        arguments.push_back(property(L"VerInfo_Keys", keys, true));
    }
    if (options.no_splash) arguments.push_back(L"/nologo");
    return arguments;
}

win::ChildCommand msbuild_command(const std::string& rsvars, std::optional<catalogue::Platform> platform,
                                  const BuildOptions& options) {
    CmdText text;
    text.append(L"\"" + win::to_wide(rsvars) + L"\"");
    text.append_operator(L" && ");
    text.append(L"MSBuild.exe");
    for (const std::wstring& argument : msbuild_arguments(platform, options)) text.append(L" " + argument);
    // cmd.exe drops the first and the last quote of a /C text that holds more than two.
    win::ChildCommand command{L"cmd.exe", {}};
    command.arg(L"/C").verbatim(L"\" " + text.text() + L" \"");
    return command;
}

}  // namespace kestrune::backends
