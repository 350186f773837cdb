#pragma once
// Questions tests ask about the messages the editor sent.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "device/sysex.hpp"

namespace vornix::testing {

// Family-05 command of a message, or 0x100 + command for the firmware family.
inline int commandKey(const std::vector<std::uint8_t>& m) {
    if (m.size() <= sysex::at::Command) return -1;
    return m[sysex::at::Family] == sysex::family::Firmware ? 0x100 + m[sysex::at::Command]
                                                           : m[sysex::at::Command];
}

inline std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

}  // namespace vornix::testing
