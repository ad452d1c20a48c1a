#include "main/target.hpp"

#include "catalogue/paths.hpp"
#include "main/installations.hpp"

namespace kestrune::cli {
namespace {

std::unexpected<CommandError> refused(std::string message) { return std::unexpected(CommandError{std::move(message), {}}); }

}  // namespace

const catalogue::Installation& resolve_installation(App& app) {
    if (!app.installation) app.installation = app.name ? app.name : &latest_installation();
    return *app.installation;
}

std::string no_ide_for_platform(catalogue::Platform platform) {
    return std::string(catalogue::name(platform)) + " does not map to a valid IDE architecture";
}

std::expected<catalogue::EnumSet<catalogue::Architecture>, CommandError> choose_ide_architectures(
    const catalogue::Installation& installation, const GlobalOptions& options,
    std::string (*no_ide_for)(catalogue::Platform)) {
    const catalogue::EnumSet<catalogue::Architecture> installed = catalogue::ide_architectures(installation);
    if (const auto architecture = options.architecture) {
        if (!installed.contains(*architecture)) return refused(std::string(catalogue::ide_name(*architecture)) + " is not installed");
        return catalogue::EnumSet<catalogue::Architecture>{*architecture};
    }
    if (const auto platform = options.platform) {
        for (const catalogue::Architecture architecture : installed)
            if (catalogue::info(architecture).ide_platform == *platform) return catalogue::EnumSet<catalogue::Architecture>{architecture};
        return refused(no_ide_for(*platform));
    }
    return installed;
}

std::expected<catalogue::EnumSet<catalogue::Platform>, CommandError> choose_platforms(
    const catalogue::Installation& installation, const GlobalOptions& options) {
    const catalogue::EnumSet<catalogue::Platform> installed = catalogue::platforms(installation);
    const auto platform = options.platform;
    if (!platform) return installed;
    if (!installed.contains(*platform)) return refused(std::string(catalogue::name(*platform)) + " platform is not installed");
    return catalogue::EnumSet<catalogue::Platform>{*platform};
}

std::expected<std::string, CommandError> locate_tool(const catalogue::Installation& installation, catalogue::Tool tool,
                                                     std::optional<catalogue::Architecture> architecture) {
    if (auto path = catalogue::find_tool(installation, tool, architecture)) return std::move(*path);
    return refused(catalogue::tool_file_name(tool) + " not found");
}

std::expected<std::string, CommandError> locate_bds_exe(const catalogue::Installation& installation,
                                                        std::optional<catalogue::Architecture> architecture) {
    if (auto path = catalogue::ide_path_for_architecture(installation, architecture)) return std::move(*path);
    std::string message = "bds.exe not found";
    if (architecture) message += " (" + std::string(catalogue::ide_name(*architecture)) + " not installed)";
    return refused(std::move(message));
}

std::expected<std::string, CommandError> locate_msbuild_rsvars(const catalogue::Installation& installation,
                                                               std::optional<catalogue::Architecture> architecture) {
    if (auto path = catalogue::rsvars_path_for_architecture(installation, architecture)) return std::move(*path);
    return refused("MSBuild.exe not found");
}

}  // namespace kestrune::cli
