#pragma once
// Everything the programs carry inside them: pictures (1x and @2x), the knob SVG, the eight
// factory cabinet WAV files, the manual PDF and the TrueType fonts. The bytes are produced at
// build time and linked in as read-only data; nothing here decodes or allocates.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::resources {

inline constexpr int kFactoryWavCount = 8;

// Names are stored upper-case ("KNOBROTATE.PNG", "KNOBROTATE@2X.PNG"); the lookup upper-cases
// its argument too. A missing name gives an empty span.
std::span<const std::uint8_t> find(std::string_view upperCaseName);

// Every embedded name, in table order.
std::vector<std::string_view> names();

// index 0..7 -> "01-Tarmilo.wav" .. "08-Aldric V30.wav"; out of range gives empty.
std::span<const std::uint8_t> factoryWav(int index);
std::string_view factoryWavFileName(int index);

// "Quellix_TRDV_VX_OM1.pdf"
std::span<const std::uint8_t> manualPdf();
std::string_view manualFileName();

// Font ids used by the pages: "Roboto-Regular", "Font7Seg", "Fontknow".
std::span<const std::uint8_t> font(std::string_view fontId);

}  // namespace vornix::resources
