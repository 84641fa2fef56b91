// Batch: one conversion from the command line, with no display.
#pragma once

#include <string>
#include <vector>

// Runs the batch mode on the arguments (language code, input, output; more are ignored).
// Every failure is reported on stderr; the result is 0 on success and 1 otherwise.
int RunBatchMode(const std::vector<std::string>& args);
