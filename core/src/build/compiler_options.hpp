// The options of the Delphi compilers and of the resource compiler.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrune::build {

struct DccOptions {
    std::wstring file;
    bool no_config = false;
    bool no_hints = false;
    bool no_warnings = false;
    std::string alias;      // the empty text means none
    std::string namespace_;  // unit scope names; the empty text means none
    std::vector<std::string> define;
    std::optional<std::string> unit_search_dirs;
    std::optional<std::string> resource_search_dirs;
    std::optional<std::string> include_search_dirs;
    bool build = false;
    bool quiet = false;
    std::optional<std::string> output_dir;
    std::optional<std::string> unit_output_dir;
    std::optional<std::string> package_bpl_output_dir;
    std::optional<std::string> package_dcp_output_dir;
    bool cpp = false;
    bool cpp_win64x = false;
    std::optional<std::string> cpp_bpi_output_dir;
    std::optional<std::string> cpp_hpp_output_dir;
    std::optional<std::string> cpp_obj_output_dir;
    std::vector<std::string> raw;  // passed to the compiler unchanged

    bool operator==(const DccOptions&) const = default;
};

struct BrccOptions {
    std::wstring input_rc;
    std::optional<std::wstring> output_res;

    bool operator==(const BrccOptions&) const = default;
};

}  // namespace kestrune::build
