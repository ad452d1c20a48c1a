#include "main/package_description.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/temp_path.hpp"

namespace kestrune::cli {
namespace {

TEST(ScanPackageDescription, EachLineStandingAlone) {
    struct Case {
        const char* line;
        const char* description;
    };
    const Case cases[] = {
        {"{$DESCRIPTION 'My Components'}", "My Components"},
        {" \t{$DESCRIPTION \t ' My Components ' \t} \t", " My Components "},  // blanks inside the apostrophes stay
        {"{$DESCRIPTION'x'}", "x"},
        {"{$DESCRIPTION 'It''s mine'}", "It''s mine"},
        {"{$DESCRIPTION ''}", ""},
        {"\xE3\x80\x80{$DESCRIPTION '\xC3\xA9'}\xC2\xA0\r", "\xC3\xA9"},  // U+3000 and U+00A0 are white space
        {"{$Description 'x'}", nullptr},
        {"{$D 'x'}", nullptr},
        {"{$DESCRIPTION x}", nullptr},
        {"{$DESCRIPTION 'x'} // mine", nullptr},
        {"{$DESCRIPTION 'x}", nullptr},
        {"{$DESCRIPTION '}", nullptr},
        {"{$DESCRIPTION}", nullptr},
        {"(* {$DESCRIPTION 'x'} *)", nullptr},
        {"\xEF\xBB\xBF{$DESCRIPTION 'x'}", nullptr},  // a byte-order mark is no white space
    };
    for (const Case& c : cases) {
        const std::string expected = c.description ? c.description : "";
        // Alone, and after a matching line that it must replace only when it matches itself.
        EXPECT_EQ(scan_package_description(c.line), expected) << c.line;
        EXPECT_EQ(scan_package_description(std::string("{$DESCRIPTION 'first'}\n") + c.line),
                  c.description ? expected : "first")
            << c.line;
    }
}

TEST(ScanPackageDescription, LaterMatchWinsAndLineEndsSplit) {
    EXPECT_EQ(scan_package_description(""), "");
    EXPECT_EQ(scan_package_description("package Pkg;\r\n{$DESCRIPTION 'one'}\r\n{$DESCRIPTION 'two'}\r\nend.\r\n"), "two");
    EXPECT_EQ(scan_package_description("{$DESCRIPTION 'one'}\n\n"), "one");
    // Only a line feed ends a line: a lone carriage return leaves both directives on one line.
    EXPECT_EQ(scan_package_description("{$DESCRIPTION 'a'}\r{$DESCRIPTION 'b'}"), "a'}\r{$DESCRIPTION 'b");
}

class ReadPackageDescription : public ::testing::Test {
protected:
    void SetUp() override {
        const auto dir = win::temp_dir();
        ASSERT_TRUE(dir);
        path_ = *dir + L"kestrune-package-" + std::to_wstring(GetCurrentProcessId()) + L".dpk";
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    build::DccOptions write(const std::string& content) {
        const HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
        CloseHandle(file);
        return source();
    }
    build::DccOptions source() const {
        build::DccOptions options;
        options.file = path_;
        return options;
    }

    std::wstring path_;
};

TEST_F(ReadPackageDescription, ReadsTheSourceStrictlyAsUtf8) {
    EXPECT_EQ(read_package_description(write("package P;\n{$DESCRIPTION 'Gr\xC3\xBC\xC3\x9F\x65'}\n")), "Gr\xC3\xBC\xC3\x9F\x65");

    // A legacy code page byte anywhere fails, even outside the directive.
    const auto legacy = read_package_description(write("{$DESCRIPTION 'x'}\n// Gr\xFC\xDF\x65\n"));
    ASSERT_FALSE(legacy);
    EXPECT_EQ(legacy.error().message(), "stream did not contain valid UTF-8");
    EXPECT_FALSE(legacy.error().code());

    DeleteFileW(path_.c_str());
    const auto missing = read_package_description(source());
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace kestrune::cli
