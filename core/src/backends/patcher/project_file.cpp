#include "backends/patcher/project_file.hpp"

#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "backends/patcher/project_xml.hpp"
#include "backends/version_info.hpp"
#include "win/path.hpp"
#include "win/utf.hpp"

namespace kestrune::backends::patcher {
namespace {

constexpr std::string_view property_group = "PropertyGroup";
constexpr std::string_view base_condition = "'$(Base)'!=''";

// Which of the two groups a property goes into.
enum class Group : std::uint8_t { First, Base };
// What becomes of the project's own elements of that name outside both groups.
enum class Elsewhere : std::uint8_t { Kept, Removed };

// One MSBuild property to put into the copy.
struct PropertyUpdate {
    PropertyContent content;
    std::string property;  // the element name
    Group group;
    Elsewhere elsewhere;
};

// Copies the resources that the IDE names after the project to the names the copy's build
// looks for, then runs the project's own pre-build command.
std::string pre_build_event(const std::string& stem, const std::string& old_text) {
    return "(IF EXIST \"$(BRCC_OutputDir)$(MSBuildProjectName).res\" COPY \"$(BRCC_OutputDir)$(MSBuildProjectName).res\" "
           "\"$(BRCC_OutputDir)" + stem + ".res\" /Y)\n"
           "(IF EXIST \"$(MSBuildProjectName)Resource.rc\" COPY \"$(MSBuildProjectName)Resource.rc\" \"" + stem +
           "Resource.rc\" /Y)\n"
           "(IF EXIST \"$(MSBuildProjectName).dres\" COPY \"$(MSBuildProjectName).dres\" \"" + stem + ".dres\" /Y)\n" +
           old_text + "\n$(PreBuildEvent)";
}

// Runs the project's own post-build command, then removes what the copy's build left behind.
std::string post_build_event(const std::string& old_text) {
    return old_text +
           "\n$(PostBuildEvent)\n"
           "DEL \"$(BRCC_OutputDir)$(MSBuildProjectName).res\"\n"
           "DEL \"$(MSBuildProjectName)Resource.rc\"\n"
           "DEL \"$(MSBuildProjectName).dres\"\n"
           "DEL \"$(OutputDir)$(MSBuildProjectName).cmds\" ";
}

// A property of the first group that replaces the project's own everywhere but in the base group.
PropertyUpdate first_group_update(std::string property, std::string value) {
    return {{PropertyContent::Kind::Text, std::move(value)}, std::move(property), Group::First, Elsewhere::Removed};
}

pugi::xml_node find_base_group(pugi::xml_node root, pugi::xml_node first_group) {
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        const pugi::xml_attribute condition = child.attribute("Condition");
        if (child != first_group && is_element(child, property_group) && condition && condition.value() == base_condition)
            return child;
    }
    return {};
}

// The given value, queued as an update of the first group; without one, the first group's own.
std::optional<std::string> resolve_property(std::string_view name, const std::optional<std::string>& given,
                                            pugi::xml_node first_group, std::vector<PropertyUpdate>& updates) {
    if (!given) return child_text(first_group, name);
    updates.push_back({{PropertyContent::Kind::Text, *given}, std::string(name), Group::First, Elsewhere::Kept});
    return given;
}

// The first PropertyGroup child whose Condition is exactly that of the configuration and platform.
pugi::xml_node find_config_group(pugi::xml_node parent, std::string_view config, std::string_view platform) {
    const std::string condition =
        "'$(Config)'=='" + std::string(config) + "' And '$(Platform)'=='" + std::string(platform) + "'";
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        const pugi::xml_attribute attribute = child.attribute("Condition");
        if (is_element(child, property_group) && attribute && attribute.value() == condition) return child;
    }
    return {};
}

}  // namespace

std::expected<void, ProjectError> patch_project_file(pugi::xml_node root, const ProjectPath& project, const Request& request,
                                                     const std::wstring* group) {
    const BuildOptions& options = request.options;
    std::vector<PropertyUpdate> updates;
    if (options.preferred_tool_architecture) {
        updates.push_back(first_group_update("DCC_UseMSBuildExternally", "true"));
        updates.push_back(first_group_update("DCC_PreferredToolArchitecture", std::string(catalogue::name(*options.preferred_tool_architecture))));
    }
    if (std::string keys = version_info_keys(options.version_info); !keys.empty()) {
        updates.push_back(first_group_update("VerInfo_IncludeVerInfo", "true"));
        updates.push_back(first_group_update("VerInfo_Keys", std::move(keys)));
    }

    const auto refuse = [&](std::string_view why) { return std::unexpected(request.refusal(project, group, why)); };

    pugi::xml_node first_group = first_child_element(root, property_group);
    if (!first_group) return refuse("no property group to carry the options: the project has no PropertyGroup");
    if (first_group.first_attribute())
        return refuse("no property group to carry the options: the project's first PropertyGroup has attributes");
    const pugi::xml_node base_group = find_base_group(root, first_group);
    if (!base_group)
        return refuse("no property group to carry the options: the project has no PropertyGroup with Condition=\"" +
                      std::string(base_condition) + "\"");

    const std::optional<std::string> platform_name =
        request.platform ? std::optional<std::string>(catalogue::name(*request.platform)) : std::nullopt;
    const auto config = resolve_property("Config", options.config, first_group, updates);
    if (!config) return refuse("no configuration to build: the project's first PropertyGroup names none, and --config was not given");
    const auto resolved_platform = resolve_property("Platform", platform_name, first_group, updates);
    if (!resolved_platform)
        return refuse("no platform to build: the project's first PropertyGroup names none, and --platform was not given");

    const pugi::xml_node config_group = find_config_group(root, *config, *resolved_platform);
    const std::string old_pre = child_text(config_group, "PreBuildEvent").value_or("");
    const std::string old_post = child_text(config_group, "PostBuildEvent").value_or("");
    const std::string stem = win::to_utf8(win::file_stem(project.path()));
    updates.push_back(
        {{PropertyContent::Kind::CData, pre_build_event(stem, old_pre)}, "PreBuildEvent", Group::Base, Elsewhere::Removed});
    updates.push_back(
        {{PropertyContent::Kind::CData, post_build_event(old_post)}, "PostBuildEvent", Group::Base, Elsewhere::Removed});

    // Each group is cleaned of its properties' old elements and the rest of the root of those
    // that go elsewhere, one walk each, however many properties there are; both groups stay
    // where they are meanwhile, so that removing elements before the base group cannot move it.
    // No property is appended inside another's element, so cleaning first and appending after
    // leaves what cleaning and appending one property after the other would.
    std::vector<std::string_view> in_first, in_base, elsewhere;
    for (const PropertyUpdate& update : updates) {
        (update.group == Group::First ? in_first : in_base).push_back(update.property);
        if (update.elsewhere == Elsewhere::Removed) elsewhere.push_back(update.property);
    }
    remove_elements(first_group, in_first);
    remove_elements(base_group, in_base);
    remove_elements(root, elsewhere, {first_group, base_group});
    for (const PropertyUpdate& update : updates)
        append_property(update.group == Group::First ? first_group : base_group, update.property, update.content);
    root.prepend_move(first_group);
    return {};
}

}  // namespace kestrune::backends::patcher
