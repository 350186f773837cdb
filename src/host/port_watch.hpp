#pragma once
// Notices that the device's MIDI port went away (the pedal unplugged, the
// simulator stopped) and that a port of the same name is there again (plugged
// back in). RtMidi tells of neither, so the port lists are read on the event
// loop a few times a second (names only; nothing is opened). A port that went
// away is closed; one that is back is opened again by name, and reported only
// once it is open.
#include <functional>
#include <string>
#include <vector>

#include "framework/event_loop.hpp"
#include "host/named_ports.hpp"

namespace vornix::host {

struct PortChange {
    PortDirection direction;
    std::string name;
    bool present;  // false: went away; true: back and open again
};

// "the MIDI port NAME went away", "the MIDI ports A and B are back"; both
// sentences, joined, when one look saw ports go and come.
std::string describePortChanges(const std::vector<PortChange>& changes);
bool anyPortWentAway(const std::vector<PortChange>& changes);

class PortWatch {
  public:
    // Well within a second from unplugging to the report.
    static constexpr int DefaultPollMs = 300;
    // All the changes one look saw, input first.
    using Report = std::function<void(const std::vector<PortChange>&)>;

    PortWatch(EventLoop& loop, NamedPorts& ports, Report report, int pollMs = DefaultPollMs);
    ~PortWatch();
    PortWatch(const PortWatch&) = delete;
    PortWatch& operator=(const PortWatch&) = delete;

    // Watches the port of this name from now on; "" or "off" watches nothing
    // in that direction. A name listed now counts as the open port.
    void watch(PortDirection direction, const std::string& name);
    bool present(PortDirection direction) const;
    // One look at the lists (what the timer runs).
    void check();

  private:
    struct Watched {
        std::string name;  // empty: nothing watched
        bool present = false;
    };
    Watched& watched(PortDirection direction) {
        return direction == PortDirection::Input ? input_ : output_;
    }
    void checkOne(PortDirection direction, std::vector<PortChange>& changes);

    EventLoop& loop_;
    NamedPorts& ports_;
    Report report_;
    EventLoop::TimerId timer_;
    Watched input_;
    Watched output_;
};

}  // namespace vornix::host
