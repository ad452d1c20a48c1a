#include "catalogue/product.hpp"

#include <limits>

#include "catalogue/release.hpp"
#include "catalogue/version.hpp"

namespace kestrune::catalogue {
namespace {

std::string with_point_zero(std::uint32_t n) { return std::to_string(n) + ".0"; }

}  // namespace

std::string compiler_version(const Installation& installation) {
    const std::uint32_t v = version_number(installation);
    if (v >= 37) return installation.version;
    if (v >= 24) return {};
    if (v >= 14) return with_point_zero(v + 13);
    if (v == 13) return {};
    if (v == 5) return "18.5";
    if (v >= 2) return with_point_zero(v + 14);
    return {};
}

std::uint32_t compiler_version_number(const Installation& installation) {
    const std::optional<double> number = parse_decimal(compiler_version(installation));
    return number ? saturate_u32(*number * 10) : 0;
}

std::string package_version(const Installation& installation) {
    const std::uint32_t v = version_number(installation);
    if (v >= 37) return std::to_string(v);
    if (v >= 24) return {};
    if (v >= 14) return std::to_string(v + 6);
    if (v == 13) return {};
    if (v >= 7) return std::to_string(v + 7);
    if (v == 6) return "12";
    if (v == 5) return "11";
    if (v >= 2) return std::to_string(v + 6);
    return {};
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
