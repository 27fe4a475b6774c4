// One run of ddewatch: connect, print the current values, follow the links.
#pragma once

#include <cstdio>

#include "tools/ddewatch/ddewatch_options.h"

namespace tickvane {

// Returns the exit code. Lines go to out, complaints to err. A WM_QUIT posted to this thread
// (the console control handler does that) ends the run with 0.
int RunWatch(const WatchOptions& options, std::FILE* out, std::FILE* err);

}  // namespace tickvane
