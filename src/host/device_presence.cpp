#include "host/device_presence.hpp"

#include <algorithm>

namespace vornix::host {

std::string DevicePresence::update(const std::vector<PortChange>& changes) {
    const bool wasAway = away();
    for (const PortChange& change : changes) {
        const auto known = std::find(portsAway_.begin(), portsAway_.end(), change.name);
        if (change.present) {
            if (known != portsAway_.end()) portsAway_.erase(known);
            continue;
        }
        if (known != portsAway_.end()) continue;
        portsAway_.push_back(change.name);
        const bool named =
            std::any_of(wentAway_.begin(), wentAway_.end(),
                        [&](const PortChange& gone) { return gone.name == change.name; });
        if (!named) wentAway_.push_back(change);
    }
    if (!wasAway && away()) return describePortChanges(wentAway_);
    if (!wasAway || away()) return {};
    std::vector<PortChange> back = std::move(wentAway_);
    wentAway_.clear();
    for (PortChange& change : back) change.present = true;
    return describePortChanges(back);
}

}  // namespace vornix::host
