#include "backends/patcher/xml_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "backends/patcher/project_group.hpp"
#include "backends/patcher/project_xml.hpp"
#include "scratch_directory.hpp"

namespace kestrune::backends::patcher {
namespace {

using namespace std::string_literals;

// A project the patcher makes a copy of, with `inner` inside the root after the two groups
// it needs and `before` and `after` outside it.
std::string project(std::string_view inner, std::string_view before = {}, std::string_view after = {}) {
    return std::string(before) +
           "<Project>\n"
           "<PropertyGroup><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>\n"
           "<PropertyGroup Condition=\"'$(Base)'!=''\"/>\n" +
           std::string(inner) + "\n</Project>" + std::string(after);
}

std::string many(std::string_view text, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out += text;
    return out;
}

// Elements nested `depth` levels deep, counting the root, inside a patchable project.
std::string nested(std::size_t depth) {
    const std::size_t levels = depth - 2;  // below the root and ProjectExtensions
    std::string inner = "<ProjectExtensions>";
    for (std::size_t i = 0; i < levels; ++i) inner += "<N>";
    inner += "bottom";
    for (std::size_t i = 0; i < levels; ++i) inner += "</N>";
    return project(inner + "</ProjectExtensions>");
}

// ASCII text as UTF-16 (little-endian) with its byte-order mark.
std::string utf16(std::string_view ascii) {
    std::string out = "\xFF\xFE";
    for (const char c : ascii) out += {c, '\0'};
    return out;
}

class ReadProject : public testing::Test {
protected:
    scratch::Directory dir;
    scratch::CurrentDirectory cwd{dir.path()};
    BuildOptions options;

    void SetUp() override { options.config = "Release"; }
    PatchResult patch(const std::string& name) { return patch_project({win::to_wide(name), std::nullopt}, std::nullopt, options); }

    // The file is refused with "Malformed XML. ", the row and column, and the description,
    // and nothing is left beside the files the test wrote.
    void expect_refused(const std::string& name, const std::string& description, const std::vector<std::string>& files) {
        const auto result = patch(name);
        ASSERT_FALSE(result) << name << ": a copy was made";
        EXPECT_EQ(result.error().kind(), ProjectError::Kind::XmlParse) << name;
        const std::string message = result.error().message();
        EXPECT_TRUE(message.starts_with("Malformed XML. ") && message.find(' ', 15) != std::string::npos &&
                    message.substr(message.find(' ', 15) + 1) == description)
            << name << ": " << message;
        EXPECT_EQ(dir.files(), files) << name;
    }
};

TEST_F(ReadProject, WhatIsNotWellFormedXmlIsRefused) {
    struct Case {
        const char* what;
        std::string content;
        std::string description;
    };
    const Case cases[] = {
        {"undefined entity", project("<Cmd>a&foo;b</Cmd>"), "undefined entity &foo;"},
        {"entity from a DTD", project("<Cmd>&ent;</Cmd>", "<!DOCTYPE Project [<!ENTITY ent 'x'>]>"), "undefined entity &ent;"},
        {"lone ampersand", project("<Cmd>a && b</Cmd>"),
         "'&' that begins no entity or character reference (the character itself is written &amp;)"},
        {"not a number", project("<Cmd>&#xZZ;</Cmd>"), "malformed character reference &#xZZ;"},
        {"reference to NUL", project("<Cmd>a&#0;b</Cmd>"), "character reference &#0; names a character XML does not allow"},
        {"beyond Unicode", project("<Cmd>&#x110000;</Cmd>"), "character reference &#x110000; names a character XML does not allow"},
        {"entity in an attribute", project("<X A=\"&foo;\"/>"), "undefined entity &foo; in the value of attribute A"},
        {"'<' in an attribute", project("<X A=\"a<b\"/>"), "'<' in the value of attribute A"},
        {"attribute twice", project("<X A=\"1\" B=\"2\" A=\"3\"/>"), "attribute A given twice"},
        {"two roots", project("", "", "\n<Project/>"), "a second root element"},
        {"text after the root", project("", "", " trailing"), "text outside the root element"},
        {"text before the root", project("", "leading "), "text outside the root element"},
        {"CDATA after the root", project("", "", "<![CDATA[x]]>"), "text outside the root element"},
        {"DOCTYPE after the root", project("", "", "<!DOCTYPE Project>"), "a DOCTYPE after the root element or a second one"},
        {"declaration after a comment", project("", "<!-- c --><?xml version=\"1.0\"?>"),
         "an XML declaration that does not open the file"},
        {"space before the declaration", project("", " <?xml version=\"1.0\"?>"), "an XML declaration that does not open the file"},
        {"':' in the version number", "<?xml version=\"1.0:x\"?><Project/>", "an XML declaration with a malformed version number"},
        {"declaration not in lower case", "<?xMl version=\"1.0\"?><Project/>",
         "a processing instruction named 'xMl', a name XML reserves"},
        {"a declaration the reader cannot read", project("", "<?xml version=1.0?>"), "Error parsing element attribute"},
        {"']]>' in text", project("<Cmd>a]]>b</Cmd>"), "']]>' in text"},
        {"'--' in a comment", project("<!-- a -- b -->"), "'--' inside a comment, or a comment that ends in '-'"},
        {"Latin-1 byte, no declaration", project("<Cmd>caf\xE9</Cmd>"), "invalid UTF-8 (byte 0xE9)"},
        {"Latin-1 byte, UTF-8 declared", project("<Cmd>caf\xE9</Cmd>", "<?xml version=\"1.0\" encoding=\"utf-8\"?>"),
         "invalid UTF-8 (byte 0xE9)"},
        {"encoded surrogate", project("<Cmd>\xED\xA0\x80</Cmd>"), "invalid UTF-8 (byte 0xED)"},
        {"control character", project("<Cmd>a\x01</Cmd>"), "character U+0001 is not allowed in XML"},
        {"control character, UTF-16", utf16(project("<Cmd>a\x01</Cmd>")), "character U+0001 is not allowed in XML"},
        {"control character in an attribute, UTF-16", utf16(project("<X A=\"\x02\"/>")), "character U+0002 is not allowed in XML"},
        {"NUL after the root", project("", "", "\0<junk"s), "character U+0000 is not allowed in XML"},
        {"character beyond XML's names in an element name", project("<A\xE2\x9C\xA6/>"), "'A\xE2\x9C\xA6' is not an XML name"},
        {"name starting with a character only names continue with", project("<X \xCC\x81" "a=\"1\"/>"),
         "'\xCC\x81" "a' is not an XML name"},
        {"processing instruction named by a symbol", project("<?\xC2\xBD x?>"), "'\xC2\xBD' is not an XML name"},
        {"declaration without its version", project("", "<?xml encoding=\"utf-8\"?>"),
         "an XML declaration that is not version, encoding and standalone, in that order"},
        {"declaration with a version that is no number", project("", "<?xml version=\"1g=\"?>"),
         "an XML declaration with a malformed version number"},
        {"encoding name that is no name, beyond ASCII", project("", "<?xml version=\"1.0\" encoding=\"u\xAAtf-8\"?>"),
         "an XML declaration with a malformed encoding name"},
        {"declaration standing neither alone nor not", project("", "<?xml version=\"1.0\" standalone=\"maybe\"?>"),
         "an XML declaration whose standalone is neither yes nor no"},
        {"DOCTYPE with an internal subset", project("", "<!DOCTYPE Project [<!ELEMENT Project ANY>]>"),
         "a DOCTYPE with an internal subset (no DTD is read)"},
        {"DOCTYPE run into its name", project("", "<!DOCTYPEProject>"), "a DOCTYPE that is not a name with a SYSTEM or PUBLIC identifier"},
        {"DOCTYPE holding more than an identifier", project("", "<!DOCTYPE Project junk>"),
         "a DOCTYPE that is not a name with a SYSTEM or PUBLIC identifier"},
        {"NUL after the root, UTF-16", utf16(project("")) + "\0\0"s, "character U+0000 is not allowed in XML"},
        {"half a character at the end, UTF-16", utf16(project("")) + "x", "the file ends in part of a character"},
        {"first half of a pair at the end, UTF-16", utf16(project("")) + "\x00\xD8"s, "the file ends in part of a character"},
        {"first half of a pair alone, UTF-16", utf16("<Project/>") + "\x00\xD8"s + utf16(" ").substr(2),
         "half a UTF-16 surrogate pair"},
        {"second half of a pair alone, UTF-16", utf16("<Project") + "\x00\xDC"s + utf16("/>").substr(2),
         "half a UTF-16 surrogate pair"},
        {"other encoding beyond ASCII", project("<Cmd>caf\xE9</Cmd>", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"),
         "encoding windows-1252 is not supported (only UTF-8, UTF-16, UTF-32 and ISO-8859-1 are read)"},
        // A character XML does not allow is reported before any fault of structure, however far
        // into the file it lies, and what the reader refuses outright before either.
        {"a character far after a fault of structure", project("<Cmd>&foo;</Cmd>" + many("<X/>", 30000) + "<Cmd>a\x01</Cmd>"),
         "character U+0001 is not allowed in XML"},
        {"a declaration inside an element after other faults", project("<Cmd>&foo;\x01</Cmd><X><?xml version=\"1.0\"?></X>"),
         "Error parsing document declaration/processing instruction"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("P.dproj", c.content);
        expect_refused("P.dproj", c.description, {"P.dproj"});
    }
}

// The row and column are those of the file as written, also after CR LF line ends.
TEST_F(ReadProject, TheErrorNamesWhereTheFileGoesWrong) {
    dir.write("P.dproj", "<Project>\r\n  <Cmd>ok &amp;\r\n   then &foo;</Cmd>\r\n</Project>");
    const auto result = patch("P.dproj");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message(), "Malformed XML. 3:9 undefined entity &foo;");
}

// References, encodings and markup that XML allows give a copy that says what the file says.
TEST_F(ReadProject, WellFormedFilesStillGiveACopy) {
    struct Case {
        const char* what;
        std::string content;
        std::string probe;  // in the copy: the text of the Probe element, and "|" and its attribute A if it has one
    };
    const Case cases[] = {
        {"predefined entities and character references",
         project("<Probe>&lt;&gt;&amp;&apos;&quot;&#65;&#x42;&#x1F600;&#10;</Probe>"), "<>&'\"AB\xF0\x9F\x98\x80\n"},
        {"references in an attribute", project("<Probe A=\"&lt;&amp;&#x41;&#9;\" B=\"'\">x</Probe>"), "x|<&A\t"},
        {"BOM, declaration, DOCTYPE, comments and instructions",
         project("<Probe>\xC3\xA9\xEF\xBF\xBD</Probe>\n<!-- a - b -->",
                 "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- c -->\n<!DOCTYPE Project>\n",
                 "\n<!-- end -->\n<?pi after?>\n"),
         "\xC3\xA9\xEF\xBF\xBD"},
        {"']]' without '>', and CDATA", project("<Probe>a]]b<![CDATA[ & <x> ]]]></Probe>"), "a]]b & <x> ]"},
        {"DOCTYPE with identifiers", project("<Probe>x</Probe>", "<!DOCTYPE Project PUBLIC \"-//K//P\" 'p.dtd'>"), "x"},
        {"names beyond ASCII", project("<\xC3\x89l\xC3\xA9ment \xE5\x90\x8D=\"1\"/><Probe>\xC3\xA9</Probe>"), "\xC3\xA9"},
        {"ISO-8859-1", project("<Probe>caf\xE9</Probe>", "<?xml version='1.0' encoding='ISO-8859-1'?>"), "caf\xC3\xA9"},
        {"another encoding, ASCII only", project("<Probe>cafe</Probe>", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"),
         "cafe"},
        {"UTF-16 with a BOM", utf16(project("<Probe>wide</Probe>", "<?xml version=\"1.0\" encoding=\"utf-16\"?>")), "wide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("P.dproj", c.content);
        auto result = patch("P.dproj");
        ASSERT_TRUE(result) << result.error().message();
        ASSERT_TRUE(*result);
        pugi::xml_document copy;
        ASSERT_TRUE(copy.load_file((*result)->copy.path().c_str()));
        const pugi::xml_node probe = copy.document_element().child("Probe");
        const pugi::xml_attribute a = probe.attribute("A");
        EXPECT_EQ(child_text(copy.document_element(), "Probe").value_or("") + (a ? "|"s + a.value() : ""), c.probe);
    }
}

// Deeper nesting is refused before anything walks the tree, so that no walk, ours or the XML
// library's, can run out of stack; in a group, the copy of an earlier member goes too.
TEST_F(ReadProject, ElementsNestedDeeperThanTheLimitAreRefused) {
    dir.write("Deep.dproj", nested(max_element_depth));
    {
        auto at_limit = patch("Deep.dproj");
        ASSERT_TRUE(at_limit && *at_limit) << (at_limit ? "no copy" : at_limit.error().message());
        const std::string copy = scratch::read_file((*at_limit)->copy.path());
        std::size_t levels = 0;
        for (std::size_t at = copy.find("<N>"); at != std::string::npos; at = copy.find("<N>", at + 1)) ++levels;
        EXPECT_EQ(levels, max_element_depth - 2);
        EXPECT_NE(copy.find("<N>bottom</N>"), std::string::npos);
    }

    constexpr std::string_view patchable_member = R"(<Project>
        <PropertyGroup><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup><PropertyGroup Condition="'$(Base)'!=''"/>
    </Project>)";
    const std::string description = "elements nested deeper than 1000 levels";
    const std::vector<std::string> files = {"All.groupproj", "Deep.dproj", "First.dproj"};
    for (const std::size_t depth : {max_element_depth + 1, std::size_t{8000}, std::size_t{30000}}) {
        SCOPED_TRACE(depth);
        dir.write("Deep.dproj", nested(depth));
        dir.write("First.dproj", patchable_member);
        dir.write("All.groupproj", "<Project><ItemGroup><Projects Include=\"First.dproj\"/><Projects Include=\"Deep.dproj\"/>"
                                   "</ItemGroup></Project>");
        expect_refused("Deep.dproj", description, files);
        expect_refused("All.groupproj", description, files);

        std::string deep_group = "<Project><ItemGroup><Projects Include=\"First.dproj\"/></ItemGroup>";
        for (std::size_t i = 1; i < depth; ++i) deep_group += "<N>";
        for (std::size_t i = 1; i < depth; ++i) deep_group += "</N>";
        dir.write("All.groupproj", deep_group + "</Project>");
        expect_refused("All.groupproj", description, files);
    }
}

}  // namespace
}  // namespace kestrune::backends::patcher
