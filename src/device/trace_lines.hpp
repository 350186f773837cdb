#pragma once
// The lines of a trace, one a message. Plain, as scripts have parsed it for
// long:
//   > F0 00 51 21 05 40 0A 0C F7
// Decoded: the time in seconds since the start with three decimals, the
// direction (> sent, < received), the message in words, two spaces, the bytes:
//   12.345 > request preset 12  F0 00 51 21 05 40 0A 0C F7
#include <cstdint>
#include <string>
#include <string_view>

#include "device/sysex.hpp"

namespace vornix::sysex {

enum class Direction { Sent, Received };
char arrowOf(Direction direction);

std::string plainTraceLine(Direction direction, ByteSpan message);
std::string decodedTraceLine(std::int64_t milliseconds, Direction direction, std::string_view name,
                             ByteSpan message);
// "12.345": milliseconds as seconds with three decimals.
std::string secondsText(std::int64_t milliseconds);

}  // namespace vornix::sysex
