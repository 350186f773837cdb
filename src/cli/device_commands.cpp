#include "cli/device_commands.hpp"

#include <charconv>
#include <ostream>

#include "cli/session.hpp"

namespace vornix::cli {

void registerPresetCommands(std::map<std::string, DeviceCommand>& commands);
void registerTransferCommands(std::map<std::string, DeviceCommand>& commands);
void registerFileCommands(std::map<std::string, DeviceCommand>& commands);

const std::map<std::string, DeviceCommand>& deviceCommands() {
    static const std::map<std::string, DeviceCommand> commands = [] {
        std::map<std::string, DeviceCommand> all;
        registerPresetCommands(all);
        registerTransferCommands(all);
        registerFileCommands(all);
        return all;
    }();
    return commands;
}

CommandResult failed(std::string error, int code) {
    return CommandResult{false, std::move(error), code};
}

CommandResult deviceFailure(Session& session) {
    return failed(session.failure(), session.failureCode());
}

bool parseNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

void printPresetRows(Session& session, std::ostream& data) {
    for (const std::string& row : session.editor().cache().rows()) {
        const auto last = row.find_last_not_of(' ');
        data << row.substr(0, last == std::string::npos ? row.size() : last + 1) << '\n';
    }
}

}  // namespace vornix::cli
