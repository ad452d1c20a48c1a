#include "catalogue/release.hpp"

#include <gtest/gtest.h>

#include "catalogue/version.hpp"

namespace kestrune::catalogue {
namespace {

// The older IDEs name their keys 2.0 to 7.0 on real machines, where the table has 2 to 7.
TEST(Release, LookupIsExactElseAShortRowWithPointZero) {
    struct Case {
        std::string_view version;
        std::string_view product_version;  // empty: no row
        std::string_view code_name;
    };
    const Case cases[] = {
        {"23.0", "12", "Athens"}, {"18.0", "10.1", "Berlin"}, {"19.0", "10.2", "Tokyo"}, {"2", "8", ""},
        {"37.0", "13", "Florence"}, {"5", "2007", ""},        {"23", "", ""},            {"23.00", "", ""},
        {" 23.0", "", ""},         {"13.0", "", ""},          {"24.0", "", ""},          {"18", "", ""},
        {"", "", ""},              {"5.0", "2007", ""},       {"2.0", "8", ""},
        {"7.0", "2010", ""},       {"8.0", "XE", ""},         {"5.00", "", ""},
        {"5.0.0", "", ""},         {"5.", "", ""},            {"1.0", "", ""},
        {"13.0", "", ""},          {"5.0 ", "", ""},          {" 5.0", "", ""},
    };
    for (const Case& c : cases) {
        const Release* row = find_release(c.version);
        if (c.product_version.empty()) {
            EXPECT_EQ(row, nullptr) << '"' << c.version << '"';
        } else {
            ASSERT_NE(row, nullptr) << '"' << c.version << '"';
            EXPECT_EQ(row->product_version, c.product_version);
            EXPECT_EQ(row->code_name, c.code_name);
        }
    }
}

TEST(Release, TableAscendsByVersionNumber) {
    for (std::size_t i = 1; i < release_table.size(); ++i) {
        Installation a, b;
        a.version = std::string(release_table[i - 1].version);
        b.version = std::string(release_table[i].version);
        EXPECT_LT(version_number(a), version_number(b)) << b.version;
    }
}

}  // namespace
}  // namespace kestrune::catalogue
