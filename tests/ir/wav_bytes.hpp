#pragma once
// In-memory 16-bit PCM WAV files for tests that need sizes or rates the
// committed files do not cover.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vornix::testing {

inline void appendLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void appendId(std::vector<std::uint8_t>& out, std::string_view id) {
    out.insert(out.end(), id.begin(), id.end());
}

// Mono 16-bit PCM; frame k holds sampleAt(k).
template <typename SampleAt>
std::vector<std::uint8_t> makeWav16(std::uint32_t rate, std::uint32_t frames, SampleAt sampleAt) {
    constexpr std::uint32_t formatBytes = 16;
    const std::uint32_t dataBytes = frames * 2;
    std::vector<std::uint8_t> out;
    appendId(out, "RIFF");
    appendLe(out, 4 + 8 + formatBytes + 8 + dataBytes, 4);
    appendId(out, "WAVE");
    appendId(out, "fmt ");
    appendLe(out, formatBytes, 4);
    appendLe(out, 1, 2);  // PCM
    appendLe(out, 1, 2);  // mono
    appendLe(out, rate, 4);
    appendLe(out, rate * 2, 4);
    appendLe(out, 2, 2);
    appendLe(out, 16, 2);
    appendId(out, "data");
    appendLe(out, dataBytes, 4);
    for (std::uint32_t k = 0; k < frames; ++k)
        appendLe(out, static_cast<std::uint16_t>(sampleAt(k)), 2);
    return out;
}

}  // namespace vornix::testing
