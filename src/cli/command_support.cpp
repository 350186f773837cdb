#include "cli/command_support.hpp"

#include <charconv>
#include <ostream>

#include "cli/session.hpp"

namespace vornix::cli {

CommandResult failed(std::string error, int code) {
    return CommandResult{false, std::move(error), code};
}

CommandResult deviceFailure(Session& session) {
    return failed(session.failure(), session.failureCode());
}

CommandResult failedWithMessage(Session& session, const std::string& fallback) {
    return failed(session.lastMessage().empty() ? fallback : session.lastMessage());
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
