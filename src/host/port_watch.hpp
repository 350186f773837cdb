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
    std::string name;  // as listed now (or last, for a port that went)
    bool present;      // false: went away; true: back and open again
    // Ports that fitted the watched name when it was opened; the first was taken.
    std::size_t matching = 1;
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
    // in that direction. A port listed now under that name counts as open.
    void watch(PortDirection direction, const std::string& name);
    bool present(PortDirection direction) const;
    // True while a direction is watched and its port is not there.
    bool waiting() const;
    // One look at the lists (what the timer runs).
    void check();

  private:
    struct Watched {
        std::string name;    // as stored; empty: nothing watched
        std::string listed;  // the port that fitted it when it was last there
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
