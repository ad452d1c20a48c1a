#include "main/package_source.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/temp_path.hpp"

namespace kestrune::cli {
namespace {

class ReadPackageSource : public ::testing::Test {
protected:
    void SetUp() override {
        const auto dir = win::temp_dir();
        ASSERT_TRUE(dir);
        path_ = *dir + L"kestrune-package-" + std::to_wstring(GetCurrentProcessId()) + L".dpk";
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    std::string description(const std::string& content) {
        const HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
        CloseHandle(file);
        const auto read = read_package_source(path_);
        EXPECT_TRUE(read) << (read ? "" : read.error().message());
        return read ? read->description : "<unread>";
    }

    std::wstring path_;
};

TEST_F(ReadPackageSource, ReadsTheSourceAsTheCompilerDoes) {
    using namespace std::string_literals;
    EXPECT_EQ(description("package P;\n{$DESCRIPTION 'Gr\xC3\xBC\xC3\x9F\x65'}\n"), "Gr\xC3\xBC\xC3\x9F\x65");
    // A code page byte elsewhere leaves an ASCII description as it is.
    EXPECT_EQ(description("{$DESCRIPTION 'x'}\n// Gr\xFC\xDF\x65\n"), "x");
    if (GetACP() == 1252) {
        EXPECT_EQ(description("{$DESCRIPTION 'Gr\xFC\xDF\x65'}\n"), "Gr\xC3\xBC\xC3\x9F\x65");
    }
    EXPECT_EQ(description("\xEF\xBB\xBF{$DESCRIPTION 'marked'}\n"), "marked");
    EXPECT_EQ(description("\xFF\xFE{\0$\0D\0E\0S\0C\0R\0I\0P\0T\0I\0O\0N\0 \0'\0x\0'\0}\0"s), "x");
    EXPECT_EQ(description("\xFE\xFF\0{\0$\0D\0E\0S\0C\0R\0I\0P\0T\0I\0O\0N\0 \0'\0y\0'\0}"s), "y");

    DeleteFileW(path_.c_str());
    const auto missing = read_package_source(path_);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace kestrune::cli
