#include "backends/patcher/request.hpp"

#include "backends/version_info.hpp"
#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::backends::patcher {
namespace {

// "A", "A and B", "A, B and C".
std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

std::expected<void, ProjectError> refuse_non_xml(std::string_view long_name, std::string_view value) {
    const auto refused = text::first_non_xml_char(value);
    if (!refused) return {};
    return std::unexpected(ProjectError::refused("the value of --" + std::string(long_name) + " holds " +
                                                 text::code_point_name(*refused) +
                                                 ", a character that XML project files cannot hold"));
}

}  // namespace

Request::Request(std::optional<catalogue::Platform> platform, const BuildOptions& options)
    : platform(platform), options(options) {
    if (options.config) option_names.emplace_back("--config");
    if (platform) option_names.emplace_back("--platform");
    if (options.preferred_tool_architecture) option_names.emplace_back("--preferred-tool-architecture");
    for (const auto& field : version_info_fields) {
        const std::optional<std::string>& value = options.version_info.*field.member;
        if (!value) continue;
        if (field.member == &VersionInfo::raw) {
            VersionInfo raw_only;
            raw_only.raw = value;
            if (version_info_keys(raw_only).empty()) continue;
        }
        option_names.push_back("--" + std::string(field.long_name));
    }
}

ProjectError Request::refusal(const ProjectPath& project, const std::wstring* group, std::string_view why) const {
    // Quoted, so that a blank at the end of a name (a batch file's "%PROJ% ") shows.
    std::string text = "cannot apply " + listed(option_names) + " to \"" + win::to_utf8(project.effective_path()) + "\"";
    if (group) text += ", a member of \"" + win::to_utf8(*group) + "\"";
    return ProjectError::refused(text + ": " + std::string(why));
}

std::expected<void, ProjectError> refuse_what_xml_cannot_hold(const BuildOptions& options) {
    if (options.config) {
        if (auto held = refuse_non_xml("config", *options.config); !held) return held;
    }
    // A named field goes into the copy whole; what is left for a raw pair to hold is what the
    // rendered text holds beyond them.
    for (const auto& field : version_info_fields) {
        const std::optional<std::string>& value = options.version_info.*field.member;
        if (field.member == &VersionInfo::raw || !value) continue;
        if (auto held = refuse_non_xml(field.long_name, *value); !held) return held;
    }
    return refuse_non_xml("VersionInfo", version_info_keys(options.version_info));
}

}  // namespace kestrune::backends::patcher
