#include "catalogue/product.hpp"

#include <gtest/gtest.h>

#include "catalogue/release.hpp"

namespace kestrune::catalogue {
namespace {

Installation installation(std::string version, std::uint32_t update = 0, std::string stored = {}) {
    Installation i;
    i.base_key = "Software\\Embarcadero\\BDS";
    i.version = std::move(version);
    i.release = find_release(i.version);
    i.update_number = update;
    i.registry_product_name = std::move(stored);
    return i;
}

TEST(Product, VersionArithmeticFollowsTheNumberingGaps) {
    struct Case {
        std::string_view version;
        std::string_view family, compiler;
        std::uint32_t compiler_number;
        std::string_view package;
        std::uint32_t package_number;
    } cases[] = {
        {"Globals", "Delphi", "", 0, "", 0},
        {"1", "Delphi", "", 0, "", 0},
        {"2", "Delphi", "16.0", 160, "8", 80},
        {"3", "Delphi", "17.0", 170, "9", 90},
        {"4", "Borland Developer Studio", "18.0", 180, "10", 100},
        {"5", "RAD Studio", "18.5", 185, "11", 110},
        {"6", "RAD Studio", "20.0", 200, "12", 120},
        {"7", "RAD Studio", "21.0", 210, "14", 140},
        {"12.0", "RAD Studio", "26.0", 260, "19", 190},
        {"13", "RAD Studio", "", 0, "", 0},
        {"14.0", "RAD Studio", "27.0", 270, "20", 200},
        {"18.0", "RAD Studio", "31.0", 310, "24", 240},
        {"23.0", "RAD Studio", "36.0", 360, "29", 290},
        {"24.0", "RAD Studio", "", 0, "", 0},
        {"30", "RAD Studio", "", 0, "", 0},
        {"36.9", "RAD Studio", "", 0, "", 0},
        {"37.0", "RAD Studio", "37.0", 370, "37", 370},
        {"37.5", "RAD Studio", "37.5", 375, "37", 370},
        {"1e2", "RAD Studio", "1e2", 1000, "100", 1000},
        // The largest version number: both tenfold numbers are capped.
        {"inf", "RAD Studio", "inf", 4294967295u, "4294967295", 4294967295u},
        {"-3", "Delphi", "", 0, "", 0},
    };
    for (const Case& c : cases) {
        const Installation i = installation(std::string(c.version));
        SCOPED_TRACE(c.version);
        EXPECT_EQ(product_family(i), c.family);
        EXPECT_EQ(compiler_version(i), c.compiler);
        EXPECT_EQ(compiler_version_number(i), c.compiler_number);
        EXPECT_EQ(package_version(i), c.package);
        EXPECT_EQ(package_version_number(i), c.package_number);
    }
}

TEST(Product, NamesCombineFamilyReleaseUpdateAndEdition) {
    struct Case {
        std::string_view version;
        std::uint32_t update;
        std::string_view stored, edition;  // edition "-" leaves the value out
        std::string_view product_version, product_name, name, code_name, full_name, display_name;
    } cases[] = {
        {"23.0", 3, "Stored", "-", "12", "RAD Studio 12", "RAD Studio 12.3", "Athens", "RAD Studio 12.3 Athens",
         "RAD Studio 12.3 Athens"},
        {"37.0", 0, "", "Starter", "13", "RAD Studio 13", "RAD Studio 13", "Florence", "RAD Studio 13 Florence",
         "RAD Studio 13 Florence Community Edition"},
        {"9.0", 0, "", "Enterprise", "XE2", "RAD Studio XE2", "RAD Studio XE2", "", "RAD Studio XE2", "RAD Studio XE2"},
        {"3", 0, "", "-", "2005", "Delphi 2005", "Delphi 2005", "", "Delphi 2005", "Delphi 2005"},
        {"4", 0, "", "-", "2006", "Borland Developer Studio 2006", "Borland Developer Studio 2006", "",
         "Borland Developer Studio 2006", "Borland Developer Studio 2006"},
        {"24.0", 1, "", "-", "<24.0>", "RAD Studio <24.0>", "RAD Studio <24.0>.1", "", "RAD Studio <24.0>.1",
         "RAD Studio <24.0>.1"},
        // An unknown release shows its stored name, with the update but never a code name.
        {"24.0", 10, "RAD Studio 12 Next", "Starter", "<24.0>", "RAD Studio 12 Next", "RAD Studio 12 Next.10", "",
         "RAD Studio 12 Next.10", "RAD Studio 12 Next.10 Community Edition"},
        {"Globals", 0, "", "-", "<Globals>", "Delphi <Globals>", "Delphi <Globals>", "", "Delphi <Globals>",
         "Delphi <Globals>"},
    };
    for (const Case& c : cases) {
        Installation i = installation(std::string(c.version), c.update, std::string(c.stored));
        if (c.edition != "-") i.registry_values["Edition"] = std::string(c.edition);
        SCOPED_TRACE(std::string(c.version) + " " + std::string(c.stored));
        EXPECT_EQ(product_version(i), c.product_version);
        EXPECT_EQ(product_name(i), c.product_name);
        EXPECT_EQ(name(i), c.name);
        EXPECT_EQ(code_name(i), c.code_name);
        EXPECT_EQ(full_name(i), c.full_name);
        EXPECT_EQ(display_name(i), c.display_name);
    }
}

TEST(Product, OnlyAnExactStarterEditionIsCommunity) {
    struct Case {
        std::string_view value_name, value;
        bool community;
    } cases[] = {
        {"Edition", "Starter", true},   {"Edition", "starter", false}, {"Edition", "Starter ", false},
        {"Edition", " Starter", false}, {"Edition", "", false},        {"edition", "Starter", false},
    };
    for (const Case& c : cases) {
        Installation i = installation("23.0");
        i.registry_values[std::string(c.value_name)] = std::string(c.value);
        SCOPED_TRACE(std::string(c.value_name) + "=" + std::string(c.value));
        EXPECT_EQ(is_community(i), c.community);
        EXPECT_EQ(edition(i), c.community ? std::optional(ProductEdition::Community) : std::nullopt);
    }
    EXPECT_FALSE(is_community(installation("23.0")));
}

}  // namespace
}  // namespace kestrune::catalogue
