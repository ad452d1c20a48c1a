#include "catalogue/enums.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune::catalogue {
namespace {

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

}  // namespace
}  // namespace kestrune::catalogue
