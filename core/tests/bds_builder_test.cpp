#include "backends/bds_builder.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "scratch_directory.hpp"
#include "scoped_variable.hpp"
#include "win/code_page.hpp"
#include "win/file.hpp"
#include "win/temp_path.hpp"

namespace kestrune::backends {
namespace {

struct Echo {
    std::string out;
    std::optional<std::string> error;
};

Echo echo(const scratch::Directory& dir, std::string_view log) {
    const std::wstring path = dir.write("log", log);
    const auto file = win::open_for_reading(path);
    Echo result;
    if (!file) {
        result.error = "cannot open: " + file.error().message();
        return result;
    }
    const auto echoed = echo_build_log(file->get(), [&](std::string_view text) { result.out += text; });
    if (!echoed) result.error = echoed.error().message();
    return result;
}

// How lines are told apart and joined is BuildLogEcho's (build_log_test.cpp); here, the file is
// read whole, in pieces smaller than a line may be.
TEST(EchoBuildLog, ReadsTheWholeFile) {
    const scratch::Directory dir;
    const std::string long_line(10000, 'x');  // longer than one read
    struct Case {
        const char* what;
        std::string log, out;
    };
    const Case cases[] = {
        {"empty log", "", ""},
        {"no final line feed", "a\n  b\nc", "a\nb\n\nc\n"},
        {"line across the read buffer", long_line + "\r\n  y", long_line + "\ny"},
    };
    for (const Case& c : cases) {
        const Echo result = echo(dir, c.log);
        EXPECT_EQ(result.out, c.out) << c.what;
        EXPECT_EQ(result.error, std::nullopt) << c.what;
    }
}

// A log is the tools' text as they wrote it: a path in the system's ANSI code page is ordinary.
TEST(EchoBuildLog, ReadsALineThatIsNotUtf8InTheAnsiCodePage) {
    const scratch::Directory dir;
    const std::string ansi = "C:\\Users\\J\xFCrgen\\App.dpr(3) Error: E2003 \x80";
    const Echo result = echo(dir, "first\n  more " + ansi + "\r\n" + ansi + "\nBuild FAILED \xC3\xBC\n  \xFF\n");
    EXPECT_EQ(result.error, std::nullopt);
    const std::string decoded = win::ansi_to_utf8(ansi);
    EXPECT_EQ(result.out, "first\nmore " + decoded + "\n\n" + decoded + "\nBuild FAILED \xC3\xBC\n" + win::ansi_to_utf8("\xFF"));
    // Wine's and an English Windows's code page; on another the decoding itself is the code page's.
    if (GetACP() == 1252) { EXPECT_EQ(decoded, "C:\\Users\\J\xC3\xBCrgen\\App.dpr(3) Error: E2003 \xE2\x82\xAC"); }
}

TEST(BdsCommand, PassesTheLogAttachedToTheSwitch) {
    EXPECT_EQ(win::command_line(bds_command("C:\\IDE\\bin\\bds.exe", L"C:\\My Projects\\App.dproj", L"C:\\Temp\\.tmpAb12Cd", false)),
              L"\"C:\\IDE\\bin\\bds.exe\" \"C:\\My Projects\\App.dproj\" -b -o\"C:\\Temp\\.tmpAb12Cd\"");
    EXPECT_EQ(win::command_line(bds_command("C:\\IDE\\bin\\bds.exe", L"App.dproj", L"C:\\T\\.tmpAb12Cd", true)),
              L"\"C:\\IDE\\bin\\bds.exe\" App.dproj -b -o\"C:\\T\\.tmpAb12Cd\" -ns");
}

// The log files in the temporary directory: ".tmp" and six characters.
std::set<std::wstring> temp_logs() {
    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(win::temp_dir().value())) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.size() == 10 && name.starts_with(L".tmp")) names.insert(name);
    }
    return names;
}

// A project in the directory, built with a configuration, so that bds.exe gets a patched copy.
backends::BuildOptions release_build(const scratch::Directory& dir) {
    dir.write("App.dproj", R"(<Project><PropertyGroup><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>
                               <PropertyGroup Condition="'$(Base)'!=''"/></Project>)");
    backends::BuildOptions options;
    options.file = (dir / L"App.dproj");
    options.config = "Release";
    return options;
}

TEST(BdsBuilder, ABdsExeThatCannotStartLeavesNoFileBehind) {
    const scratch::Directory dir;
    const backends::BuildOptions options = release_build(dir);
    std::string out;
    BdsBuilder builder(win::to_utf8((dir / L"missing\\bds.exe")), [&](std::string_view s) { out += s; });

    const auto logs_before = temp_logs();
    const auto result = builder.build(catalogue::Platform::Win64, options);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind(), backends::ProjectError::Kind::Io);
    // The system's own text, as for every other tool that cannot start.
    const auto& io = result.error().io_error();
    ASSERT_TRUE(io && io->code());
    EXPECT_EQ(result.error().message(), win::IoError::from_code(*io->code()).message());
    EXPECT_EQ(out, "Starting bds.exe and building...\n");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"App.dproj"});
    EXPECT_EQ(temp_logs(), logs_before);
}

TEST(BdsBuilder, ALogThatCannotBeCreatedStopsTheBuildBeforeAnythingStarts) {
    const scratch::Directory dir;
    const backends::BuildOptions options = release_build(dir);
    std::string out;
    BdsBuilder builder("C:\\IDE\\bin\\bds.exe", [&](std::string_view s) { out += s; });

    // The temporary directory is where the environment says; here it does not exist.
    const scratch::ScopedVariable temp(L"TMP", (dir / L"no such dir"));
    const auto result = builder.build(std::nullopt, options);
    ASSERT_FALSE(result);
    const auto& io = result.error().io_error();
    ASSERT_TRUE(io && io->code());
    EXPECT_EQ(result.error().message(), win::IoError::from_code(*io->code()).message());
    EXPECT_EQ(out, "");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"App.dproj"});  // the patched copy is gone too
}

TEST(BdsBuilder, APatchErrorComesBeforeAnythingIsPrinted) {
    const scratch::Directory dir;
    backends::BuildOptions options;
    options.file = (dir / L"Missing.dproj");
    options.config = "Release";
    std::string out;
    BdsBuilder builder("C:\\IDE\\bin\\bds.exe", [&](std::string_view s) { out += s; });
    const auto result = builder.build(std::nullopt, options);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind(), backends::ProjectError::Kind::Io);
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace kestrune::backends
