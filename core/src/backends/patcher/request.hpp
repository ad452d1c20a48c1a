// What a build asks of a patched copy: the options that bds.exe can only be given inside one,
// and the refusals when a project cannot carry them or XML cannot write their values.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/build_options.hpp"
#include "backends/patcher/project_path.hpp"
#include "backends/project_error.hpp"
#include "catalogue/enums.hpp"

namespace kestrune::backends::patcher {

struct Request {
    Request(std::optional<catalogue::Platform> platform, const BuildOptions& options);

    // Whether anything is asked that only a copy carries; without it every project is built as it is.
    bool asked() const { return !option_names.empty(); }

    // "cannot apply --config and --platform to "App.dpr", a member of "All.groupproj": " and
    // why. `group` is the group that lists the project, when it is a member.
    ProjectError refusal(const ProjectPath& project, const std::wstring* group, std::string_view why) const;

    std::optional<catalogue::Platform> platform;
    const BuildOptions& options;
    // The options given that contribute to a copy, by their long names ("--config"): the
    // configuration, the platform, the tool architecture and the version information that
    // renders to a pair (a --VersionInfo piece without "=" gives none).
    std::vector<std::string> option_names;
};

// Refuses a configuration or a piece of version information that the copy would hold and XML
// cannot write, naming the option: "the value of --CompanyName holds U+0001, a character that
// XML project files cannot hold". Only what is written counts: a raw pair that a named field
// overrides or white space trimmed from a raw pair does not.
std::expected<void, ProjectError> refuse_what_xml_cannot_hold(const BuildOptions& options);

}  // namespace kestrune::backends::patcher
