// The whole life of one process: parse, build App, dispatch, report.
#pragma once

#include <string>
#include <vector>

#include "args/matches.hpp"
#include "main/app.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

// Builds App from the parse result: NAME, the subcommand's record and the global options.
ReadResult<App> read_app(const args::Matches& matches);

// Runs the program on its arguments (program first) and gives the exit status.
int run_main(const std::vector<std::wstring>& arguments);

}  // namespace kestrune::cli
