#include "win/file.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace kestrune::win {
namespace {

using namespace std::string_view_literals;

TEST(ReadFile, GivesTheBytesAsStoredOrTheSystemError) {
    wchar_t dir[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, dir), 0u);
    const std::wstring path = std::wstring(dir) + L"kestrune-read-" + std::to_wstring(GetCurrentProcessId()) + L".bin";

    // Larger than one read, with NULs, carriage returns and bytes that are not UTF-8.
    std::string content;
    for (int i = 0; i < 40000; ++i) content += static_cast<char>(i % 256);
    content += "\r\n\0\xFF"sv;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    CloseHandle(file);

    EXPECT_EQ(read_file(path), content);
    DeleteFileW(path.c_str());
    const auto missing = read_file(path);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace kestrune::win
