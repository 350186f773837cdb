#include "cli/commands.hpp"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <map>

#include "cli/device_commands.hpp"
#include "cli/session.hpp"

namespace vornix::cli {

namespace {

bool needsNoDevice(const std::string& command) {
    return command == "ports" || command == "ir-convert";
}

}  // namespace

int runCommand(const Options& options) {
    if (options.command == "ports") return portsCommand(options);
    if (options.command == "ir-convert") return convertIr(options);
    std::ostream& data = options.transport == Transport::Stdio ? std::cerr : std::cout;
    Options effective = options;
    if (options.command == "presets") effective.transport = Transport::None;
    std::string error;
    Session session(effective, std::cerr, error);
    if (!error.empty()) {
        std::cerr << "vornixctl: " << error << '\n';
        return ExitFailure;
    }
    const auto& commands = deviceCommands();
    const auto command = commands.find(options.command);
    if (command == commands.end() || needsNoDevice(options.command)) {
        std::cerr << "vornixctl: unknown command '" << options.command << "' (see --help)\n";
        return ExitFailure;
    }
    const CommandResult result = command->second(session, options.args, data);
    if (!result.ok) {
        std::cerr << "vornixctl: " << result.error << '\n';
        return result.code;
    }
    return ExitOk;
}

}  // namespace vornix::cli
