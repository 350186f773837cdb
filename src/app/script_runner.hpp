#pragma once
// --headless --script: the window content without a display, driven by the
// commands of a script (app/script.hpp) and read back on stdout. No GTK here.
#include <iosfwd>
#include <string_view>

#include "app/launch_options.hpp"

namespace vornix::app {

// Reads the script of --script (a file, or standard input for "-") and runs
// it against the device of the options; what it prints goes to stdout.
int runScript(const Options& options);

// Runs `source` with its printed lines on `out` and every complaint on
// `err`. 0 at the script's end or at "menu quit"; 1 at a bad line (its number
// on `err`), when the device stays offline through "until online", or when
// the start fails.
int runScript(const Options& options, std::string_view source, std::ostream& out,
              std::ostream& err);

}  // namespace vornix::app
