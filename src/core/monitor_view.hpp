#pragma once
// What the MIDI monitor's list shows of the capture, shared by the GTK window
// and the script interface: which messages pass the filters, the row texts and
// the detail of one message. No GTK here.
#include <cstddef>
#include <span>
#include <string>

#include "core/traffic_capture.hpp"

namespace vornix {

struct MonitorFilter {
    // Identification requests sent while the one before is still unanswered:
    // the editor repeats them every few seconds while it looks for the pedal.
    bool hideRepeatedIdentify = false;
    // Refusals, bad checksums, malformed and unknown messages only.
    bool onlyProblems = false;
    // Shown when the name or the hex holds it, whatever the case; empty shows all.
    std::string search;
};

// Applies a filter to the messages oldest first, as they are appended: whether
// an identification request repeats depends on what came before it.
class MonitorFilterPass {
  public:
    explicit MonitorFilterPass(MonitorFilter filter = {});
    bool shows(const CapturedMessage& message);

  private:
    bool matchesSearch(const CapturedMessage& message) const;

    MonitorFilter filter_;
    std::string needle_;  // the search in lower case
    bool identifyUnanswered_ = false;
};

// The first `count` bytes in hex, with "..." when there are more.
std::string firstBytesText(std::span<const std::uint8_t> bytes, std::size_t count);
// The message in words, then every byte: 16 a line after the offset.
std::string detailText(const CapturedMessage& message);
// "1,234 of 5,000 messages", with "; the oldest 12 dropped (at most 100,000
// are held)" once the capture has had to let some go.
std::string monitorStatus(std::size_t shown, const TrafficCapture& capture);
// 100000 -> "100,000".
std::string groupedNumber(std::uint64_t value);

}  // namespace vornix
