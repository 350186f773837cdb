#include "device/trace_lines.hpp"

#include <cstdio>

namespace vornix::sysex {

char arrowOf(Direction direction) {
    return direction == Direction::Sent ? '>' : '<';
}

std::string plainTraceLine(Direction direction, ByteSpan message) {
    return std::string(1, arrowOf(direction)) + ' ' + toHex(message);
}

std::string secondsText(std::int64_t milliseconds) {
    constexpr std::int64_t PerSecond = 1000;
    const std::int64_t whole = milliseconds / PerSecond;
    const std::int64_t rest = milliseconds % PerSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%03lld", milliseconds < 0 ? "-" : "",
                  static_cast<long long>(whole < 0 ? -whole : whole),
                  static_cast<long long>(rest < 0 ? -rest : rest));
    return text;
}

std::string decodedTraceLine(std::int64_t milliseconds, Direction direction, std::string_view name,
                             ByteSpan message) {
    std::string line = secondsText(milliseconds);
    line += ' ';
    line += arrowOf(direction);
    line += ' ';
    line += name;
    line += "  ";
    line += toHex(message);
    return line;
}

}  // namespace vornix::sysex
