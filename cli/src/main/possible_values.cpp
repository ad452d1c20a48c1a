#include "main/possible_values.hpp"

#include <string>

#include "catalogue/enums.hpp"

namespace kestrune::cli {

std::vector<args::PossibleValue> architecture_values() {
    std::vector<args::PossibleValue> values;
    for (const auto& a : catalogue::architecture_table)
        values.push_back({std::string(a.name), std::string(a.help), {a.aliases.begin(), a.aliases.end()}});
    return values;
}

std::vector<args::PossibleValue> platform_values() {
    std::vector<args::PossibleValue> values;
    for (const auto& p : catalogue::platform_table) values.push_back({std::string(p.name), std::string(p.help), {}});
    return values;
}

}  // namespace kestrune::cli
