#pragma once
// The command line of vornixctl:
//   vornixctl [--simulator | --stdio | --port NAME | --in NAME --out NAME]
//             [--data-dir DIR] [--trace[=decoded]] [--yes] [--no-backup] COMMAND [ARGS]
#include <optional>
#include <string>
#include <vector>

#include "host/trace_writer.hpp"

namespace vornix::cli {

// None: the command works on the cache alone and opens no port.
enum class Transport { Settings, Simulator, Stdio, Ports, None };

struct Options {
    Transport transport = Transport::Settings;
    std::string inPort;
    std::string outPort;
    std::string dataDir;  // empty: VORNIX_DATA_DIR or the per-user folder
    host::TraceMode trace = host::TraceMode::Off;
    bool yes = false;
    // restore, reset and firmware take no backup of the pedal first.
    bool noBackup = false;
    std::string command;
    std::vector<std::string> args;
};

struct ParsedOptions {
    std::optional<Options> options;
    std::string error;  // why parsing failed, when options is empty
    bool help = false;
    bool version = false;
};

ParsedOptions parseOptions(const std::vector<std::string>& arguments);
const char* usageText();
// "vornixctl X.Y.Z", the program's version.
std::string versionText();

}  // namespace vornix::cli
