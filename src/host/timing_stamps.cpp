#include "host/timing_stamps.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>

namespace vornix::host {

namespace {

// A 128-preset sync stamps about 1,200 times on the editor's side.
constexpr std::size_t Capacity = 1 << 16;

struct Entry {
    std::int64_t micros = 0;
    Stamp point = Stamp::MidiIn;
};

std::atomic<bool> enabled{false};
std::atomic<std::size_t> used{0};
std::array<Entry, Capacity> entries;
std::string outputPath;

std::int64_t nowMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void writeAtExit() {
    writeTimingStamps(outputPath);
}

}  // namespace

const char* stampName(Stamp stamp) {
    switch (stamp) {
        case Stamp::MidiIn:
            return "midi-in";
        case Stamp::Handle:
            return "handle";
        case Stamp::SlotWritten:
            return "slot-written";
        case Stamp::Sent:
            return "sent";
    }
    return "?";
}

void startTimingStamps() {
    const char* path = std::getenv("VORNIX_TIMING_STAMPS");
    if (!path || !*path || enabled.load()) return;
    outputPath = path;
    enabled.store(true);
    std::atexit(writeAtExit);
}

void stamp(Stamp point) {
    if (!enabled.load(std::memory_order_relaxed)) return;
    const std::size_t index = used.fetch_add(1, std::memory_order_relaxed);
    if (index >= Capacity) return;
    entries[index] = {nowMicros(), point};
}

bool writeTimingStamps(const std::string& path) {
    std::ofstream out(path);
    if (!out) return false;
    // Written at exit, once the MIDI threads are joined.
    const std::size_t count = std::min(used.load(), Capacity);
    for (std::size_t i = 0; i < count; ++i)
        out << entries[i].micros << ' ' << stampName(entries[i].point) << '\n';
    return static_cast<bool>(out);
}

}  // namespace vornix::host
