#include "backends/patcher/project_io.hpp"

#include <gtest/gtest.h>

#include "backends/patcher/project_xml.hpp"
#include "scratch_directory.hpp"
#include "win/handle.hpp"

namespace kestrune::backends::patcher {
namespace {

using scratch::Directory;

// What a copy holds is the project's text, byte for byte, as the file said it after a load.
TEST(WriteProject, WritesTheProjectTextIntoTheFile) {
    const Directory dir;
    pugi::xml_document document;
    const auto loaded = load_project(dir.write("in.xml", "\xEF\xBB\xBF<P>\r\n<!--c--><T>a&#13;b</T></P>\r\n"), document);
    ASSERT_TRUE(loaded) << loaded.error().message();
    auto file = win::create_temp_file(dir.path(), L"out.", L".xml");
    ASSERT_TRUE(file);
    const auto result = write_project(document.document_element(), file->handle.get());
    ASSERT_TRUE(result) << result.error().message();
    file->handle.reset();
    EXPECT_EQ(scratch::read_file(file->path.path()), "<P>\n    <!-- c -->\n    <T>a&#13;b</T>\n</P>");
}

TEST(WriteProject, AWriteFailureIsAnEmitterError) {
    const Directory dir;
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
    const Directory dir;
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
        const std::wstring path = c.content ? dir.write("p.xml", *c.content) : (dir / L"none.xml");
        pugi::xml_document document;
        const auto loaded = load_project(path, document);
        ASSERT_FALSE(loaded) << c.what;
        EXPECT_EQ(loaded.error().kind(), c.kind) << c.what;
        EXPECT_EQ(loaded.error().message().rfind(c.message_start, 0), 0u) << c.what << ": " << loaded.error().message();
    }
    pugi::xml_document document;
    const auto missing = load_project((dir / L"none.xml"), document);
    EXPECT_EQ(missing.error().io_error()->code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(TempProjectFile, LiesBesideTheEffectivePath) {
    const Directory dir;
    dir.directory(L"sub");
    auto file = temp_project_file({L"sub\\My.App.DPROJ", dir.path()});
    ASSERT_TRUE(file) << file.error().message();
    const std::wstring path = file->path.path();
    const std::wstring prefix = (dir / L"sub") + L"\\My.App.";
    EXPECT_TRUE(path.starts_with(prefix) && path.ends_with(L".DPROJ")) << win::to_utf8(path);
    EXPECT_EQ(path.size(), prefix.size() + 6 + 6);

    const auto missing_dir = temp_project_file({L"nowhere\\App.dproj", dir.path()});
    ASSERT_FALSE(missing_dir);
    EXPECT_EQ(missing_dir.error().kind(), ProjectError::Kind::Io);
}

}  // namespace
}  // namespace kestrune::backends::patcher
