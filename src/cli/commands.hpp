#pragma once
#include "cli/options.hpp"

namespace vornix::cli {

// Runs one command; returns the process exit code. Data goes to stdout
// (stderr in --stdio mode, where stdout carries the protocol), progress and
// errors to stderr.
int runCommand(const Options& options);

}  // namespace vornix::cli
