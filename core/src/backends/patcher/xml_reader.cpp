#include "backends/patcher/xml_reader.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backends/patcher/tree_walk.hpp"
#include "text/text.hpp"

namespace kestrune::backends::patcher {
namespace {

// The tree the patcher works on: references expanded and line ends normalised.
constexpr unsigned tree_options = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;
// The same text as written: references, line ends and white space in attribute values left
// alone and everything outside the root element kept, so that what the tree above hides can
// be checked, and an offset into a text node is an offset into the file.
constexpr unsigned raw_options =
    (pugi::parse_full | pugi::parse_fragment) & ~(pugi::parse_escapes | pugi::parse_eol | pugi::parse_wconv_attribute);

constexpr std::string_view predefined_entities[] = {"lt", "gt", "amp", "apos", "quot"};

// Where the text goes wrong, as an offset into it, and how.
struct Fault {
    std::ptrdiff_t offset;
    std::string description;
};

// "Malformed XML. row:column description", counted from 1 like the reader's own messages.
ProjectError malformed(std::string_view content, const Fault& fault) {
    const auto offset = static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(fault.offset, 0, static_cast<std::ptrdiff_t>(content.size())));
    const auto line_start = content.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t row = static_cast<std::size_t>(std::count(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(offset), '\n')) + 1;
    const std::size_t column = line_start == std::string_view::npos || offset == 0 ? offset + 1 : offset - line_start;
    return ProjectError::malformed_xml(std::to_string(row) + ":" + std::to_string(column) + " " + fault.description);
}

std::string hex(const char* format, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string not_allowed(char32_t c) { return "character " + text::code_point_name(c) + " is not allowed in XML"; }

bool starts_with_bom(std::string_view content) {
    using namespace std::string_view_literals;
    return content.starts_with("\xEF\xBB\xBF"sv) || content.starts_with("\xFF\xFE"sv) || content.starts_with("\xFE\xFF"sv) ||
           content.starts_with("\0\0\xFE\xFF"sv);
}

// The encoding that the XML declaration names, when the file opens with one that does.
std::optional<std::string_view> declared_encoding(const pugi::xml_document& raw) {
    const pugi::xml_node first = raw.first_child();
    const pugi::xml_attribute encoding = first.type() == pugi::node_declaration ? first.attribute("encoding") : pugi::xml_attribute();
    if (!encoding) return std::nullopt;
    return std::string_view(encoding.value());
}

constexpr const char* malformed_encoding_name = "an XML declaration with a malformed encoding name";

// EncName: a letter, then letters, digits, ".", "_" and "-".
bool is_encoding_name(std::string_view name) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return !name.empty() && letter(name.front()) && std::all_of(name.begin(), name.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

// A character XML does not allow, a byte sequence that is not UTF-8 in a file read as UTF-8,
// or, in a file that declares an encoding the reader does not decode, a byte beyond ASCII:
// that encoding may mean another character by it than UTF-8 does, and the copy, written as
// UTF-8, would then say something else than the file. UTF-16 and UTF-32 are the reader's.
std::optional<Fault> character_fault(std::string_view content, pugi::xml_encoding encoding,
                                     std::optional<std::string_view> declared) {
    if (encoding == pugi::encoding_latin1) {
        for (std::size_t i = 0; i < content.size(); ++i)
            if (const auto c = static_cast<unsigned char>(content[i]); !text::is_xml_char(c))
                return Fault{static_cast<std::ptrdiff_t>(i), not_allowed(c)};
        return std::nullopt;
    }
    if (encoding != pugi::encoding_utf8) return std::nullopt;
    const bool bom = content.starts_with("\xEF\xBB\xBF");
    const bool utf8 = bom || !declared || text::equal_ignore_ascii_case(*declared, "UTF-8") ||
                      text::equal_ignore_ascii_case(*declared, "UTF8");
    for (std::size_t i = bom ? 3 : 0; i < content.size();) {
        const auto at = static_cast<std::ptrdiff_t>(i);
        const auto byte = static_cast<unsigned char>(content[i]);
        if (byte < 0x80) {  // most of a project: checked without decoding
            if (!text::is_xml_char(byte)) return Fault{at, not_allowed(byte)};
            ++i;
            continue;
        }
        // A name that is none is not repeated: it may hold what is no text.
        if (!utf8 && !is_encoding_name(*declared)) return Fault{at, malformed_encoding_name};
        if (!utf8)
            return Fault{at, "encoding " + std::string(*declared) +
                                 " is not supported (only UTF-8, UTF-16, UTF-32 and ISO-8859-1 are read)"};
        const auto c = text::next_code_point(content, i);
        if (!c) return Fault{at, "invalid UTF-8 (byte " + hex("0x%02X", byte) + ")"};
        if (!text::is_xml_char(*c)) return Fault{at, not_allowed(*c)};
    }
    return std::nullopt;
}

// A character XML does not allow in a UTF-16 or UTF-32 file: the reader has decoded those
// into the raw tree's UTF-8, so its names and values are checked instead of the bytes. The
// offsets then point into the decoded text, as the reader's own positions do.
std::optional<Fault> decoded_character_fault(const pugi::xml_document& raw) {
    const auto fault_in = [](std::ptrdiff_t at, std::string_view text) -> std::optional<Fault> {
        if (const auto c = text::first_non_xml_char(text)) return Fault{at, not_allowed(*c)};
        return std::nullopt;
    };
    for (TreeWalk walk(raw); walk.node(); walk.next()) {
        const pugi::xml_node node = walk.node();
        const std::ptrdiff_t at = node.offset_debug();
        if (auto fault = fault_in(at, node.name())) return fault;
        if (auto fault = fault_in(at, node.value())) return fault;
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (auto fault = fault_in(at, attribute.name())) return fault;
            if (auto fault = fault_in(at, attribute.value())) return fault;
        }
    }
    return std::nullopt;
}

// In a UTF-16 or UTF-32 file, a NUL, which the XML reader takes for the end of the text, and
// half a character at the end, which it drops. The offset is the decoded text's, as above.
std::optional<Fault> unit_fault(std::string_view content, pugi::xml_encoding encoding) {
    const bool utf16 = encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be;
    const bool big_endian = encoding == pugi::encoding_utf16_be || encoding == pugi::encoding_utf32_be;
    const std::size_t width = utf16 ? 2 : 4;
    std::ptrdiff_t decoded = 0;  // the UTF-8 length of what comes before
    bool pair_open = false;      // the unit before was the first half of a surrogate pair
    for (std::size_t i = 0; i + width <= content.size(); i += width) {
        std::uint32_t unit = 0;
        for (std::size_t b = 0; b < width; ++b)
            unit |= std::uint32_t{static_cast<unsigned char>(content[i + b])} << 8 * (big_endian ? width - 1 - b : b);
        if (unit == 0) return Fault{decoded, not_allowed(0)};
        // The XML library drops half a pair that stands alone, where it is no character at all.
        const bool high = utf16 && text::is_high_surrogate(unit), low = utf16 && text::is_low_surrogate(unit);
        if (pair_open != low) return Fault{decoded, "half a UTF-16 surrogate pair"};
        pair_open = high;
        // A surrogate pair is four bytes of UTF-8, counted at its first half.
        decoded += unit < 0x80 ? 1 : unit < 0x800 ? 2 : (high || low) ? (high ? 4 : 0) : unit < 0x10000 ? 3 : 4;
    }
    if (pair_open || content.size() % width != 0) return Fault{decoded, "the file ends in part of a character"};
    return std::nullopt;
}

bool is_name_start(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
}
bool is_name_char(char c) { return is_name_start(c) || (c >= '0' && c <= '9') || c == '.' || c == '-'; }

// The character that the digits of "&#123;" or "&#x7B;" name (after the "#"); anything beyond
// Unicode counts as U+110000. Nothing when they are not a number.
std::optional<char32_t> referenced_character(std::string_view digits) {
    const bool hexadecimal = digits.starts_with('x');
    if (hexadecimal) digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    char32_t value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'                ? c - '0'
                          : hexadecimal && c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : hexadecimal && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                : -1;
        if (digit < 0) return std::nullopt;
        value = std::min<char32_t>(value * (hexadecimal ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
    }
    return value;
}

// The first "&" of a text as written that does not begin a reference XML defines without a
// DTD, and what is wrong with it; the offset is the index into the text.
std::optional<Fault> reference_fault(std::string_view text) {
    for (std::size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
        const auto at = static_cast<std::ptrdiff_t>(amp);
        const std::size_t semicolon = text.find(';', amp + 1);
        const std::string_view name = semicolon == std::string_view::npos ? std::string_view() : text.substr(amp + 1, semicolon - amp - 1);
        const auto reference = [&] { return "&" + std::string(name) + ";"; };
        if (name.starts_with('#')) {
            const auto c = referenced_character(name.substr(1));
            if (!c) return Fault{at, "malformed character reference " + reference()};
            if (!text::is_xml_char(*c)) return Fault{at, "character reference " + reference() + " names a character XML does not allow"};
        } else if (!name.empty() && is_name_start(name.front()) && std::all_of(name.begin(), name.end(), is_name_char)) {
            if (std::find(std::begin(predefined_entities), std::end(predefined_entities), name) == std::end(predefined_entities))
                return Fault{at, "undefined entity " + reference()};
        } else {
            return Fault{at, "'&' that begins no entity or character reference (the character itself is written &amp;)"};
        }
    }
    return std::nullopt;
}

// The XML reader takes any character beyond ASCII for a letter of a name.
std::string not_a_name(std::string_view name) { return "'" + std::string(name) + "' is not an XML name"; }

// Attributes given twice, names that are no XML names, and attribute values that hold "<" or
// a bad reference. `names` is room that the caller lends for every element, so that a large
// project is not one allocation per element.
std::optional<Fault> attribute_fault(pugi::xml_node element, std::vector<std::string_view>& names) {
    const std::ptrdiff_t at = element.offset_debug();
    names.clear();
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const std::string_view name = attribute.name(), value = attribute.value();
        if (!text::is_xml_name(name)) return Fault{at, not_a_name(name)};
        names.push_back(name);
        if (value.find('<') != std::string_view::npos) return Fault{at, "'<' in the value of attribute " + std::string(name)};
        if (auto fault = reference_fault(value))
            return Fault{at, std::move(fault->description) + " in the value of attribute " + std::string(name)};
    }
    std::sort(names.begin(), names.end());
    if (const auto twice = std::adjacent_find(names.begin(), names.end()); twice != names.end())
        return Fault{at, "attribute " + std::string(*twice) + " given twice"};
    return std::nullopt;
}

// VersionNum as the fourth edition has it, which readers still take: letters, digits, ".", "_"
// and "-"; not ":", which that edition allows too but common readers refuse.
bool is_version_number(std::string_view number) {
    return !number.empty() && std::all_of(number.begin(), number.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

// The XML declaration's pseudo-attributes, which the XML reader takes as any attributes at all:
// version, then encoding and standalone when given, in that order, standalone yes or no.
std::optional<std::string> declaration_fault(pugi::xml_node declaration) {
    using namespace std::string_view_literals;
    pugi::xml_attribute attribute = declaration.first_attribute();
    const auto next_if = [&](std::string_view name) {
        const bool named = attribute && attribute.name() == name;
        if (named) attribute = attribute.next_attribute();
        return named;
    };
    const pugi::xml_attribute version_number = attribute;
    const bool version = next_if("version");
    if (version && !is_version_number(version_number.value())) return "an XML declaration with a malformed version number";
    const pugi::xml_attribute encoding = attribute;
    if (next_if("encoding") && !is_encoding_name(encoding.value())) return malformed_encoding_name;
    const pugi::xml_attribute standalone = attribute;
    if (next_if("standalone") && standalone.value() != "yes"sv && standalone.value() != "no"sv)
        return "an XML declaration whose standalone is neither yes nor no";
    if (!version || attribute) return "an XML declaration that is not version, encoding and standalone, in that order";
    return std::nullopt;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A document type declaration (what the XML reader holds between "<!DOCTYPE" and ">"), which
// the XML reader takes with anything inside: a name, then SYSTEM and a literal or PUBLIC and two.
// An internal subset is refused whole: the reader reads no DTD, and MSBuild refuses one.
std::optional<std::string> doctype_fault(std::string_view text) {
    const auto skip_blanks = [&] {
        const std::size_t before = text.size();
        while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
        return text.size() != before;
    };
    const auto word = [&] {
        std::size_t end = 0;
        while (end < text.size() && !is_blank(text[end]) && text[end] != '[' && text[end] != '"' && text[end] != '\'') ++end;
        const std::string_view taken = text.substr(0, end);
        text.remove_prefix(end);
        return taken;
    };
    // A quoted literal after blanks; with `public`, of the characters a public identifier may hold.
    const auto literal = [&](bool public_id) {
        if (!skip_blanks() || text.empty() || (text.front() != '"' && text.front() != '\'')) return false;
        const std::size_t end = text.find(text.front(), 1);
        if (end == std::string_view::npos) return false;
        const std::string_view inner = text.substr(1, end - 1);
        text.remove_prefix(end + 1);
        constexpr std::string_view pubid_marks = " \r\n-'()+,./:=?;!*#@$_%";
        return !public_id || std::all_of(inner.begin(), inner.end(), [&](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   pubid_marks.find(c) != std::string_view::npos;
        });
    };
    skip_blanks();
    const std::string_view name = word();
    bool formed = text::is_xml_name(name);
    if (formed && skip_blanks() && !text.empty() && text.front() != '[') {
        const std::string_view keyword = word();
        formed = keyword == "SYSTEM" ? literal(false) : keyword == "PUBLIC" && literal(true) && literal(false);
        skip_blanks();
    }
    if (formed && text.starts_with('[')) return "a DOCTYPE with an internal subset (no DTD is read)";
    if (!formed || !text.empty()) return "a DOCTYPE that is not a name with a SYSTEM or PUBLIC identifier";
    return std::nullopt;
}

// What the raw tree shows that the reader let through: structure outside the root element,
// nesting too deep to walk, names, and the content rules of elements, text and comments. The tree
// is walked once, in document order. (The reader itself refuses a declaration inside an
// element.)
std::optional<Fault> structure_fault(const pugi::xml_document& raw, std::string_view content) {
    bool root_seen = false, doctype_seen = false;
    pugi::xml_node doctype;
    std::vector<std::string_view> attribute_names;
    for (TreeWalk walk(raw); walk.node(); walk.next()) {
        const pugi::xml_node node = walk.node();
        const std::ptrdiff_t at = node.offset_debug();
        const bool top = walk.depth() == 1;
        const std::string_view value = node.value();
        switch (node.type()) {
        case pugi::node_element:
            if (walk.depth() > max_element_depth)
                return Fault{at, "elements nested deeper than " + std::to_string(max_element_depth) + " levels"};
            if (top && std::exchange(root_seen, true)) return Fault{at, "a second root element"};
            if (!text::is_xml_name(node.name())) return Fault{at, not_a_name(node.name())};
            if (auto fault = attribute_fault(node, attribute_names)) return fault;
            break;
        case pugi::node_pcdata:
            if (top) return Fault{at, "text outside the root element"};
            if (auto fault = reference_fault(value)) return Fault{at + fault->offset, std::move(fault->description)};
            if (const auto end = value.find("]]>"); end != std::string_view::npos)
                return Fault{at + static_cast<std::ptrdiff_t>(end), "']]>' in text"};
            break;
        case pugi::node_cdata:
            if (top) return Fault{at, "text outside the root element"};
            break;
        case pugi::node_comment:
            if (value.find("--") != std::string_view::npos || value.ends_with('-'))
                return Fault{at, "'--' inside a comment, or a comment that ends in '-'"};
            break;
        case pugi::node_pi:
            if (!text::is_xml_name(node.name())) return Fault{at, not_a_name(node.name())};
            break;
        case pugi::node_declaration:
            // The reader takes "<?xml" in any letter case for the declaration; XML reserves the
            // name in every case but the declaration's own.
            if (std::string_view(node.name()) != "xml")
                return Fault{at, "a processing instruction named '" + std::string(node.name()) + "', a name XML reserves"};
            // At the very start: after a byte-order mark at most, which the reader holds as three bytes.
            if (node != raw.first_child() || at != (starts_with_bom(content) ? 5 : 2))
                return Fault{at, "an XML declaration that does not open the file"};
            if (auto fault = declaration_fault(node)) return Fault{at, std::move(*fault)};
            break;
        case pugi::node_doctype:
            if (root_seen || std::exchange(doctype_seen, true)) return Fault{at, "a DOCTYPE after the root element or a second one"};
            doctype = node;
            break;
        default:
            break;
        }
    }
    // Last, so that a reference to an entity it declares is named as what goes wrong.
    if (doctype) {
        // Its text stands in the reader's copy of the file just after the blanks that follow
        // "<!DOCTYPE", which must be there: the reader does not ask for them.
        const std::ptrdiff_t at = doctype.offset_debug();
        if (at < 1 || !is_blank(doctype.value()[-1]))
            return Fault{at, "a DOCTYPE that is not a name with a SYSTEM or PUBLIC identifier"};
        if (auto fault = doctype_fault(doctype.value())) return Fault{at, std::move(*fault)};
    }
    return std::nullopt;
}

}  // namespace

std::expected<void, ProjectError> parse_project(std::string_view content, pugi::xml_document& document) {
    const pugi::xml_parse_result result = document.load_buffer(content.data(), content.size(), tree_options);
    if (result.status == pugi::status_no_document_element) return std::unexpected(ProjectError::cannot_parse());
    if (!result) return std::unexpected(malformed(content, {result.offset, result.description()}));

    pugi::xml_document raw;
    const pugi::xml_parse_result raw_result = raw.load_buffer(content.data(), content.size(), raw_options);
    std::optional<Fault> fault;
    if (!raw_result) fault = Fault{raw_result.offset, raw_result.description()};
    if (!fault) fault = character_fault(content, result.encoding, declared_encoding(raw));
    if (!fault && result.encoding != pugi::encoding_utf8 && result.encoding != pugi::encoding_latin1)
        fault = unit_fault(content, result.encoding);
    if (!fault && result.encoding != pugi::encoding_utf8 && result.encoding != pugi::encoding_latin1)
        fault = decoded_character_fault(raw);
    if (!fault) fault = structure_fault(raw, content);
    if (!fault) return {};
    // Nothing is to walk what was refused, least of all a tree too deep for it.
    document.reset();
    return std::unexpected(malformed(content, *fault));
}

}  // namespace kestrune::backends::patcher
