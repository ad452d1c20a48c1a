#include "main/select_arguments.hpp"

#include <string>

#include "main/option_table.hpp"

namespace kestrune::cli {
namespace {

const OptionTable<SelectOptions>& select_options() {
    static const OptionTable<SelectOptions> table{
        {args::Arg{.id = "message",
                   .value_name = "MESSAGE",
                   .help = "Prompt message",
                   .default_value = std::string("Select IDE:")},
         into<&SelectOptions::message>},
        {args::Arg{.id = "multi",
                   .short_name = 'm',
                   .long_name = "multi",
                   .help = "Allow multi-select",
                   .action = args::Action::SetTrue},
         into<&SelectOptions::multi>},
    };
    return table;
}

}  // namespace

void define_select_options(args::Command& command) { declare_table<select_options>(command); }

ReadResult<SelectOptions> read_select_options(const args::Matches& matches) {
    return read_table<SelectOptions, select_options>(matches);
}

}  // namespace kestrune::cli
