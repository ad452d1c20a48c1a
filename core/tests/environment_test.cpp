#include "win/environment.hpp"

#include <gtest/gtest.h>

#include "scoped_variable.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

TEST(EnvironmentVariable, ReadsAValueOfAnyLengthAndTellsEmptyFromUnset) {
    const std::optional<std::wstring> values[] = {
        L"short",
        std::wstring(259, L'x'),  // around the first buffer's size
        std::wstring(260, L'y'),
        std::wstring(5000, L'z') + L"\U0001F600",
        L"",
        std::nullopt,
    };
    for (const auto& value : values) {
        const scratch::ScopedVariable variable(L"KESTRUNE_TEST_VARIABLE", value);
        EXPECT_EQ(environment_variable(L"KESTRUNE_TEST_VARIABLE"), value) << (value ? value->size() : -1);
    }
}

}  // namespace
}  // namespace kestrune::win
