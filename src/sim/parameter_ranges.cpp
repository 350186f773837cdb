#include "sim/parameter_ranges.hpp"

#include <algorithm>

namespace vornix::sim {

namespace {

struct Range {
    std::uint8_t minimum;
    std::uint8_t maximum;
    std::uint8_t initial;
};

constexpr Range Knob(std::uint8_t initial) {
    return {0, 127, initial};
}
constexpr Range Switch(std::uint8_t initial) {
    return {0, 1, initial};
}

// Indices 0-73 in order.
constexpr std::array<Range, NumPresetParams> Ranges{{
    Knob(64),  Knob(64),  Knob(64),  Knob(64),  Knob(64),  Knob(64),   // 0-5
    Knob(64),  Knob(64),  Knob(0),   Knob(0),   Knob(64),  Knob(64),   // 6-11
    Knob(64),  Knob(64),  Knob(0),   Knob(64),  Knob(64),  Knob(64),   // 12-17
    Knob(100), {2, 5, 2}, Knob(64),  Knob(127), Knob(0),   Knob(127),  // 18-23
    Knob(0),   Knob(0),   Knob(64),  Knob(64),  Knob(64),  Knob(0),    // 24-29
    Knob(64),  Knob(64),  Knob(64),  Knob(127), Knob(127), Knob(127),  // 30-35
    Knob(127), Knob(0),   Knob(0),   Knob(64),  Switch(0), Switch(0),  // 36-41
    Knob(64),  Knob(64),  Knob(64),  Knob(64),  Knob(64),  Knob(64),   // 42-47
    Knob(64),  Knob(64),  Switch(1), Switch(0), {0, 2, 0}, Knob(0),    // 48-53
    Knob(0),   Knob(0),   Knob(0),   {0, 4, 0}, Knob(0),   Knob(0),    // 54-59
    Switch(0), Knob(64),  Knob(64),  Knob(64),  Knob(32),  Switch(0),  // 60-65
    Knob(0),   Knob(0),   Knob(0),   Knob(0),   Knob(64),  Knob(127),  // 66-71
    Knob(64),  Knob(64),                                               // 72-73
}};

bool isParameter(int index) {
    return index >= 0 && index < NumPresetParams;
}

}  // namespace

std::uint8_t clampParameter(int index, int value) {
    if (!isParameter(index)) return 0;
    const Range& range = Ranges[static_cast<std::size_t>(index)];
    return static_cast<std::uint8_t>(std::clamp<int>(value, range.minimum, range.maximum));
}

int parameterDefault(int index) {
    return isParameter(index) ? Ranges[static_cast<std::size_t>(index)].initial : 0;
}

}  // namespace vornix::sim
