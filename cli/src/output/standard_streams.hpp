// The process's standard output and standard error as an Output, through the sink.
#pragma once

#include "output/output.hpp"

namespace kestrune::cli {

// The one Output of a run: the sink's streams, with its buffering and its fatal stop.
Output& standard_streams();

}  // namespace kestrune::cli
