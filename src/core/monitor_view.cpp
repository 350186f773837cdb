#include "core/monitor_view.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vornix {

namespace {

constexpr std::size_t DetailBytesPerLine = 16;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isIdentifyRequest(const CapturedMessage& message) {
    static const sysex::Bytes request = sysex::requestPage(sysex::page::Identify);
    return message.direction == sysex::Direction::Sent && message.bytes == request;
}

}  // namespace

MonitorFilterPass::MonitorFilterPass(MonitorFilter filter)
    : filter_(std::move(filter)), needle_(lowered(filter_.search)) {}

bool MonitorFilterPass::shows(const CapturedMessage& message) {
    bool repeated = false;
    if (message.direction == sysex::Direction::Received) {
        identifyUnanswered_ = false;
    } else if (isIdentifyRequest(message)) {
        repeated = identifyUnanswered_;
        identifyUnanswered_ = true;
    }
    if (repeated && filter_.hideRepeatedIdentify) return false;
    if (filter_.onlyProblems && !message.isProblem()) return false;
    return needle_.empty() || matchesSearch(message);
}

bool MonitorFilterPass::matchesSearch(const CapturedMessage& message) const {
    return lowered(message.name).find(needle_) != std::string::npos ||
           lowered(sysex::toHex(message.bytes)).find(needle_) != std::string::npos;
}

std::string firstBytesText(std::span<const std::uint8_t> bytes, std::size_t count) {
    if (bytes.size() <= count) return sysex::toHex(bytes);
    return sysex::toHex(bytes.first(count)) + " ...";
}

std::string detailText(const CapturedMessage& message) {
    std::string text = sysex::secondsText(message.milliseconds) + " s  " +
                       (message.direction == sysex::Direction::Sent ? "sent" : "received") + ", " +
                       std::to_string(message.bytes.size()) + " bytes";
    if (message.isProblem()) text += std::string(", ") + sysex::describe(message.verdict);
    text += "\n" + message.name + "\n";
    const std::span<const std::uint8_t> bytes(message.bytes);
    for (std::size_t offset = 0; offset < bytes.size(); offset += DetailBytesPerLine) {
        char label[32];
        std::snprintf(label, sizeof label, "\n%04zu  ", offset);
        text += label;
        text += sysex::toHex(
            bytes.subspan(offset, std::min(DetailBytesPerLine, bytes.size() - offset)));
    }
    return text;
}

std::string groupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::ptrdiff_t at = std::ptrdiff_t(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string monitorStatus(std::size_t shown, const TrafficCapture& capture) {
    std::string text =
        groupedNumber(shown) + " of " + groupedNumber(capture.messages().size()) + " messages";
    if (capture.dropped() > 0)
        text += "; the oldest " + groupedNumber(capture.dropped()) + " dropped (at most " +
                groupedNumber(capture.limit()) + " are held)";
    return text;
}

}  // namespace vornix
