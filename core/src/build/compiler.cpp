#include "build/compiler.hpp"

#include <array>
#include <optional>
#include <string_view>

#include "win/directory.hpp"
#include "win/utf.hpp"

namespace kestrune::build {
namespace {

// How each option becomes a switch, in the order the compiler is given them. One of the
// member pointers is set; it says when the row is present.
struct SwitchRow {
    std::string_view option;
    std::string_view switch_;
    bool DccOptions::*flag = nullptr;                                  // when set
    std::string DccOptions::*text = nullptr;                           // when not empty
    std::optional<std::string> DccOptions::*optional_text = nullptr;  // when given, even empty
    std::vector<std::string> DccOptions::*list = nullptr;             // when not empty; items joined by ";"
};

constexpr SwitchRow row(std::string_view option, std::string_view switch_, bool DccOptions::*flag) {
    SwitchRow r{};
    r.option = option, r.switch_ = switch_, r.flag = flag;
    return r;
}
constexpr SwitchRow row(std::string_view option, std::string_view switch_, std::string DccOptions::*text) {
    SwitchRow r{};
    r.option = option, r.switch_ = switch_, r.text = text;
    return r;
}
constexpr SwitchRow row(std::string_view option, std::string_view switch_,
                        std::optional<std::string> DccOptions::*optional_text) {
    SwitchRow r{};
    r.option = option, r.switch_ = switch_, r.optional_text = optional_text;
    return r;
}
constexpr SwitchRow row(std::string_view option, std::string_view switch_, std::vector<std::string> DccOptions::*list) {
    SwitchRow r{};
    r.option = option, r.switch_ = switch_, r.list = list;
    return r;
}

constexpr std::array<SwitchRow, 20> switch_table{
    row("no_config", "--no-config", &DccOptions::no_config),
    row("no_hints", "-H-", &DccOptions::no_hints),
    row("no_warnings", "-W-", &DccOptions::no_warnings),
    row("alias", "-A", &DccOptions::alias),
    row("namespace", "-NS", &DccOptions::namespace_),
    row("define", "-D", &DccOptions::define),
    row("unit_search_dirs", "-U", &DccOptions::unit_search_dirs),
    row("resource_search_dirs", "-R", &DccOptions::resource_search_dirs),
    row("include_search_dirs", "-I", &DccOptions::include_search_dirs),
    row("build", "-B", &DccOptions::build),
    row("quiet", "-Q", &DccOptions::quiet),
    row("output_dir", "-E", &DccOptions::output_dir),
    row("unit_output_dir", "-NU", &DccOptions::unit_output_dir),
    row("package_bpl_output_dir", "-LE", &DccOptions::package_bpl_output_dir),
    row("package_dcp_output_dir", "-LN", &DccOptions::package_dcp_output_dir),
    row("cpp", "-JL", &DccOptions::cpp),
    row("cpp_win64x", "-jf:coffi", &DccOptions::cpp_win64x),
    row("cpp_bpi_output_dir", "-NB", &DccOptions::cpp_bpi_output_dir),
    row("cpp_hpp_output_dir", "-NH", &DccOptions::cpp_hpp_output_dir),
    row("cpp_obj_output_dir", "-NO", &DccOptions::cpp_obj_output_dir),
};

std::optional<std::string> argument_of(const SwitchRow& row, const DccOptions& options) {
    if (row.flag) return options.*row.flag ? std::optional<std::string>("") : std::nullopt;
    if (row.text) return (options.*row.text).empty() ? std::nullopt : std::optional(options.*row.text);
    if (row.optional_text) return options.*row.optional_text;
    const std::vector<std::string>& items = options.*row.list;
    if (items.empty()) return std::nullopt;
    std::string joined = items.front();
    for (std::size_t i = 1; i < items.size(); ++i) joined += ";" + items[i];
    return joined;
}

bool names_output_directory(const DccSwitch& row) { return row.option.ends_with("output_dir"); }

// The switch alone for a flag, else the switch with its value in quotes, which the compiler
// reads as one argument; nothing inside is escaped.
std::wstring switch_text(const DccSwitch& row) {
    const std::wstring switch_ = win::to_wide(row.switch_);
    return row.argument.empty() ? switch_ : switch_ + L"\"" + win::to_wide(row.argument) + L"\"";
}

void add_switch(win::ChildCommand& command, const DccSwitch& row) {
    if (row.argument.empty())
        command.arg(switch_text(row));
    else
        command.verbatim(switch_text(row));
}

win::ChildCommand compiler_with_file(const std::string& compiler, const DccOptions& options) {
    win::ChildCommand command{win::to_wide(compiler), {}};
    command.arg(options.file);
    return command;
}

void add_raw(win::ChildCommand& command, const DccOptions& options) {
    for (const std::string& raw : options.raw) command.arg(win::to_wide(raw));
}

}  // namespace

std::vector<DccSwitch> dcc_switches(const DccOptions& options) {
    std::vector<DccSwitch> rows;
    for (const SwitchRow& row : switch_table)
        if (auto argument = argument_of(row, options))
            rows.push_back({std::move(*argument), std::string(row.option), std::string(row.switch_)});
    return rows;
}

win::ChildCommand dcc_command(const std::string& compiler, const DccOptions& options) {
    win::ChildCommand command = compiler_with_file(compiler, options);
    for (const DccSwitch& row : dcc_switches(options)) add_switch(command, row);
    add_raw(command, options);
    return command;
}

std::expected<DWORD, win::IoError> run_dcc(const std::string& compiler, const DccOptions& options) {
    // Directories are made row by row, so a failure leaves those of earlier rows in place and
    // starts no compiler.
    for (const DccSwitch& row : dcc_switches(options))
        if (names_output_directory(row))
            if (auto made = win::create_directories(win::to_wide(row.argument)); !made)
                return std::unexpected(std::move(made.error()));
    return win::run_child(dcc_command(compiler, options));
}

win::ChildCommand brcc_command(const std::string& brcc32, const BrccOptions& options) {
    win::ChildCommand command{win::to_wide(brcc32), {}};
    command.arg(options.input_rc);
    if (options.output_res) command.arg(L"-fo").arg(*options.output_res);
    return command;
}

std::expected<DWORD, win::IoError> run_brcc(const std::string& brcc32, const BrccOptions& options) {
    return win::run_child(brcc_command(brcc32, options));
}

}  // namespace kestrune::build
