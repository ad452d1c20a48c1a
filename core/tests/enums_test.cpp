#include "catalogue/enums.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune::catalogue {
namespace {

TEST(Enums, NamesAndDerivedTexts) {
    EXPECT_EQ(tool_file_name(Tool::DCCIOSARM64), "DCCIOSARM64.exe");
    EXPECT_EQ(tool_file_name(Tool::BRCC32), "BRCC32.exe");
    EXPECT_EQ(name(Platform::WinARM64EC), "WinARM64EC");
    EXPECT_EQ(app_value_name(Architecture::x86), "App");
    EXPECT_EQ(app_value_name(Architecture::x64), "App x64");
    EXPECT_EQ(info(Platform::Win64x).tool, Tool::BCC64X);
    EXPECT_EQ(info(Platform::Win64x).compiler, Tool::DCC64);
    EXPECT_EQ(info(Architecture::x64).ide_platform, Platform::Win64);

    std::vector<std::string_view> delphi;
    for (std::size_t i = 0; i < enum_count<Tool>(); ++i)
        if (is_delphi_compiler(static_cast<Tool>(i))) delphi.push_back(name(static_cast<Tool>(i)));
    EXPECT_EQ(delphi.size(), 9u);
}

TEST(Enums, SetsListInPositionOrder) {
    EnumSet<Architecture> archs{Architecture::x64, Architecture::x86};
    std::vector<Architecture> listed(archs.begin(), archs.end());
    EXPECT_EQ(listed, (std::vector{Architecture::x86, Architecture::x64}));
    EXPECT_EQ(archs.front(), Architecture::x86);

    EnumSet<Platform> platforms{Platform::IOSDevice64, Platform::Win32, Platform::Linux64, Platform::Win32};
    std::vector<Platform> order(platforms.begin(), platforms.end());
    EXPECT_EQ(order, (std::vector{Platform::Win32, Platform::Linux64, Platform::IOSDevice64}));
    EXPECT_EQ(platforms.size(), 3u);
    EXPECT_TRUE(EnumSet<Tool>{}.empty());
}

TEST(Enums, ToolSearchOrder) {
    EXPECT_EQ(tool_search_order(std::nullopt), (std::array{Architecture::x86, Architecture::x64}));
    EXPECT_EQ(tool_search_order(Architecture::x86), (std::array{Architecture::x86, Architecture::x64}));
    EXPECT_EQ(tool_search_order(Architecture::x64), (std::array{Architecture::x64, Architecture::x86}));
}

}  // namespace
}  // namespace kestrune::catalogue
