// Program entry: nothing of the program's own runs before this.
#include "main/main.hpp"
#include "win/command_line.hpp"

int wmain() { return kestrune::cli::run_main(kestrune::win::process_arguments()); }
