#include "win/file.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/handle.hpp"
#include "win/temp_path.hpp"

namespace kestrune::win {
namespace {

using namespace std::string_view_literals;

// A file of this test program's own in the temporary directory.
std::wstring temp_file_path(std::wstring_view name) {
    return temp_dir().value() + L"kestrune-" + std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
}

TEST(ReadFile, GivesTheBytesAsStoredOrTheSystemError) {
    const std::wstring path = temp_file_path(L"read");

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
    // Read to its end whatever its size: none at all.
    ASSERT_TRUE(UniqueHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr)));
    EXPECT_EQ(read_file(path), "");
    DeleteFileW(path.c_str());
    const auto missing = read_file(path);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
}

// As a log that the program that wrote it may still hold: open for writing and deleting.
TEST(OpenForReading, ReadsAFileThatOthersWriteAndDeleteMeanwhile) {
    const std::wstring path = temp_file_path(L"shared");
    const UniqueHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer) << GetLastError();
    ASSERT_TRUE(write_all(writer.get(), "first "));

    const auto reader = open_for_reading(path);
    ASSERT_TRUE(reader) << reader.error().message();
    EXPECT_TRUE(DeleteFileW(path.c_str())) << GetLastError();
    ASSERT_TRUE(write_all(writer.get(), "and second"));

    // Read in pieces smaller than the content, to the end.
    std::string content;
    char piece[4];
    for (;;) {
        const auto read = read_some(reader->get(), piece);
        ASSERT_TRUE(read) << read.error().message();
        ASSERT_LE(*read, sizeof piece);
        if (*read == 0) break;
        content.append(piece, *read);
    }
    EXPECT_EQ(content, "first and second");

    const auto missing = open_for_reading(temp_file_path(L"missing"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), std::optional<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(ReadSome, ReportsTheSystemError) {
    const std::wstring path = temp_file_path(L"write-only");
    // Deleted when the handle closes, also when an assertion ends the test early.
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    ASSERT_TRUE(file);
    char buffer[16];
    const auto read = read_some(file.get(), buffer);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().code(), std::optional<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(WriteAll, WritesEveryByteInSeveralWrites) {
    const std::wstring path = temp_file_path(L"write");
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
