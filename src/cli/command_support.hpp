#pragma once
// What the command files share: a command's result, the one-line failures,
// number parsing and the preset list as printed.
#include <iosfwd>
#include <string>
#include <vector>

namespace vornix::cli {

class Session;

using Args = std::vector<std::string>;

struct CommandResult {
    bool ok = true;
    std::string error;
    int code = 0;
};

CommandResult failed(std::string error, int code = 1);
// Why the last wait of the session failed, with its exit code.
CommandResult deviceFailure(Session& session);
// The session's last message box text, or `fallback` when there was none.
CommandResult failedWithMessage(Session& session, const std::string& fallback);
bool parseNumber(const std::string& text, int& value);
void printPresetRows(Session& session, std::ostream& data);
// The backup that restore, reset and firmware take first, unless --no-backup.
CommandResult backUpFirst(Session& session);

}  // namespace vornix::cli
