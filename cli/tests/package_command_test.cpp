#include "main/package_command.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

TEST(PackageBplPath, ResolvesTheOutputDirectoryLikeWindowsAndNamesTheFileAsTheCompilerDoes) {
    struct Case {
        std::wstring_view current, output, source;
        std::optional<std::wstring> path;
        std::wstring_view prefix{}, suffix{};
    };
    const Case cases[] = {
        {L"C:\\work", L"out", L"src\\Pkg.dpk", L"C:\\work\\out\\Pkg.bpl"},
        {L"C:\\work\\", L"out\\", L"Pkg.dpk", L"C:\\work\\out\\Pkg.bpl"},  // no doubled separators
        {L"C:\\work", L"out/bpl", L"src/Pkg.dpk", L"C:\\work\\out/bpl\\Pkg.bpl"},
        {L"C:\\work", L"..\\.\\bpl", L"Pkg.dpk", L"C:\\work\\..\\.\\bpl\\Pkg.bpl"},  // kept as written
        {L"C:\\work", L"", L"Pkg.dpk", L"C:\\work\\Pkg.bpl"},
        {L"C:\\work", L"C:\\bpl", L"src\\Pkg.dpk", L"C:\\bpl\\Pkg.bpl"},
        {L"C:\\work", L"\\\\server\\share\\bpl", L"Pkg.dpk", L"\\\\server\\share\\bpl\\Pkg.bpl"},
        {L"C:\\work", L"\\bpl", L"Pkg.dpk", L"C:\\bpl\\Pkg.bpl"},
        {L"\\\\server\\share\\work", L"/bpl", L"Pkg.dpk", L"\\\\server\\share/bpl\\Pkg.bpl"},
        {L"C:\\work", L"D:bpl", L"Pkg.dpk", L"D:bpl\\Pkg.bpl"},
        {L"C:\\work", L"D:", L"Pkg.dpk", L"D:Pkg.bpl"},
        {L"C:\\work", L"out", L"D:\\src\\Pkg.Design.dpk", L"C:\\work\\out\\Pkg.Design.bpl"},
        {L"C:\\work", L"out", L"Pkg", L"C:\\work\\out\\Pkg.bpl"},
        {L"C:\\work", L"out", L".Pkg", L"C:\\work\\out\\.Pkg.bpl"},
        {L"C:\\work", L"out", L"src\\Pkg.dpk\\", L"C:\\work\\out\\Pkg.bpl"},
        {L"C:\\work", L"out", L"src\\.", L"C:\\work\\out\\src.bpl"},
        {L"C:\\work", L"out", L"..", std::nullopt},
        {L"C:\\work", L"out", L"src\\..", std::nullopt},
        {L"C:\\work", L"out", L"C:\\", std::nullopt},
        {L"C:\\work", L"out", L"\\\\server\\share\\", std::nullopt},
        {L"C:\\work", L"out", L".", std::nullopt},
        {L"C:\\work", L"out", L"", std::nullopt},
        {L"C:\\work", L"out", L"src\\Pkg.Design.dpk", L"C:\\work\\out\\dclPkg.Design240.bpl", L"dcl", L"240"},
        {L"C:\\work", L"out", L"Pkg.dpk", L"C:\\work\\out\\Pkg.Delphi10Berlin.bpl", L"", L".Delphi10Berlin"},
        {L"C:\\work", L"out", L"..", std::nullopt, L"dcl", L"240"},
    };
    for (const Case& c : cases) {
        const std::string label = win::to_utf8(c.current) + " + " + win::to_utf8(c.output) + " + " + win::to_utf8(c.source);
        EXPECT_EQ(package_bpl_path(c.current, c.output, c.source, c.prefix, c.suffix), c.path) << label;
    }
}

// {$LIBSUFFIX AUTO} is the package version number of the installation's compiler.
TEST(PackageLibSuffix, AutoIsThePackageVersionNumber) {
    struct Case {
        std::string version;
        std::string suffix;
    };
    const Case cases[] = {
        {"37.0", "370"}, {"23.0", "290"}, {"22.0", "280"}, {"21.0", "270"}, {"18.0", "240"}, {"14.0", "200"},
        {"12.0", "190"}, {"9.0", "160"},  {"8.0", "150"},  {"6", "120"},    {"5.0", "110"},  {"4.0", "100"},
        {"13.0", ""},    {"24.0", ""},    {"Globals", ""},
    };
    for (const Case& c : cases) {
        catalogue::Installation installation;
        installation.version = c.version;
        EXPECT_EQ(package_lib_suffix({.lib_suffix = "ignored", .auto_suffix = true}, installation), c.suffix) << c.version;
        EXPECT_EQ(package_lib_suffix({.lib_suffix = "240"}, installation), "240") << c.version;
    }
}

}  // namespace
}  // namespace kestrune::cli
