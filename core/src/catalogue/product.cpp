#include "catalogue/product.hpp"

#include <array>
#include <limits>
#include <string_view>

#include "catalogue/release.hpp"
#include "catalogue/version.hpp"

namespace kestrune::catalogue {
namespace {

// What the version keys 2 to 23 number. Each numbering counts on by one from key to key, but
// not in the same steps: there was never a key 13 (12.0 is followed by 14.0), so it numbers
// nothing; the compilers skipped 19.0 (key 5 is 18.5, key 6 is 20.0); the packages skipped 13
// (key 6 is 12, key 7 is 14). Keys 24 to 36 were never used either: from 37 on the key is the
// compiler version itself, and its whole number the package version.
struct Numbering {
    std::uint32_t key;
    std::string_view compiler;  // empty: none
    std::string_view package;   // empty: none
};

constexpr std::array<Numbering, 22> numbering_table{{
    {2, "16.0", "8"},   {3, "17.0", "9"},   {4, "18.0", "10"},  {5, "18.5", "11"},  {6, "20.0", "12"},
    {7, "21.0", "14"},  {8, "22.0", "15"},  {9, "23.0", "16"},  {10, "24.0", "17"}, {11, "25.0", "18"},
    {12, "26.0", "19"}, {13, "", ""},       {14, "27.0", "20"}, {15, "28.0", "21"}, {16, "29.0", "22"},
    {17, "30.0", "23"}, {18, "31.0", "24"}, {19, "32.0", "25"}, {20, "33.0", "26"}, {21, "34.0", "27"},
    {22, "35.0", "28"}, {23, "36.0", "29"},
}};

constexpr bool keys_in_order() {
    for (std::size_t i = 0; i < numbering_table.size(); ++i)
        if (numbering_table[i].key != numbering_table[0].key + i) return false;
    return true;
}
static_assert(keys_in_order());

// From this key on, the version key names the compiler version.
constexpr std::uint32_t first_key_named_by_compiler = 37;

// The row of the version key; none outside the table.
const Numbering* numbering(std::uint32_t key) {
    const std::uint32_t first = numbering_table.front().key;
    if (key < first || key - first >= numbering_table.size()) return nullptr;
    return &numbering_table[key - first];
}

}  // namespace

std::string compiler_version(const Installation& installation) {
    const std::uint32_t key = version_number(installation);
    if (key >= first_key_named_by_compiler) return installation.version;
    const Numbering* row = numbering(key);
    return row ? std::string(row->compiler) : std::string();
}

std::uint32_t compiler_version_number(const Installation& installation) {
    const std::optional<double> number = parse_decimal(compiler_version(installation));
    return number ? saturate_u32(*number * 10) : 0;
}

std::string package_version(const Installation& installation) {
    const std::uint32_t key = version_number(installation);
    if (key >= first_key_named_by_compiler) return std::to_string(key);
    const Numbering* row = numbering(key);
    return row ? std::string(row->package) : std::string();
}

std::uint32_t package_version_number(const Installation& installation) {
    const std::optional<std::uint32_t> number = parse_u32(package_version(installation));
    if (!number) return 0;
    // The version key can be as large as 4294967295; ten times that does not fit.
    const std::uint64_t tenfold = std::uint64_t{*number} * 10;
    constexpr std::uint64_t max = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(tenfold > max ? max : tenfold);
}

std::string product_family(const Installation& installation) {
    const std::uint32_t v = version_number(installation);
    if (v < 4) return "Delphi";
    if (v == 4) return "Borland Developer Studio";
    return "RAD Studio";
}

std::string product_version(const Installation& installation) {
    if (installation.release) return std::string(installation.release->product_version);
    return "<" + installation.version + ">";
}

std::string product_name(const Installation& installation) {
    if (!installation.release && !installation.registry_product_name.empty()) return installation.registry_product_name;
    return product_family(installation) + " " + product_version(installation);
}

std::string name(const Installation& installation) {
    std::string out = product_name(installation);
    if (installation.update_number != 0) out += "." + std::to_string(installation.update_number);
    return out;
}

std::string code_name(const Installation& installation) {
    return installation.release ? std::string(installation.release->code_name) : std::string();
}

std::string full_name(const Installation& installation) {
    std::string out = name(installation);
    if (const std::string code = code_name(installation); !code.empty()) out += " " + code;
    return out;
}

bool is_community(const Installation& installation) {
    const auto it = installation.registry_values.find("Edition");
    return it != installation.registry_values.end() && it->second == "Starter";
}

std::optional<ProductEdition> edition(const Installation& installation) {
    if (is_community(installation)) return ProductEdition::Community;
    return std::nullopt;
}

std::string display_name(const Installation& installation) {
    std::string out = full_name(installation);
    if (const std::optional<ProductEdition> e = edition(installation)) out += " " + std::string(name(*e)) + " Edition";
    return out;
}

}  // namespace kestrune::catalogue
