#include "catalogue/enums.hpp"

namespace kestrune::catalogue {

std::string tool_file_name(Tool tool) { return std::string(name(tool)) + ".exe"; }

bool is_delphi_compiler(Tool tool) { return name(tool).starts_with("DCC"); }

std::string app_value_name(Architecture architecture) { return "App" + std::string(info(architecture).key_suffix); }

std::array<Architecture, 2> tool_search_order(std::optional<Architecture> architecture) {
    if (architecture == Architecture::x64) return {Architecture::x64, Architecture::x86};
    return {Architecture::x86, Architecture::x64};
}

}  // namespace kestrune::catalogue
