// settings.ini as a damaged disk or a hand edit could leave it: every value
// is read within its buffer, and the draw scale stays a usable size.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "host/host_settings.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vornix::host::HostSettings settings = vornix::host::parseSettings(text);
    // Text values are read into 100-byte buffers, terminator included.
    for (const auto* value :
         {&settings.audioInput, &settings.audioOutput, &settings.midiInput, &settings.midiOutput})
        if (value->size() > 99) __builtin_trap();
    const double scale = vornix::host::parseScale(text);
    if (!std::isfinite(scale) || scale <= 0) __builtin_trap();
    return 0;
}
