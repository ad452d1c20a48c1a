// The options of the Delphi compilers and of the resource compiler.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrune::backends {

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

inline constexpr std::string_view default_alias =
    "Generics.Collections=System.Generics.Collections;Generics.Defaults=System.Generics.Defaults;"
    "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE";
inline constexpr std::string_view default_namespace =
    "Winapi;System.Win;Data.Win;Datasnap.Win;Web.Win;Soap.Win;Xml.Win;Bde;System;Xml;Data;Datasnap;Web;Soap;"
    "Vcl;Vcl.Imaging;Vcl.Touch;Vcl.Samples;Vcl.Shell;IBX;VclTee";

// How an option fills its DccOptions field, one type per kind. The kind also says when the
// field asks for its compiler switch.
struct DccPath {  // the required source file
    std::wstring DccOptions::*field;
};
struct DccFlag {  // no value; the switch when set
    bool DccOptions::*field;
};
struct DccText {  // one value, else the default; the switch when not empty
    std::string DccOptions::*field;
    std::string_view default_value;
};
struct DccList {  // one value per occurrence; the switch when any, with the values joined by ";"
    std::vector<std::string> DccOptions::*field;
};
struct DccOptionalText {  // one value or none; the switch when given, even empty
    std::optional<std::string> DccOptions::*field;
};
struct DccTrailing {  // every argument after "--", passed on unchanged
    std::vector<std::string> DccOptions::*field;
};
using DccField = std::variant<DccPath, DccFlag, DccText, DccList, DccOptionalText, DccTrailing>;

// One option of the compile commands: how the command line declares it and what it becomes
// on the compiler's.
struct DccOption {
    std::string_view id;            // the DccOptions field's name
    char short_name = 0;            // 0: none
    std::string_view long_name{};   // without "--"; empty for the source file and the raw arguments
    std::string_view value_name{};  // empty for a flag
    std::string_view help;
    std::string_view switch_{};     // empty: not a switch (the source file and the raw arguments)
    DccField field;
    bool creates_directory = false;  // its value names a directory, made before the compiler runs
};

// Every option, in the order the command line declares them and the compiler is given their
// switches.
inline constexpr std::array<DccOption, 22> dcc_option_table{{
    {.id = "file", .value_name = "FILE", .help = "Specify the filename for compiling", .field = DccPath{&DccOptions::file}},
    {.id = "no_config", .long_name = "no-config", .help = "Do not load default dcc*.cfg file", .switch_ = "--no-config",
     .field = DccFlag{&DccOptions::no_config}},
    {.id = "no_hints", .long_name = "no-hints", .help = "Do not output hint messages", .switch_ = "-H-",
     .field = DccFlag{&DccOptions::no_hints}},
    {.id = "no_warnings", .long_name = "no-warnings", .help = "Do not output warning messages", .switch_ = "-W-",
     .field = DccFlag{&DccOptions::no_warnings}},
    {.id = "alias", .long_name = "alias", .value_name = "ALIAS", .help = "Set unit aliases", .switch_ = "-A",
     .field = DccText{&DccOptions::alias, default_alias}},
    {.id = "namespace", .long_name = "namespace", .value_name = "NAMESPACE",
     .help = "Set namespace search path (Unit scope names)", .switch_ = "-NS",
     .field = DccText{&DccOptions::namespace_, default_namespace}},
    {.id = "define", .short_name = 'd', .long_name = "define", .value_name = "DEFINE", .help = "Define conditionals",
     .switch_ = "-D", .field = DccList{&DccOptions::define}},
    {.id = "unit_search_dirs", .long_name = "unit-search-dirs", .value_name = "UNIT_SEARCH_DIRS",
     .help = "Unit search directories", .switch_ = "-U", .field = DccOptionalText{&DccOptions::unit_search_dirs}},
    {.id = "resource_search_dirs", .long_name = "resource-search-dirs", .value_name = "RESOURCE_SEARCH_DIRS",
     .help = "Resource search directories", .switch_ = "-R", .field = DccOptionalText{&DccOptions::resource_search_dirs}},
    {.id = "include_search_dirs", .long_name = "include-search-dirs", .value_name = "INCLUDE_SEARCH_DIRS",
     .help = "Include search directories", .switch_ = "-I", .field = DccOptionalText{&DccOptions::include_search_dirs}},
    {.id = "build", .short_name = 'b', .long_name = "build", .help = "Build all units", .switch_ = "-B",
     .field = DccFlag{&DccOptions::build}},
    {.id = "quiet", .short_name = 'q', .long_name = "quiet", .help = "Quiet compile", .switch_ = "-Q",
     .field = DccFlag{&DccOptions::quiet}},
    {.id = "output_dir", .long_name = "output-dir", .value_name = "OUTPUT_DIR", .help = "EXE/DLL output directory",
     .switch_ = "-E", .field = DccOptionalText{&DccOptions::output_dir}, .creates_directory = true},
    {.id = "unit_output_dir", .long_name = "unit-output-dir", .value_name = "UNIT_OUTPUT_DIR",
     .help = "Unit .dcu output directory", .switch_ = "-NU", .field = DccOptionalText{&DccOptions::unit_output_dir},
     .creates_directory = true},
    {.id = "package_bpl_output_dir", .long_name = "package-bpl-output-dir", .value_name = "PACKAGE_BPL_OUTPUT_DIR",
     .help = "Package .bpl output directory", .switch_ = "-LE",
     .field = DccOptionalText{&DccOptions::package_bpl_output_dir},
     .creates_directory = true},
    {.id = "package_dcp_output_dir", .long_name = "package-dcp-output-dir", .value_name = "PACKAGE_DCP_OUTPUT_DIR",
     .help = "Package .dcp output directory", .switch_ = "-LN",
     .field = DccOptionalText{&DccOptions::package_dcp_output_dir},
     .creates_directory = true},
    {.id = "cpp", .long_name = "cpp", .help = "Generate all C++Builder files", .switch_ = "-JL",
     .field = DccFlag{&DccOptions::cpp}},
    {.id = "cpp_win64x", .long_name = "cpp-win64x", .help = "Generate COFF-format C++ files", .switch_ = "-jf:coffi",
     .field = DccFlag{&DccOptions::cpp_win64x}},
    {.id = "cpp_bpi_output_dir", .long_name = "cpp-bpi-output-dir", .value_name = "CPP_BPI_OUTPUT_DIR",
     .help = "C++ .bpi output directory", .switch_ = "-NB", .field = DccOptionalText{&DccOptions::cpp_bpi_output_dir},
     .creates_directory = true},
    {.id = "cpp_hpp_output_dir", .long_name = "cpp-hpp-output-dir", .value_name = "CPP_HPP_OUTPUT_DIR",
     .help = "C++ .hpp output directory", .switch_ = "-NH", .field = DccOptionalText{&DccOptions::cpp_hpp_output_dir},
     .creates_directory = true},
    {.id = "cpp_obj_output_dir", .long_name = "cpp-obj-output-dir", .value_name = "CPP_OBJ_OUTPUT_DIR",
     .help = "C++ .obj/.lib output directory", .switch_ = "-NO", .field = DccOptionalText{&DccOptions::cpp_obj_output_dir},
     .creates_directory = true},
    {.id = "raw", .value_name = "RAW", .help = "Additional options to pass to the compiler",
     .field = DccTrailing{&DccOptions::raw}},
}};

struct BrccOptions {
    std::wstring input_rc;
    std::optional<std::wstring> output_res;

    bool operator==(const BrccOptions&) const = default;
};

}  // namespace kestrune::backends
