// The project reader and patcher: bytes, and the options drawn from the input, give a refusal
// or a copy. The input is a project file, and after a marker ("\0--options--\0") the bytes
// the options are drawn from; a project file alone is an input too.
//
// - A refusal's text is UTF-8; a project the patcher refuses is left as it was read.
// - A copy is UTF-8 and is itself accepted by the reader, which reads it back as the tree it was
//   written from: written again, it is the same text.
// - Patching the copy again with the same options changes nothing but the two build events
//   (the first patch moved the configuration's own into them), and from then on nothing.
// - A group's copy, its members pointed to their copies, is accepted by the reader too.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backends/patcher/group_targets.hpp"
#include "backends/patcher/project_file.hpp"
#include "backends/patcher/project_xml.hpp"
#include "backends/patcher/request.hpp"
#include "backends/patcher/xml_reader.hpp"
#include "check.hpp"

namespace {

using kestrune::fuzz::shown;
namespace patcher = kestrune::backends::patcher;
namespace backends = kestrune::backends;
namespace catalogue = kestrune::catalogue;

class StringWriter final : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
    std::string text;
};

// The whole tree, every node as it is held, to tell whether anything changed.
std::string dump(const pugi::xml_document& document) {
    StringWriter writer;
    document.print(writer, "", pugi::format_raw | pugi::format_no_escapes, pugi::encoding_utf8);
    return writer.text;
}

std::string copy_text(pugi::xml_node root, std::string_view source) {
    const auto text = patcher::project_text(root);
    KESTRUNE_FUZZ_CHECK(text.has_value(), shown(source));
    KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(*text), shown(source) + " gave " + shown(*text));
    return *text;
}

// The copy read back, and written again as it reads.
void read_back(const std::string& copy, pugi::xml_document& document, std::string_view source) {
    const auto parsed = patcher::parse_project(copy, document);
    KESTRUNE_FUZZ_CHECK(parsed.has_value(), shown(source) + " gave " + shown(copy) + (parsed ? "" : ": " + parsed.error().message()));
    // Read a second time rather than copied: writing marks the tree it writes, and a copy of a
    // tree does not keep every node as the reader made it (an empty value becomes none).
    pugi::xml_document again;
    (void)patcher::parse_project(copy, again);
    KESTRUNE_FUZZ_CHECK(copy_text(again.document_element(), source) == copy, shown(source) + " gave " + shown(copy));
}

std::string without_build_events(const std::string& copy) {
    pugi::xml_document document;
    (void)patcher::parse_project(copy, document);
    patcher::remove_elements(document.document_element(), {"PreBuildEvent", "PostBuildEvent"});
    return *patcher::project_text(document.document_element());
}

void check_project(std::string_view source, pugi::xml_document& document, const patcher::Request& request) {
    const patcher::ProjectPath project(L"My.App.dproj", std::nullopt);
    const std::string before = dump(document);
    const auto patched = patcher::patch_project_file(document.document_element(), project, request, nullptr);
    if (!patched) {
        KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(patched.error().message()), shown(source));
        KESTRUNE_FUZZ_CHECK(dump(document) == before, shown(source));
        return;
    }
    if (!patcher::refuse_what_xml_cannot_hold(request.options)) return;
    const std::string copy = copy_text(document.document_element(), source);
    pugi::xml_document read;
    read_back(copy, read, source);

    // The copy patched again, and that copy once more.
    std::string copies[2];
    for (std::string& again : copies) {
        const auto repatched = patcher::patch_project_file(read.document_element(), project, request, nullptr);
        KESTRUNE_FUZZ_CHECK(repatched.has_value(), shown(source) + " gave " + shown(copy));
        again = copy_text(read.document_element(), source);
        read_back(again, read, source);
    }
    KESTRUNE_FUZZ_CHECK(without_build_events(copies[0]) == without_build_events(copy), shown(source) + " gave " + shown(copy));
    KESTRUNE_FUZZ_CHECK(copies[1] == copies[0], shown(source) + " gave " + shown(copies[0]));
}

// `chosen`: which members get a copy, one bit each; `name`: what their copies' names hold.
void check_group(std::string_view source, pugi::xml_document& document, std::uint32_t chosen, const std::string& name) {
    const pugi::xml_node root = document.document_element();
    std::vector<patcher::GroupMember> members;
    const pugi::xml_node items = patcher::first_child_element(root, "ItemGroup");
    for (pugi::xml_node member = items.first_child(); member; member = member.next_sibling()) {
        if (!patcher::is_element(member, "Projects") || !member.attribute("Include")) continue;
        std::optional<std::string> copy;
        if (chosen & 1) copy = "C:\\Work\\" + name + std::to_string(members.size()) + ".abc123.dproj";
        chosen = chosen >> 1 | chosen << 31;
        members.push_back({member.attribute("Include"), copy});
    }
    patcher::point_to_copies(root, members);
    pugi::xml_document read;
    read_back(copy_text(root, source), read, source);
}

// The options a run asks for, drawn from the bytes after the input's last options marker.
struct Asked {
    backends::BuildOptions options;
    std::optional<catalogue::Platform> platform;
    bool group = false;
    std::uint32_t chosen = 0;  // the group members that get a copy, one bit each
    std::string copy_name;     // what their copies' names hold
};

// Without a marker the input is a project file alone, built for a platform with its own
// configuration, or a group whose members all get copies.
Asked asked_of(std::string_view trailer, bool marked) {
    Asked asked;
    if (!marked) {
        asked.platform = catalogue::Platform::Win64;
        asked.chosen = ~0u;
        asked.copy_name = "copy";
        return asked;
    }
    FuzzedDataProvider input(reinterpret_cast<const std::uint8_t*>(trailer.data()), trailer.size());
    asked.group = input.ConsumeBool();
    asked.chosen = input.ConsumeIntegral<std::uint32_t>();
    // A copy's name is a file's: the UTF-8 of a name the system gave, which XML can hold.
    asked.copy_name = kestrune::win::to_utf8(kestrune::win::to_wide(input.ConsumeRandomLengthString(12)));
    if (kestrune::text::first_non_xml_char(asked.copy_name)) asked.copy_name = "odd";
    if (input.ConsumeBool())
        asked.platform = static_cast<catalogue::Platform>(input.ConsumeIntegralInRange<std::size_t>(0, catalogue::platform_table.size() - 1));
    auto& options = asked.options;
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: break;
    case 1: options.config = "Debug"; break;
    case 2: options.config = "Release"; break;
    default: options.config = input.ConsumeRandomLengthString(16); break;
    }
    if (input.ConsumeBool())
        options.preferred_tool_architecture = input.ConsumeBool() ? catalogue::Architecture::x64 : catalogue::Architecture::x86;
    for (const auto& field : backends::version_info_fields)
        if (input.ConsumeIntegralInRange(0, 7) == 0) options.version_info.*field.member = input.ConsumeRandomLengthString(12);
    // The options come from the command line, which holds UTF-8 text.
    if (options.config) options.config = kestrune::win::to_utf8(kestrune::win::to_wide(*options.config));
    for (const auto& field : backends::version_info_fields)
        if (auto& value = options.version_info.*field.member) value = kestrune::win::to_utf8(kestrune::win::to_wide(*value));
    return asked;
}

bool lists_members(const pugi::xml_document& document) {
    const pugi::xml_node items = patcher::first_child_element(document.document_element(), "ItemGroup");
    for (pugi::xml_node member = items.first_child(); member; member = member.next_sibling())
        if (patcher::is_element(member, "Projects") && member.attribute("Include")) return true;
    return false;
}

constexpr std::string_view options_marker("\0--options--\0", 13);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t marker = input.rfind(options_marker);
    const bool marked = marker != std::string_view::npos;
    const std::string_view source = marked ? input.substr(0, marker) : input;
    const Asked asked = asked_of(marked ? input.substr(marker + options_marker.size()) : std::string_view(), marked);

    pugi::xml_document document;
    const auto parsed = patcher::parse_project(source, document);
    if (!parsed) {
        KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(parsed.error().message()), shown(source));
        return 0;
    }
    if (asked.group || (!marked && lists_members(document))) {
        check_group(source, document, asked.chosen, asked.copy_name);
        return 0;
    }
    const patcher::Request request(asked.platform, asked.options);
    if (request.asked()) check_project(source, document, request);
    return 0;
}
