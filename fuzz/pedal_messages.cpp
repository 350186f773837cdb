// Feeds the simulated pedal a stream of messages, as a broken editor or any
// other program on its MIDI port could send them. The input is cut into
// messages at every F7; every reply must still be a whole 7-bit SysEx message.
// At most MaxMessages are fed: a run of short IR requests would otherwise make
// one input pack thousands of IR streams, and a real session sends a handful
// of messages between two answers anyway.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "sim/pedal.hpp"

namespace {

// Building the factory presets and IR library is the slow part of a pedal:
// each input starts from a copy of one built pedal.
const vornix::sim::Pedal& factoryPedal() {
    static const vornix::sim::Pedal pedal;
    return pedal;
}

// The first input byte picks the pedal's faults, so that refused restores
// and failed firmware updates are reached too.
void applyFaults(std::uint8_t bits, vornix::sim::FaultPlan& faults) {
    if (bits & 0x01) faults.refuseRestore(2);
    if (bits & 0x02) faults.failFirmware(true);
    if (bits & 0x04) faults.setRestoreAck(0x7D);
}

constexpr int MaxMessages = 16;

bool isWholeSysEx(const vornix::sysex::Bytes& m) {
    return m.size() >= 2 && m.front() == vornix::sysex::Start && m.back() == vornix::sysex::End &&
           std::all_of(m.begin() + 1, m.end() - 1, [](std::uint8_t b) { return b < 0x80; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    vornix::sim::Pedal pedal = factoryPedal();
    applyFaults(data[0], pedal.faults());
    pedal.setEmitter([](vornix::sysex::Bytes reply, int) {
        if (!isWholeSysEx(reply)) __builtin_trap();
    });
    std::vector<std::uint8_t> message;
    int fed = 0;
    for (std::size_t i = 1; i < size && fed < MaxMessages; ++i) {
        message.push_back(data[i]);
        if (data[i] == vornix::sysex::End) {
            pedal.receive(message);
            message.clear();
            ++fed;
        }
    }
    return 0;
}
