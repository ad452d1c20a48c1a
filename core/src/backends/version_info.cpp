#include "backends/version_info.hpp"

#include <map>
#include <span>

#include "text/text.hpp"

namespace kestrune::backends {
namespace {

struct KeyLess {
    bool operator()(const std::string& a, const std::string& b) const { return cmp_ignore_ascii_case(a, b) < 0; }
};

// The fields written as key=value pairs, under their option's long name: all but raw.
constexpr auto named_fields = std::span(version_info_fields).first<10>();
static_assert(version_info_fields.back().member == &VersionInfo::raw);

}  // namespace

std::strong_ordering cmp_ignore_ascii_case(std::string_view a, std::string_view b) {
    // UTF-8 keeps code-point order, so comparing folded bytes compares folded characters.
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(text::ascii_lower(a[i]));
        const auto y = static_cast<unsigned char>(text::ascii_lower(b[i]));
        if (x != y) return x <=> y;
    }
    return a.size() <=> b.size();
}

std::vector<std::pair<std::string, std::string>> version_info_pairs(const VersionInfo& info) {
    // Keys equal under the folding are one key, which keeps the spelling it was first given.
    std::map<std::string, std::string, KeyLess> pairs;
    for (const VersionInfoField& named : named_fields)
        if (const auto& value = info.*named.member) pairs.emplace(std::string(named.long_name), *value);

    if (info.raw) {
        const std::string_view raw = *info.raw;
        std::size_t start = 0;
        while (start <= raw.size()) {
            auto end = raw.find(';', start);
            if (end == std::string_view::npos) end = raw.size();
            const std::string_view piece = raw.substr(start, end - start);
            start = end + 1;
            const auto equals = piece.find('=');
            if (equals == std::string_view::npos) continue;
            // Named fields came first and an earlier raw pair stays, so emplace never replaces.
            pairs.emplace(std::string(text::trim(piece.substr(0, equals))), std::string(text::trim(piece.substr(equals + 1))));
        }
    }

    return {std::make_move_iterator(pairs.begin()), std::make_move_iterator(pairs.end())};
}

std::string version_info_keys(const VersionInfo& info) {
    std::string out;
    for (const auto& [key, value] : version_info_pairs(info)) {
        if (!out.empty()) out += ';';  // every entry writes at least its '='
        out += key;
        out += '=';
        out += value;
    }
    return out;
}

}  // namespace kestrune::backends
