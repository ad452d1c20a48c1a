// The whole life of one process: parse, build App, dispatch, report.
#pragma once

#include <string>
#include <vector>

namespace kestrune::cli {

// Runs the program on its arguments (program first) and gives the exit status.
int run_main(const std::vector<std::wstring>& arguments);

}  // namespace kestrune::cli
