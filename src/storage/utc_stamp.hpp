#pragma once
// Times in the names of kept versions and backups: "YYYYMMDD-HHMMSS", always
// UTC, so that names sort by time and a change of time zone or daylight
// saving neither reorders nor renames anything.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vornix::storage {

using TimePoint = std::chrono::system_clock::time_point;
// Where "now" comes from: the system clock in the programs, a hand-set one in tests.
using Clock = std::function<TimePoint()>;
Clock systemClock();

inline constexpr std::size_t UtcStampLength = 15;

std::string utcStamp(TimePoint time);
// The time a stamp names, or nothing for any text that is not one.
std::optional<TimePoint> parseUtcStamp(std::string_view text);

// Whole days from `then` to `now` (0 for a time in the future).
int daysBetween(TimePoint then, TimePoint now);

}  // namespace vornix::storage
