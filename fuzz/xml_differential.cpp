// The project reader against expat, an XML parser of its own lineage: what the reader accepts,
// expat accepts too, so that the program never hands on what is not XML. Where the reader
// refuses what expat accepts, the refusal must be one the reader documents:
// - elements nested deeper than its limit;
// - an encoding it does not decode (a declared encoding other than UTF-8, UTF-16, UTF-32 and
//   ISO-8859-1, once the file holds a byte beyond ASCII);
// - a reference to an entity that only a DTD defines, and a DOCTYPE with an internal subset:
//   the reader reads no DTD;
// - an empty version number in the XML declaration, which XML forbids and expat lets through
//   (every other malformed one expat refuses too);
// - a UTF-16 file that ends in half a character, which expat leaves unread;
// - a UTF-16 file without a byte-order mark that does not begin with "<": the reader takes it
//   for UTF-8, in which its NULs are no XML, where expat guesses UTF-16 from any first two bytes.
// Any other difference is a finding.
//
// Names are read by the fifth edition of XML 1.0, whose name characters are ranges of Unicode;
// expat keeps to character classes of its own, mostly narrower (the fourth edition's) but wider
// in places (U+00B5 is a name character to it). Where expat refuses a file the reader accepts as
// an invalid token, and the file has a name beyond ASCII, or the reader refuses a name beyond
// ASCII that expat accepts, that is this difference.
//
// Expat is given the same bytes. It decodes UTF-8, UTF-16, ISO-8859-1 and US-ASCII itself; for
// any other declared encoding it is told that ASCII is ASCII and every other byte is invalid,
// which is what the reader does too. It reads no UTF-32, so a file the reader reads as UTF-32
// is compared only for the reader's own refusals.
#include <expat.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "backends/patcher/xml_reader.hpp"
#include "check.hpp"

namespace {

using kestrune::fuzz::shown;

int XMLCALL ascii_only(void*, const XML_Char*, XML_Encoding* info) {
    for (int byte = 0; byte < 256; ++byte) info->map[byte] = byte < 0x80 ? byte : -1;
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

struct Expat {
    bool accepted;
    XML_Error code;
    std::string error;
};

Expat expat_reads(std::string_view content) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUnknownEncodingHandler(parser, ascii_only, nullptr);
    const bool accepted = XML_Parse(parser, content.data(), static_cast<int>(content.size()), XML_TRUE) == XML_STATUS_OK;
    const XML_Error code = XML_GetErrorCode(parser);
    Expat result{accepted, code, accepted ? "" : XML_ErrorString(code)};
    XML_ParserFree(parser);
    return result;
}

bool beyond_ascii(const char* text) {
    for (; *text; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80) return true;
    return false;
}

// Whether an element, attribute or processing instruction of the tree has a name beyond ASCII.
bool names_beyond_ascii(pugi::xml_document& document) {
    struct Walker : pugi::xml_tree_walker {
        bool found = false;
        bool for_each(pugi::xml_node& node) override {
            found = found || beyond_ascii(node.name());
            for (const pugi::xml_attribute attribute : node.attributes()) found = found || beyond_ascii(attribute.name());
            return !found;
        }
    } walker;
    document.traverse(walker);
    return walker.found;
}

// Whether the DOCTYPE's text holds a byte beyond ASCII: its name is the only place one may stand.
bool doctype_beyond_ascii(std::string_view content) {
    const std::size_t start = content.find("<!DOCTYPE");
    if (start == std::string_view::npos) return false;
    const std::string_view doctype = content.substr(start, content.find('>', start) - start);
    return std::any_of(doctype.begin(), doctype.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool documented_refusal(std::string_view message) {
    if (message.find("is not an XML name") != std::string_view::npos && beyond_ascii(std::string(message).c_str())) return true;
    for (const std::string_view why : {"elements nested deeper than", "is not supported (only UTF-8", "undefined entity",
                                     "a DOCTYPE with an internal subset", "a malformed version number",
                                     "the file ends in part of a character"})
        if (message.find(why) != std::string_view::npos) return true;
    return false;
}

// Whether the bytes would be UTF-16 to a reader that guesses from any first two bytes, but
// open with neither a byte-order mark nor "<".
bool utf16_unmarked_without_angle(std::string_view content) {
    if (content.size() < 2 || content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) return false;
    if (content[0] != '\0' && content[1] != '\0') return false;
    return !content.starts_with(std::string_view("<\0", 2)) && !content.starts_with(std::string_view("\0<", 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    pugi::xml_document document;
    const auto read = kestrune::backends::patcher::parse_project(content, document);
    // How the reader took the bytes, to leave UTF-32 out.
    pugi::xml_document probe;
    const pugi::xml_encoding encoding = probe.load_buffer(content.data(), content.size(), pugi::parse_minimal).encoding;
    if (encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be) return 0;

    const Expat expat = expat_reads(content);
    if (read && !expat.accepted && !(expat.code == XML_ERROR_INVALID_TOKEN && (names_beyond_ascii(document) || doctype_beyond_ascii(content))))
        KESTRUNE_FUZZ_CHECK(expat.accepted, shown(content) + ": the reader accepted what expat refuses: " + expat.error);
    if (!read && expat.accepted)
        KESTRUNE_FUZZ_CHECK(documented_refusal(read.error().message()) || utf16_unmarked_without_angle(content),
                            shown(content) + ": expat accepted what the reader refuses: " + read.error().message());
    return 0;
}
