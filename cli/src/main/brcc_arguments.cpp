#include "main/brcc_arguments.hpp"

#include "main/option_table.hpp"

namespace kestrune::cli {
namespace {

const OptionTable<backends::BrccOptions>& brcc_options() {
    static const OptionTable<backends::BrccOptions> table{
        {args::Arg{.id = "input_rc",
                   .value_name = "INPUT_RC",
                   .help = "Specify a resource script file (.rc) to be compiled",
                   .kind = args::ValueKind::Path,
                   .required = true},
         into<&backends::BrccOptions::input_rc>},
        {args::Arg{.id = "output_res",
                   .value_name = "OUTPUT_RES",
                   .help = "Specify the output resource .res file",
                   .long_help = "Specify the output resource .res file\n\n"
                                "If omitted, creates the output .RES file with the same name as the input .rc file",
                   .kind = args::ValueKind::Path},
         into<&backends::BrccOptions::output_res>},
    };
    return table;
}

}  // namespace

void define_brcc_options(args::Command& command) { declare_table<brcc_options>(command); }

ReadResult<backends::BrccOptions> read_brcc_options(const args::Matches& matches) {
    return read_table<backends::BrccOptions, brcc_options>(matches);
}

}  // namespace kestrune::cli
