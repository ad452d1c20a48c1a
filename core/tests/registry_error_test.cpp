#include "win/registry_error.hpp"

#include <gtest/gtest.h>

#include "win/io_error.hpp"
#include "win/system_message.hpp"

namespace kestrune::win {
namespace {

TEST(RegistryError, HresultFromWin32) {
    EXPECT_EQ(hresult_from_win32(2), hresult_not_found);
    EXPECT_EQ(hresult_from_win32(13), hresult_invalid_data);
    EXPECT_EQ(hresult_from_win32(0), 0);
    EXPECT_EQ(hresult_from_win32(0x80004005u), static_cast<HRESULT>(0x80004005u));  // already an HRESULT
    EXPECT_EQ(RegistryError::from_win32(5).code(), static_cast<HRESULT>(0x80070005u));
    EXPECT_EQ(hresult_text(0x0000ABCD), "0x0000ABCD");
}

TEST(RegistryError, DisplayText) {
    const std::string system = system_message(hresult_invalid_data);
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(RegistryError::windows_registry(hresult_invalid_data).message(), system + " (0x8007000D)");
    EXPECT_NE(system.back(), '\n');  // the system's trailing line break is trimmed

    // A customer-defined code has no system text: the code alone.
    const auto unknown = static_cast<HRESULT>(0xE0ABCDEFu);
    ASSERT_TRUE(system_message(unknown).empty());
    EXPECT_EQ(RegistryError::windows_registry(unknown).message(), "0xE0ABCDEF");

    EXPECT_EQ(RegistryError::join_paths().message(), "path segment contains `\"`");
}

TEST(RegistryError, DiagnosticForm) {
    EXPECT_EQ(windows_registry_diagnostic(hresult_not_found, "a \"b\" c:\\d\te\r\nf"),
              "WindowsRegistry(Error { code: HRESULT(0x80070002), message: \"a \\\"b\\\" c:\\\\d\\te\\r\\nf\" })");
    EXPECT_EQ(RegistryError::windows_registry(hresult_not_found).diagnostic(),
              windows_registry_diagnostic(hresult_not_found, system_message(hresult_not_found)));
    EXPECT_EQ(RegistryError::windows_registry(static_cast<HRESULT>(0xE0ABCDEFu)).diagnostic(),
              "WindowsRegistry(Error { code: HRESULT(0xE0ABCDEF), message: \"\" })");
}

TEST(IoError, DisplayText) {
    EXPECT_EQ(IoError::from_text("program not found").message(), "program not found");
    EXPECT_EQ(IoError::from_text("program not found").code(), std::nullopt);
    EXPECT_EQ(IoError::from_code(2).message(), system_message(2) + " (os error 2)");
    EXPECT_EQ(IoError::from_code(0xE0ABCDEFu).message(), "(os error 3769355759)");
    SetLastError(5);
    EXPECT_EQ(IoError::last_error().code(), 5u);

    // A named step goes before the text, which stays as it was.
    const IoError start = IoError::from_code(1359).in_step("cannot start bds.exe");
    EXPECT_EQ(start.message(), "cannot start bds.exe: " + IoError::from_code(1359).message());
    EXPECT_EQ(start.code(), 1359u);
    EXPECT_EQ(IoError::from_text("cannot draw random bytes").in_step("cannot create the build log").message(),
              "cannot create the build log: cannot draw random bytes");
}

}  // namespace
}  // namespace kestrune::win
