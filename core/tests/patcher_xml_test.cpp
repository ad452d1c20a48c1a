#include "backends/patcher/project_xml.hpp"
#include "backends/patcher/xml_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrune::backends::patcher {
namespace {

std::string written(pugi::xml_node root) {
    const auto text = project_text(root);
    EXPECT_TRUE(text) << text.error().message();
    return text.value_or("");
}

std::string round_trip(const std::string& xml) {
    pugi::xml_document document;
    const auto parsed = parse_project(xml, document);
    EXPECT_TRUE(parsed) << parsed.error().message();
    return written(document.document_element());
}

TEST(ProjectText, FormatsTheTreeWithFourSpacesAndNoDeclaration) {
    const std::string in =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- outside -->\r\n"
        "<Project xmlns=\"urn:x\">\r\n"
        "\t<!--tight--><!-- padded -->\r\n"
        "  <Group A=\"x &amp; &quot;y&quot;\">\r\n"
        "     <Empty></Empty><Short/>\r\n"
        "     <Text>a &lt; b &amp; c</Text>\r\n"
        "     <Event><![CDATA[echo \"<x>\" & exit]]></Event>\r\n"
        "     <?pi data?>\r\n"
        "  </Group>\r\n"
        "</Project>\r\n<!-- after -->";
    EXPECT_EQ(round_trip(in),
              "<Project xmlns=\"urn:x\">\n"
              "    <!-- tight -->\n"
              "    <!-- padded -->\n"
              "    <Group A=\"x &amp; &quot;y&quot;\">\n"
              "        <Empty />\n"
              "        <Short />\n"
              "        <Text>a &lt; b &amp; c</Text>\n"
              "        <Event><![CDATA[echo \"<x>\" & exit]]></Event>\n"
              "        <?pi data?>\n"
              "    </Group>\n"
              "</Project>");
}

TEST(ProjectText, KeepsMixedContentInOrder) {
    const std::string out = round_trip("<P><M>one<i>two</i>three<!--c--></M></P>");
    EXPECT_NE(out.find("<M>one<i>two</i>three<!-- c -->"), std::string::npos) << out;
}

// A reader turns a carriage return in text into a line feed, and tab, carriage return and line
// feed in an attribute value into spaces, unless they are written as references.
TEST(ProjectText, ReadsBackAsTheTreeSays) {
    pugi::xml_document document;
    const auto loaded = parse_project("<P A=\"t&#9;c&#13;l&#10;x\">"
                                      "<T>one&#13;&#10;two&#13;</T><U>&#13;</U><S>&#32;</S><L>&#10;&#9;</L>"
                                      "<M>&#32;<x/></M>"
                                      "<!-- &#01; stays a comment's text --></P>",
                                      document);
    ASSERT_TRUE(loaded) << loaded.error().message();
    append_property(document.document_element(), "Event", {PropertyContent::Kind::CData, "\rcall a.bat\r\nexit]]>\r"});
    const std::string out = written(document.document_element());

    pugi::xml_document back;
    const auto reloaded = parse_project(out, back);
    ASSERT_TRUE(reloaded) << reloaded.error().message() << "\n" << out;
    const pugi::xml_node root = back.document_element();
    EXPECT_EQ(std::string(root.attribute("A").value()), "t\tc\rl\nx") << out;
    EXPECT_EQ(child_text(root, "T"), "one\r\ntwo\r") << out;
    EXPECT_EQ(child_text(root, "U"), "\r") << out;
    // Text of white space alone is text only while some of it is a reference.
    EXPECT_EQ(child_text(root, "S"), " ") << out;
    EXPECT_EQ(child_text(root, "L"), "\n\t") << out;
    EXPECT_EQ(child_text(root, "M"), " ") << out;
    EXPECT_EQ(child_text(root, "Event"), "\rcall a.bat\r\nexit]]>\r") << out;
    EXPECT_NE(out.find("<!-- &#01; stays a comment's text -->"), std::string::npos) << out;
    EXPECT_EQ(out.find('\r'), std::string::npos) << out;
}

// The text goes out in pieces, which may end inside a reference that stands for a carriage
// return or before the line feed that is left out; the XML library's own pieces (a few
// kilobytes) end inside such references too, in a long run of them. Put together, the pieces
// are the text.
TEST(ProjectText, IsTheSameInWhateverPiecesItGoesOut) {
    std::string run, in = "<P><T>";
    for (int i = 0; i < 3000; ++i) run += "&#13;";
    in += run + "</T><!--n--></P>";
    const std::string whole = "<P>\n    <T>" + run + "</T>\n    <!-- n -->\n    <V><![CDATA[c]]>&#13;<![CDATA[d]]></V>\n</P>";

    class Pieces final : public TextSink {
    public:
        std::expected<void, win::IoError> write(std::string_view piece) override {
            pieces.emplace_back(piece);
            return {};
        }
        std::vector<std::string> pieces;
    };
    for (const std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, std::size_t{7},
                                   std::size_t{4096}, text_piece}) {
        SCOPED_TRACE(size);
        pugi::xml_document document;  // the tree is prepared for writing in place: one each time
        ASSERT_TRUE(parse_project(in, document));
        append_property(document.document_element(), "V", {PropertyContent::Kind::CData, "c\rd"});
        Pieces out;
        ASSERT_TRUE(write_project_text(document.document_element(), out, size));
        std::string joined;
        for (std::size_t i = 0; i < out.pieces.size(); ++i) {
            if (i + 1 < out.pieces.size()) {
                EXPECT_EQ(out.pieces[i].size() % size, 0u);
            }
            joined += out.pieces[i];
        }
        EXPECT_EQ(joined, whole);
    }
}

TEST(TreeEdits, ChildTextRemoveAndAppend) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(
        "<P><G><A>one<![CDATA[two]]><x/>three</A><A>later</A><E/><N><x/></N>"
        "<K><A>deep</A></K><m:A xmlns:m='urn:m'>prefixed</m:A></G></P>"));
    const pugi::xml_node group = document.child("P").child("G");

    EXPECT_EQ(child_text(group, "A"), "onetwothree");
    EXPECT_EQ(child_text(group, "E"), std::nullopt);  // no text at all
    EXPECT_EQ(child_text(group, "N"), std::nullopt);  // only an element
    EXPECT_EQ(child_text(group, "Missing"), std::nullopt);
    EXPECT_EQ(child_text(document.child("P"), "A"), std::nullopt);  // no descent

    // Every A at any depth goes, the prefixed one too; K stays without its child.
    const pugi::xml_node kept = group.child("N");
    remove_elements(document.child("P"), {"A", "x"}, {});
    remove_elements(group, {"N"}, {kept});
    append_property(group, "New", {PropertyContent::Kind::Text, "a&b"});
    append_property(group, "Event", {PropertyContent::Kind::CData, "x\ny"});
    std::ostringstream out;
    document.print(out, "", pugi::format_raw | pugi::format_no_declaration);
    EXPECT_EQ(out.str(), "<P><G><E/><N/><K/><New>a&amp;b</New><Event><![CDATA[x\ny]]></Event></G></P>");
}

// A tree built in memory has no depth limit; the walks over it must not need the stack.
TEST(TreeEdits, RemoveElementsReachesTheBottomOfAVeryDeepTree) {
    pugi::xml_document document;
    pugi::xml_node node = document.append_child("P");
    for (int level = 0; level < 100000; ++level) node = node.append_child("N");
    node.append_child("Drop");
    node.append_child("Keep");
    remove_elements(document.document_element(), {"Drop"});
    EXPECT_FALSE(node.child("Drop"));
    EXPECT_TRUE(node.child("Keep"));
}

}  // namespace
}  // namespace kestrune::backends::patcher
