#include "build/msbuild_builder.hpp"

#include "win/utf.hpp"

namespace kestrune::build {
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

std::wstring property(std::wstring_view name, std::string_view value) {
    return L"/p:" + std::wstring(name) + L"=" + win::to_wide(value);
}

}  // namespace

std::vector<std::wstring> msbuild_arguments(std::optional<catalogue::Platform> platform, const BuildOptions& options) {
    // Only the project path and the version information, which may hold blanks or semicolons,
    // are put in quotes; nothing inside them is escaped.
    std::vector<std::wstring> arguments{L"\"" + options.file + L"\"", L"/t:Build"};
    if (options.config) arguments.push_back(property(L"Config", *options.config));
    if (platform) arguments.push_back(property(L"Platform", catalogue::name(*platform)));
    if (options.preferred_tool_architecture)
        arguments.push_back(property(L"DCC_PreferredToolArchitecture", catalogue::name(*options.preferred_tool_architecture)));
    if (const std::string keys = version_info_keys(options.version_info); !keys.empty()) {
        arguments.push_back(L"/p:VerInfo_IncludeVerInfo=true");
        arguments.push_back(L"/p:VerInfo_Keys=\"" + win::to_wide(keys) + L"\"");
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

BuildResult MSBuildBuilder::build(std::optional<catalogue::Platform> platform, const BuildOptions& options) {
    auto code = win::run_child(msbuild_command(rsvars_, platform, options));
    if (!code) return std::unexpected(ProjectError::io(std::move(code.error())));
    return *code;
}

}  // namespace kestrune::build
