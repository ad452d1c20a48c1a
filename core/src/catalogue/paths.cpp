#include "catalogue/paths.hpp"

#include "win/path.hpp"

namespace kestrune::catalogue {
namespace {

template <class PathOf>
EnumSet<Architecture> existing(const Installation& installation, PathOf path_of) {
    EnumSet<Architecture> found;
    for (const ArchitectureInfo& a : architecture_table)
        if (win::path_exists(path_of(installation, a.value))) found.insert(a.value);
    return found;
}

template <class PathOf>
std::optional<std::string> choose(const Installation& installation, EnumSet<Architecture> available,
                                  std::optional<Architecture> architecture, PathOf path_of) {
    if (!architecture) {
        if (available.empty()) return std::nullopt;
        return path_of(installation, available.front());
    }
    if (!available.contains(*architecture)) return std::nullopt;
    return path_of(installation, *architecture);
}

}  // namespace

std::string root_dir(const Installation& installation) { return std::string(installation.registry_value("RootDir")); }

std::string bin_dir(const Installation& installation, Architecture architecture) {
    return win::join_path(root_dir(installation), info(architecture).bin_dir);
}

std::string rsvars_path(const Installation& installation, Architecture architecture) {
    return win::join_path(bin_dir(installation, architecture), info(architecture).rsvars);
}

std::string ide_path(const Installation& installation, Architecture architecture) {
    return std::string(installation.registry_value(app_value_name(architecture)));
}

std::string tool_path(const Installation& installation, Tool tool, Architecture architecture) {
    return win::join_path(bin_dir(installation, architecture), tool_file_name(tool));
}

std::optional<std::string> find_tool(const Installation& installation, Tool tool, std::optional<Architecture> architecture) {
    for (Architecture a : tool_search_order(architecture)) {
        std::string path = tool_path(installation, tool, a);
        if (win::path_exists(path)) return path;
    }
    return std::nullopt;
}

std::optional<std::string> compiler_path(const Installation& installation, Tool tool,
                                         std::optional<Architecture> architecture) {
    if (!is_delphi_compiler(tool)) return std::nullopt;
    return find_tool(installation, tool, architecture);
}

std::optional<std::string> brcc32_path(const Installation& installation, std::optional<Architecture> architecture) {
    return find_tool(installation, Tool::BRCC32, architecture);
}

EnumSet<Architecture> architectures(const Installation& installation) { return existing(installation, rsvars_path); }

EnumSet<Architecture> ide_architectures(const Installation& installation) { return existing(installation, ide_path); }

EnumSet<Platform> ide_platforms(const Installation& installation) {
    EnumSet<Platform> out;
    for (Architecture a : ide_architectures(installation)) out.insert(info(a).ide_platform);
    return out;
}

EnumSet<Platform> platforms(const Installation& installation) {
    EnumSet<Platform> out;
    for (const PlatformInfo& p : platform_table)
        if (find_tool(installation, p.tool, std::nullopt)) out.insert(p.value);
    return out;
}

EnumSet<Tool> command_line_tools(const Installation& installation, Architecture architecture) {
    EnumSet<Tool> out;
    for (const ToolInfo& tool : tool_table)
        if (win::path_exists(tool_path(installation, tool.value, architecture))) out.insert(tool.value);
    return out;
}

std::optional<std::string> rsvars_path_for_architecture(const Installation& installation,
                                                        std::optional<Architecture> architecture) {
    return choose(installation, architectures(installation), architecture, rsvars_path);
}

std::optional<std::string> ide_path_for_architecture(const Installation& installation,
                                                     std::optional<Architecture> architecture) {
    return choose(installation, ide_architectures(installation), architecture, ide_path);
}

}  // namespace kestrune::catalogue
