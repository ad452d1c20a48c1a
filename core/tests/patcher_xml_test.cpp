#include "backends/patcher/project_xml.hpp"
#include "backends/patcher/xml_reader.hpp"

#include <gtest/gtest.h>

#include "project_files.hpp"
#include "win/handle.hpp"

namespace kestrune::backends::patcher {
namespace {

using scratch::ProjectDir;

std::string written(const ProjectDir& dir, pugi::xml_node root) {
    auto file = win::create_temp_file(dir.path().wstring(), L"out.", L".xml");
    EXPECT_TRUE(file);
    const auto result = write_project(root, file->handle.get());
    EXPECT_TRUE(result) << result.error().message();
    file->handle.reset();
    return scratch::read_file(file->path.path());
}

std::string round_trip(const std::string& xml) {
    const ProjectDir dir;
    pugi::xml_document document;
    const auto loaded = load_project(dir.write("in.xml", xml), document);
    EXPECT_TRUE(loaded) << loaded.error().message();
    return written(dir, document.document_element());
}

TEST(WriteProject, FormatsTheTreeWithFourSpacesAndNoDeclaration) {
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

TEST(WriteProject, KeepsMixedContentInOrder) {
    const std::string out = round_trip("<P><M>one<i>two</i>three<!--c--></M></P>");
    EXPECT_NE(out.find("<M>one<i>two</i>three<!-- c -->"), std::string::npos) << out;
}

// A reader turns a carriage return in text into a line feed, and tab, carriage return and line
// feed in an attribute value into spaces, unless they are written as references.
TEST(WriteProject, ReadsBackAsTheTreeSays) {
    const ProjectDir dir;
    pugi::xml_document document;
    const auto loaded = load_project(dir.write("in.xml", "<P A=\"t&#9;c&#13;l&#10;x\">"
                                                         "<T>one&#13;&#10;two&#13;</T><U>&#13;</U>"
                                                         "<!-- &#01; stays a comment's text --></P>"),
                                     document);
    ASSERT_TRUE(loaded) << loaded.error().message();
    append_property(document.document_element(), "Event", {PropertyContent::Kind::CData, "\rcall a.bat\r\nexit]]>\r"});
    const std::string out = written(dir, document.document_element());

    pugi::xml_document back;
    const auto reloaded = parse_project(out, back);
    ASSERT_TRUE(reloaded) << reloaded.error().message() << "\n" << out;
    const pugi::xml_node root = back.document_element();
    EXPECT_EQ(std::string(root.attribute("A").value()), "t\tc\rl\nx") << out;
    EXPECT_EQ(child_text(root, "T"), "one\r\ntwo\r") << out;
    EXPECT_EQ(child_text(root, "U"), "\r") << out;
    EXPECT_EQ(child_text(root, "Event"), "\rcall a.bat\r\nexit]]>\r") << out;
    EXPECT_NE(out.find("<!-- &#01; stays a comment's text -->"), std::string::npos) << out;
    EXPECT_EQ(out.find('\r'), std::string::npos) << out;
}

TEST(WriteProject, AWriteFailureIsAnEmitterError) {
    const ProjectDir dir;
    const std::wstring path = dir.write("readonly.xml", "");
    const win::UniqueHandle read_only(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    pugi::xml_document document;
    document.append_child("Project");
    const auto result = write_project(document.document_element(), read_only.get());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind(), ProjectError::Kind::XmlWrite);
    EXPECT_EQ(result.error().message().rfind("emitter error: I/O error: ", 0), 0u) << result.error().message();
    EXPECT_NE(result.error().message().find("(os error 5)"), std::string::npos) << result.error().message();
}

TEST(LoadProject, ReportsUnreadableAndMalformedFiles) {
    const ProjectDir dir;
    struct Case {
        const char* what;
        std::optional<std::string> content;  // none: the file does not exist
        ProjectError::Kind kind;
        std::string message_start;
    };
    const Case cases[] = {
        {"missing", std::nullopt, ProjectError::Kind::Io, ""},
        {"unclosed", "<Project><PropertyGroup></Project>", ProjectError::Kind::XmlParse, "Malformed XML. 1:"},
        {"second line", "<Project>\n  <A></B>\n</Project>", ProjectError::Kind::XmlParse, "Malformed XML. 2:"},
        {"empty", "", ProjectError::Kind::XmlParse, "Cannot parse"},
        {"only a comment", "<!-- nothing -->", ProjectError::Kind::XmlParse, "Cannot parse"},
    };
    for (const Case& c : cases) {
        const std::wstring path = c.content ? dir.write("p.xml", *c.content) : (dir.path() / L"none.xml").wstring();
        pugi::xml_document document;
        const auto loaded = load_project(path, document);
        ASSERT_FALSE(loaded) << c.what;
        EXPECT_EQ(loaded.error().kind(), c.kind) << c.what;
        EXPECT_EQ(loaded.error().message().rfind(c.message_start, 0), 0u) << c.what << ": " << loaded.error().message();
    }
    pugi::xml_document document;
    const auto missing = load_project((dir.path() / L"none.xml").wstring(), document);
    EXPECT_EQ(missing.error().io_error()->code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
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

TEST(TempProjectFile, LiesBesideTheEffectivePath) {
    const ProjectDir dir;
    dir.directory("sub");
    auto file = temp_project_file({L"sub\\My.App.dproj", dir.path().wstring()}, L"DPROJ");
    ASSERT_TRUE(file) << file.error().message();
    const std::wstring path = file->path.path();
    const std::wstring prefix = (dir.path() / L"sub").wstring() + L"\\My.App.";
    EXPECT_TRUE(path.starts_with(prefix) && path.ends_with(L".DPROJ")) << win::to_utf8(path);
    EXPECT_EQ(path.size(), prefix.size() + 6 + 6);

    const auto missing_dir = temp_project_file({L"nowhere\\App.dproj", dir.path().wstring()}, L"dproj");
    ASSERT_FALSE(missing_dir);
    EXPECT_EQ(missing_dir.error().kind(), ProjectError::Kind::Io);
}

}  // namespace
}  // namespace kestrune::backends::patcher
