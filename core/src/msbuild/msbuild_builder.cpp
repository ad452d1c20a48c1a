#include "msbuild/msbuild_builder.hpp"

#include "win/utf.hpp"

namespace kestrune::msbuild {
namespace {

// The value stands outside quotes in cmd.exe's text: its command separators, redirections and
// quotes are escaped, so a configuration named "A&B" reaches MSBuild as that name instead of
// starting a second command. cmd.exe removes the carets again.
std::wstring escape_for_cmd(std::string_view value) {
    std::wstring out;
    for (const wchar_t c : win::to_wide(value)) {
        if (c == L'^' || c == L'&' || c == L'|' || c == L'<' || c == L'>' || c == L'"') out += L'^';
        out += c;
    }
    return out;
}

std::wstring property(std::wstring_view name, std::string_view value) {
    return L"/p:" + std::wstring(name) + L"=" + escape_for_cmd(value);
}

}  // namespace

std::vector<std::wstring> msbuild_arguments(std::optional<bds::Platform> platform, const BuildOptions& options) {
    // Everything lands inside one verbatim cmd.exe text, so only the project path and the
    // version information, which may hold blanks or semicolons, are put in quotes.
    std::vector<std::wstring> arguments{L"\"" + options.file + L"\"", L"/t:Build"};
    if (options.config) arguments.push_back(property(L"Config", *options.config));
    if (platform) arguments.push_back(property(L"Platform", bds::name(*platform)));
    if (options.preferred_tool_architecture)
        arguments.push_back(property(L"DCC_PreferredToolArchitecture", bds::name(*options.preferred_tool_architecture)));
    if (const std::string keys = version_info_keys(options.version_info); !keys.empty()) {
        arguments.push_back(L"/p:VerInfo_IncludeVerInfo=true");
        arguments.push_back(L"/p:VerInfo_Keys=\"" + win::to_wide(keys) + L"\"");
    }
    if (options.no_splash) arguments.push_back(L"/nologo");
    return arguments;
}

win::ChildCommand msbuild_command(const std::string& rsvars, std::optional<bds::Platform> platform,
                                  const BuildOptions& options) {
    std::wstring text = L"\"" + win::to_wide(rsvars) + L"\" && MSBuild.exe";
    for (const std::wstring& argument : msbuild_arguments(platform, options)) text += L" " + argument;
    // cmd.exe drops the first and the last quote of a /C text that holds more than two.
    win::ChildCommand command{L"cmd.exe", {}};
    command.arg(L"/C").verbatim(L"\" " + text + L" \"");
    return command;
}

BuildResult MSBuildBuilder::build(std::optional<bds::Platform> platform, const BuildOptions& options) {
    auto code = win::run_child(msbuild_command(rsvars_, platform, options));
    if (!code) return std::unexpected(ProjectError::io(std::move(code.error())));
    return *code;
}

}  // namespace kestrune::msbuild
