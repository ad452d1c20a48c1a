#include "backends/version_info.hpp"

#include <gtest/gtest.h>

namespace kestrune::backends {
namespace {

TEST(CmpIgnoreAsciiCase, FoldsOnlyAsciiLettersToLowerCase) {
    struct Case {
        std::string_view a, b;
        std::strong_ordering order;
    };
    const Case cases[] = {
        {"Key", "kEY", std::strong_ordering::equal},
        {"", "", std::strong_ordering::equal},
        {"Key", "Key2", std::strong_ordering::less},
        {"Key_2", "KeyA", std::strong_ordering::less},  // '_' sorts before the folded 'a'
        {"[", "A", std::strong_ordering::less},
        {"Z", "a", std::strong_ordering::greater},
        {"\xC3\x84", "\xC3\xA4", std::strong_ordering::less},  // Ä and ä are not folded
        {"z", "\xC3\xA4", std::strong_ordering::less},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cmp_ignore_ascii_case(c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(cmp_ignore_ascii_case(c.b, c.a), 0 <=> (c.order <=> 0)) << c.b << " vs " << c.a;
    }
}

using Field = std::optional<std::string> VersionInfo::*;

VersionInfo make(std::initializer_list<std::pair<Field, const char*>> fields) {
    VersionInfo info;
    for (const auto& [field, value] : fields) info.*field = value;
    return info;
}

TEST(VersionInfoKeys, MergesNamedFieldsAndRawPairs) {
    using V = VersionInfo;
    struct Case {
        const char* what;
        VersionInfo info;
        std::string text;
    };
    const Case cases[] = {
        {"nothing", {}, ""},
        {"empty company name", make({{&V::company_name, ""}}), "CompanyName="},
        {"named fields by key", make({{&V::file_version, "1.2.0.0"}, {&V::company_name, "ACME"}}),
         "CompanyName=ACME;FileVersion=1.2.0.0"},
        {"named wins over raw", make({{&V::company_name, "ACME"}, {&V::raw, "companyname=Other"}}), "CompanyName=ACME"},
        {"first raw wins", make({{&V::raw, "Key=1;key=2"}}), "Key=1"},
        {"raw trimmed, empty piece skipped", make({{&V::raw, " Key = Value ;"}}), "Key=Value"},
        {"unicode white space trimmed", make({{&V::raw, "\xC2\xA0Key\xE3\x80\x80=\tV\xE2\x80\xA8"}}), "Key=V"},
        {"value keeps later equals signs", make({{&V::raw, "K=a=b"}}), "K=a=b"},
        {"piece without equals sign", make({{&V::raw, "novalue"}}), ""},
        {"empty raw", make({{&V::raw, ""}}), ""},
        {"empty key first", make({{&V::file_version, "1"}, {&V::raw, "=v"}}), "=v;FileVersion=1"},
        {"underscore before letters", make({{&V::raw, "KeyA=1;Key_2=2"}}), "Key_2=2;KeyA=1"},
        {"named value unchanged", make({{&V::comments, "a;b=c"}}), "Comments=a;b=c"},
        {"named value not trimmed", make({{&V::comments, " x "}}), "Comments= x "},
        {"all named, raw keys between them",
         make({{&V::company_name, "1"}, {&V::file_description, "2"}, {&V::file_version, "3"}, {&V::internal_name, "4"},
               {&V::legal_copyright, "5"}, {&V::legal_trademarks, "6"}, {&V::original_filename, "7"},
               {&V::product_name, "8"}, {&V::product_version, "9"}, {&V::comments, "10"},
               {&V::raw, "Language=en;legalcopyright=x"}}),
         "Comments=10;CompanyName=1;FileDescription=2;FileVersion=3;InternalName=4;Language=en;LegalCopyright=5;"
         "LegalTrademarks=6;OriginalFilename=7;ProductName=8;ProductVersion=9"},
    };
    for (const Case& c : cases) EXPECT_EQ(version_info_keys(c.info), c.text) << c.what;
}

}  // namespace
}  // namespace kestrune::backends
