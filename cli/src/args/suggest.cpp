#include "args/suggest.hpp"

#include <algorithm>

namespace kestrune::args {
namespace {

// Below this a suggestion is more likely to confuse than to help.
constexpr double threshold = 0.7;

double jaro(std::string_view a, std::string_view b) {
    if (a.empty() && b.empty()) return 1.0;
    if (a.empty() || b.empty()) return 0.0;
    const std::size_t window = std::max(a.size(), b.size()) / 2 - (std::max(a.size(), b.size()) >= 2 ? 1 : 0);
    std::vector<bool> a_matched(a.size()), b_matched(b.size());
    std::size_t matches = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::size_t from = i > window ? i - window : 0;
        const std::size_t to = std::min(b.size(), i + window + 1);
        for (std::size_t j = from; j < to; ++j) {
            if (b_matched[j] || a[i] != b[j]) continue;
            a_matched[i] = b_matched[j] = true;
            ++matches;
            break;
        }
    }
    if (matches == 0) return 0.0;
    std::size_t transpositions = 0;
    for (std::size_t i = 0, j = 0; i < a.size(); ++i) {
        if (!a_matched[i]) continue;
        while (!b_matched[j]) ++j;
        if (a[i] != b[j]) ++transpositions;
        ++j;
    }
    const double m = static_cast<double>(matches);
    return (m / a.size() + m / b.size() + (m - transpositions / 2.0) / m) / 3.0;
}

}  // namespace

double similarity(std::string_view a, std::string_view b) {
    const double j = jaro(a, b);
    std::size_t prefix = 0;
    while (prefix < 4 && prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
    return j + prefix * 0.1 * (1.0 - j);
}

std::optional<std::size_t> best_match(std::string_view typed, const std::vector<std::string>& candidates) {
    std::optional<std::size_t> best;
    double best_score = threshold;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const double score = similarity(typed, candidates[i]);
        if (score > best_score) {
            best_score = score;
            best = i;
        }
    }
    return best;
}

std::vector<std::string> subcommand_names(const Command& command) {
    std::vector<std::string> names;
    for (const auto& sub : command.subcommands) names.push_back(sub.name);
    names.emplace_back("help");
    return names;
}

std::optional<std::string> similar_subcommand(const Command& command, std::string_view typed) {
    if (command.subcommands.empty()) return std::nullopt;
    const auto names = subcommand_names(command);
    if (const auto best = best_match(typed, names)) return names[*best];
    return std::nullopt;
}

std::optional<InnerMatch> similar_inner_subcommand(const Command& command, std::string_view typed) {
    std::vector<std::string> names, paths;
    for (const auto& sub : command.subcommands)
        for (const auto& inner : sub.subcommands) {
            names.push_back(inner.name);
            paths.push_back(sub.name + " " + inner.name);
        }
    if (const auto best = best_match(typed, names)) return InnerMatch{paths[*best], names[*best] == typed};
    return std::nullopt;
}

}  // namespace kestrune::args
