#pragma once
// Folds a port watch's reports into the device going away and coming back as
// a whole, for a user who should be told once each way: on JACK a device's
// input and output may go one look at the port lists apart.
#include <string>
#include <vector>

#include "host/port_watch.hpp"

namespace vornix::host {

class DevicePresence {
  public:
    // What to tell the user about these changes: "the MIDI port ... went away"
    // when the first of the device's ports went, "... is back" (naming every
    // port that went) when the last one is back, else nothing.
    std::string update(const std::vector<PortChange>& changes);
    bool away() const { return !portsAway_.empty(); }

  private:
    std::vector<std::string> portsAway_;
    // Every port that went since the device was last whole, once each.
    std::vector<PortChange> wentAway_;
};

}  // namespace vornix::host
