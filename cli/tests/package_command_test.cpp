#include "main/package_command.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

TEST(PackageBplPath, ResolvesTheOutputDirectoryLikeWindows) {
    struct Case {
        std::wstring_view current, output, source;
        std::optional<std::wstring> path;
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
    };
    for (const Case& c : cases) {
        const std::string label = win::to_utf8(c.current) + " + " + win::to_utf8(c.output) + " + " + win::to_utf8(c.source);
        EXPECT_EQ(package_bpl_path(c.current, c.output, c.source), c.path) << label;
    }
}

}  // namespace
}  // namespace kestrune::cli
