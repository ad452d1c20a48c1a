#include "backends/msbuild_builder.hpp"

#include <gtest/gtest.h>

namespace kestrune::backends {
namespace {

TEST(MSBuildBuilder, ReturnsCmdsExitCodeAsSuccess) {
    // A script that does not exist makes cmd.exe fail; that is the child's failure, not ours.
    MSBuildBuilder builder("C:\\no\\such\\rsvars.bat");
    BuildOptions options;
    options.file = L"p.dproj";
    const BuildResult result = builder.build(std::nullopt, options);
    ASSERT_TRUE(result) << result.error().message();
    EXPECT_NE(*result, 0u);
}

}  // namespace
}  // namespace kestrune::backends
