#include "catalogue/paths.hpp"

#include "win/path.hpp"
#include "win/utf.hpp"

namespace kestrune::catalogue {
namespace {

template <class Has>
EnumSet<Architecture> existing(Has has) {
    EnumSet<Architecture> found;
    for (const ArchitectureInfo& a : architecture_table)
        if (has(a.value)) found.insert(a.value);
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

const win::DirectoryProbe& InstallationFiles::root() {
    if (!root_) root_.emplace(win::to_wide(root_dir(installation_)));
    return *root_;
}

bool InstallationFiles::in_tool_directory(Architecture architecture, std::string_view name) {
    std::optional<win::DirectoryProbe>& directory = tool_directories_[position(architecture)];
    if (!directory) directory.emplace(win::to_wide(bin_dir(installation_, architecture)), root());
    return directory->exists(win::to_wide(name));
}

bool InstallationFiles::has_ide(Architecture architecture) {
    std::optional<bool>& exists = ides_[position(architecture)];
    if (!exists) {
        const std::wstring path = win::to_wide(ide_path(installation_, architecture));
        exists = !(root().missing() && root().spells_below(path)) && win::path_exists(path);
    }
    return *exists;
}

EnumSet<Architecture> architectures(const Installation& installation) {
    // One file in each directory: checking it costs no more than looking at the directory first.
    return existing([&](Architecture a) { return win::path_exists(rsvars_path(installation, a)); });
}

EnumSet<Architecture> architectures(InstallationFiles& files) {
    return existing([&](Architecture a) { return files.in_tool_directory(a, info(a).rsvars); });
}

EnumSet<Architecture> ide_architectures(const Installation& installation) {
    InstallationFiles files(installation);
    return ide_architectures(files);
}

EnumSet<Architecture> ide_architectures(InstallationFiles& files) {
    return existing([&](Architecture a) { return files.has_ide(a); });
}

EnumSet<Platform> ide_platforms(const Installation& installation) {
    InstallationFiles files(installation);
    return ide_platforms(files);
}

EnumSet<Platform> ide_platforms(InstallationFiles& files) {
    EnumSet<Platform> out;
    for (Architecture a : ide_architectures(files)) out.insert(info(a).ide_platform);
    return out;
}

EnumSet<Platform> platforms(const Installation& installation) {
    InstallationFiles files(installation);
    return platforms(files);
}

EnumSet<Platform> platforms(InstallationFiles& files) {
    EnumSet<Platform> out;
    for (const PlatformInfo& p : platform_table) {
        for (Architecture a : tool_search_order(std::nullopt)) {
            if (files.in_tool_directory(a, tool_file_name(p.tool))) {
                out.insert(p.value);
                break;
            }
        }
    }
    return out;
}

EnumSet<Tool> command_line_tools(const Installation& installation, Architecture architecture) {
    InstallationFiles files(installation);
    EnumSet<Tool> out;
    for (const ToolInfo& tool : tool_table)
        if (files.in_tool_directory(architecture, tool_file_name(tool.value))) out.insert(tool.value);
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
