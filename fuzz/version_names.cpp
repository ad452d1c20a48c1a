// Version numbers, update numbers, names and release lookups.
//
// - A version text is a number exactly when an independent reading of its grammar says so, and
//   then it is the number strtod reads in the C locale; its saturated value is the number cut
//   to 0 ... 4294967295 and truncated.
// - An unsigned number is what strtoull reads, when it fits in 32 bits.
// - A release found for a version is the row of that exact version, or of the version less ".0".
// - Every name of an installation made of any registry texts can be asked without failing and
//   is UTF-8 when the texts are; the installation a name finds is one that has that name, the
//   first in the list, and a name of an installation in the list always finds one.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "catalogue/find_installation.hpp"
#include "catalogue/product.hpp"
#include "catalogue/release.hpp"
#include "catalogue/version.hpp"
#include "check.hpp"

namespace {

using namespace kestrune::catalogue;
using kestrune::fuzz::shown;

bool digit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_ignoring_ascii_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The grammar of a version number, read left to right by hand: sign? (digits ("." digits?)? |
// "." digits) (("e"|"E") sign? digits)?, or inf, infinity or nan after an optional sign.
bool decimal_grammar(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::string_view rest = text.substr(i);
    for (const std::string_view word : {"inf", "infinity", "nan"})
        if (same_ignoring_ascii_case(rest, word)) return true;
    std::size_t digits = 0;
    while (i < text.size() && digit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponent = 0;
        while (i < text.size() && digit(text[i])) ++i, ++exponent;
        if (exponent == 0) return false;
    }
    return i == text.size();
}

void check_decimal(const std::string& text) {
    const auto parsed = parse_decimal(text);
    const bool grammar = decimal_grammar(text);
    KESTRUNE_FUZZ_CHECK(parsed.has_value() == grammar, shown(text));
    if (!parsed) return;
    const double expected = std::strtod(text.c_str(), nullptr);
    if (std::isnan(expected)) {
        KESTRUNE_FUZZ_CHECK(std::isnan(*parsed), shown(text));
    } else {
        KESTRUNE_FUZZ_CHECK(*parsed == expected, shown(text));
    }
    const std::uint32_t saturated = saturate_u32(*parsed);
    if (std::isnan(*parsed) || *parsed <= 0) {
        KESTRUNE_FUZZ_CHECK(saturated == 0, shown(text));
    } else if (*parsed >= 4294967296.0) {
        KESTRUNE_FUZZ_CHECK(saturated == std::numeric_limits<std::uint32_t>::max(), shown(text));
    } else {
        KESTRUNE_FUZZ_CHECK(saturated <= *parsed && *parsed < static_cast<double>(saturated) + 1, shown(text));
    }
}

void check_u32(const std::string& text) {
    const auto parsed = parse_u32(text);
    std::string_view digits = text;
    if (digits.starts_with('+')) digits.remove_prefix(1);
    const bool grammar = !digits.empty() && std::all_of(digits.begin(), digits.end(), digit);
    if (!grammar) {
        KESTRUNE_FUZZ_CHECK(!parsed, shown(text));
        return;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    const bool fits = errno != ERANGE && value <= std::numeric_limits<std::uint32_t>::max();
    KESTRUNE_FUZZ_CHECK(parsed.has_value() == fits, shown(text));
    if (parsed) KESTRUNE_FUZZ_CHECK(*parsed == value, shown(text));
}

void check_release(const std::string& version) {
    const Release* release = find_release(version);
    bool exact = false;
    for (const Release& row : release_table) exact = exact || row.version == version;
    if (exact) {
        KESTRUNE_FUZZ_CHECK(release && release->version == version, shown(version));
    } else if (release) {
        KESTRUNE_FUZZ_CHECK(release->version.find('.') == std::string_view::npos &&
                                std::string(release->version) + ".0" == version,
                            shown(version));
    }
}

// Every text find_installation compares, by Part of the record it comes from.
std::vector<std::string> names_of(const Installation& installation) {
    const std::string family = product_family(installation);
    std::string bare = name(installation);
    for (std::size_t at = 0; !family.empty() && (at = bare.find(family, at)) != std::string::npos;) bare.erase(at, family.size());
    return {product_name(installation), name(installation), code_name(installation),
            full_name(installation), product_version(installation), std::string(kestrune::text::trim(bare))};
}

void check_names(const std::vector<Installation>& list, const std::string& wanted) {
    for (const Installation& installation : list) {
        const bool utf8 = kestrune::text::is_valid_utf8(installation.version) &&
                          kestrune::text::is_valid_utf8(installation.registry_product_name);
        for (const std::string& text : {compiler_version(installation), package_version(installation),
                                        product_family(installation), display_name(installation)})
            if (utf8) KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(text), shown(installation.version));
        for (const std::string& text : names_of(installation))
            if (utf8) KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(text), shown(installation.version));
        (void)compiler_version_number(installation);
        (void)package_version_number(installation);
        (void)edition(installation);
        // A name of an installation in the list finds one (the first that has it).
        const std::string own = names_of(installation).front();
        KESTRUNE_FUZZ_CHECK(find_installation(list, own) != nullptr, shown(own));
    }
    const Installation* found = find_installation(list, wanted);
    const Installation* first = nullptr;
    for (const Installation& installation : list) {
        const auto names = names_of(installation);
        if (std::any_of(names.begin(), names.end(), [&](const std::string& n) { return same_ignoring_ascii_case(n, wanted); })) {
            first = &installation;
            break;
        }
    }
    KESTRUNE_FUZZ_CHECK(found == first, shown(wanted));
}

Installation installation(FuzzedDataProvider& input) {
    Installation made;
    made.base_key = "Software\\Embarcadero\\BDS";
    // A known version often enough that the release rows are reached.
    if (input.ConsumeBool())
        made.version = std::string(release_table[input.ConsumeIntegralInRange<std::size_t>(0, release_table.size() - 1)].version);
    else
        made.version = input.ConsumeRandomLengthString(24);
    made.release = find_release(made.version);
    made.registry_product_name = input.ConsumeRandomLengthString(24);
    made.update_number = input.ConsumeIntegral<std::uint32_t>();
    if (input.ConsumeBool()) made.registry_values["Edition"] = input.ConsumeRandomLengthString(12);
    return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string number = input.ConsumeRandomLengthString(48);
    check_decimal(number);
    check_u32(number);
    check_release(number);
    (void)parse_update_number(number);

    std::vector<Installation> list;
    const auto count = input.ConsumeIntegralInRange<std::size_t>(1, 4);
    for (std::size_t i = 0; i < count; ++i) list.push_back(installation(input));
    check_names(list, input.ConsumeRemainingBytesAsString());
    return 0;
}
