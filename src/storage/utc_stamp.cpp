#include "storage/utc_stamp.hpp"

#include <algorithm>
#include <cstdio>

namespace vornix::storage {

namespace {

using namespace std::chrono;

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int numberAt(std::string_view text, std::size_t at, std::size_t length) {
    int value = 0;
    for (char c : text.substr(at, length)) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

Clock systemClock() {
    return [] { return system_clock::now(); };
}

std::string utcStamp(TimePoint time) {
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{floor<seconds>(time - day)};
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::optional<TimePoint> parseUtcStamp(std::string_view text) {
    if (text.size() != UtcStampLength || text[8] != '-' || !allDigits(text.substr(0, 8)) ||
        !allDigits(text.substr(9)))
        return std::nullopt;
    const year_month_day date{year{numberAt(text, 0, 4)},
                              month{static_cast<unsigned>(numberAt(text, 4, 2))},
                              day{static_cast<unsigned>(numberAt(text, 6, 2))}};
    const int h = numberAt(text, 9, 2), m = numberAt(text, 11, 2), s = numberAt(text, 13, 2);
    if (!date.ok() || h > 23 || m > 59 || s > 59) return std::nullopt;
    return sys_days{date} + hours{h} + minutes{m} + seconds{s};
}

int daysBetween(TimePoint then, TimePoint now) {
    if (now <= then) return 0;
    return static_cast<int>(duration_cast<days>(now - then).count());
}

}  // namespace vornix::storage
