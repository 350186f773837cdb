#pragma once
// The commands that talk to a device (or only to its cache), by name.
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "cli/options.hpp"

namespace vornix::cli {

class Session;

struct CommandResult {
    bool ok = true;
    std::string error;
    int code = 0;
};

using DeviceCommand = std::function<CommandResult(Session&, const std::vector<std::string>& args,
                                                  std::ostream& data)>;

const std::map<std::string, DeviceCommand>& deviceCommands();

// Commands that need no device.
int convertIr(const Options& options);
int portsCommand(const Options& options);

// Helpers shared by the command files.
CommandResult failed(std::string error, int code = 1);
CommandResult deviceFailure(Session& session);
bool parseNumber(const std::string& text, int& value);
void printPresetRows(Session& session, std::ostream& data);

}  // namespace vornix::cli
