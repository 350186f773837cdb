#include "host/port_watch.hpp"

#include <algorithm>

#include "host/host_settings.hpp"
#include "host/port_names.hpp"

namespace vornix::host {

namespace {

std::string joinedNames(const std::vector<const PortChange*>& changes) {
    std::string text;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (i > 0) text += i + 1 == changes.size() ? " and " : ", ";
        text += changes[i]->name;
    }
    return text;
}

std::string sentence(const std::vector<const PortChange*>& changes, const char* one,
                     const char* several) {
    const bool single = changes.size() == 1;
    return std::string(single ? "the MIDI port " : "the MIDI ports ") + joinedNames(changes) +
           (single ? one : several);
}

}  // namespace

std::string describePortChanges(const std::vector<PortChange>& changes) {
    std::vector<const PortChange*> gone;
    std::vector<const PortChange*> back;
    for (const PortChange& change : changes) (change.present ? back : gone).push_back(&change);
    std::string text;
    if (!gone.empty()) text = sentence(gone, " went away", " went away");
    if (!back.empty()) {
        if (!text.empty()) text += "; ";
        text += sentence(back, " is back", " are back");
    }
    return text;
}

bool anyPortWentAway(const std::vector<PortChange>& changes) {
    return std::any_of(changes.begin(), changes.end(),
                       [](const PortChange& change) { return !change.present; });
}

PortWatch::PortWatch(EventLoop& loop, NamedPorts& ports, Report report, int pollMs)
    : loop_(loop),
      ports_(ports),
      report_(std::move(report)),
      timer_(loop.every(pollMs, [this] { check(); })) {}

PortWatch::~PortWatch() {
    loop_.cancel(timer_);
}

void PortWatch::watch(PortDirection direction, const std::string& name) {
    Watched& entry = watched(direction);
    entry.name = name == PortOff ? std::string() : name;
    entry.listed.clear();
    entry.present = false;
    if (entry.name.empty()) return;
    const PortMatch match = matchStoredPort(ports_.ports(direction), entry.name);
    entry.present = match.count > 0;
    entry.listed = match.name;
}

bool PortWatch::present(PortDirection direction) const {
    return (direction == PortDirection::Input ? input_ : output_).present;
}

bool PortWatch::waiting() const {
    auto missing = [](const Watched& entry) { return !entry.name.empty() && !entry.present; };
    return missing(input_) || missing(output_);
}

void PortWatch::check() {
    std::vector<PortChange> changes;
    checkOne(PortDirection::Input, changes);
    checkOne(PortDirection::Output, changes);
    if (!changes.empty() && report_) report_(changes);
}

void PortWatch::checkOne(PortDirection direction, std::vector<PortChange>& changes) {
    Watched& entry = watched(direction);
    if (entry.name.empty()) return;
    const auto listed = ports_.ports(direction);
    if (entry.present) {
        if (std::find(listed.begin(), listed.end(), entry.listed) != listed.end()) return;
        // Nothing is sent into a port that is not there, and the one that
        // comes back is opened afresh.
        ports_.lost(direction);
        entry.present = false;
        changes.push_back({direction, entry.listed, false});
        return;
    }
    const PortMatch match = matchStoredPort(listed, entry.name);
    // A port that is listed but does not open yet (still being set up) is
    // tried again at the next look.
    if (match.count == 0 || !ports_.open(direction, match.name)) return;
    entry.present = true;
    entry.listed = match.name;
    changes.push_back({direction, match.name, true, match.count});
}

}  // namespace vornix::host
