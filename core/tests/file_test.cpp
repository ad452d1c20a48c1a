#include "win/file.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/handle.hpp"

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


TEST(WriteAll, WritesEveryByteInSeveralWrites) {
    wchar_t dir[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, dir), 0u);
    const std::wstring path = std::wstring(dir) + L"kestrune-write-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
    std::string content(3 * (1 << 20) + 7, 'x');  // more than one write takes
    content += "\0\r\n\xFF"sv;
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    EXPECT_TRUE(write_all(file.get(), content));
    EXPECT_TRUE(write_all(file.get(), ""));
    file.reset();
    EXPECT_EQ(read_file(path), content);
    DeleteFileW(path.c_str());
}

// A non-blocking pipe whose reader takes nothing reports, once its buffer is full, a
// successful write of no bytes.
TEST(WriteAll, AHandleThatTakesNoBytesIsAnErrorNotAnEndlessLoop) {
    const std::wstring name = L"\\\\.\\pipe\\kestrune-full-" + std::to_wstring(GetCurrentProcessId());
    const UniqueHandle server(
        CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 4096, 4096, 0, nullptr));
    ASSERT_TRUE(server) << GetLastError();
    const UniqueHandle client(CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(client) << GetLastError();

    const auto result = write_all(server.get(), std::string(1 << 20, 'x'));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().code(), std::optional<DWORD>(ERROR_WRITE_FAULT));
}

}  // namespace
}  // namespace kestrune::win
