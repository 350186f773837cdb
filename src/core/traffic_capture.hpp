#pragma once
// What the MIDI monitor shows: the editor's traffic with the device, each
// message stamped with the event loop's time, its direction and its name in
// words. It holds at most `limit` messages: the oldest go first, and the
// count of those dropped is kept so the monitor can say so. No GTK here: the
// window only shows what this holds, and the script interface reads it too.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/editor_events.hpp"
#include "core/result.hpp"
#include "device/message_decoder.hpp"
#include "device/trace_lines.hpp"
#include "framework/event_loop.hpp"

namespace vornix {

struct CapturedMessage {
    std::uint64_t sequence = 0;     // 1 for the first message since the capture began
    std::int64_t milliseconds = 0;  // the loop's time
    sysex::Direction direction = sysex::Direction::Sent;  // sent by the editor, or received
    sysex::Verdict verdict = sysex::Verdict::Ok;
    std::string name;
    std::vector<std::uint8_t> bytes;

    // Refusals, bad checksums, malformed and unknown messages.
    bool isProblem() const { return verdict != sysex::Verdict::Ok; }
    // The decoded trace's line: "12.345 > request preset 12  F0 00 ...".
    std::string line() const;
};

class TrafficCapture : public TrafficEvents {
  public:
    static constexpr std::size_t DefaultLimit = 100000;

    explicit TrafficCapture(const EventLoop& loop, std::size_t limit = DefaultLimit);

    void messageSent(std::span<const std::uint8_t> message) override;
    void messageReceived(std::span<const std::uint8_t> message) override;

    // Oldest first.
    const std::deque<CapturedMessage>& messages() const { return messages_; }
    // The messages with a sequence number from `first` on, oldest first.
    std::vector<const CapturedMessage*> from(std::uint64_t first) const;
    std::vector<const CapturedMessage*> all() const { return from(0); }
    // The message with this sequence number, or null once it is dropped or cleared.
    const CapturedMessage* find(std::uint64_t sequence) const;
    // Messages dropped since the last clear to keep within the limit.
    std::uint64_t dropped() const { return dropped_; }
    // The sequence number the next message will get.
    std::uint64_t nextSequence() const { return nextSequence_; }
    std::size_t limit() const { return limit_; }
    // Forgets every message and the conversation; the sequence goes on.
    void clear();

  private:
    void add(sysex::Direction direction, std::span<const std::uint8_t> message);

    const EventLoop& loop_;
    std::size_t limit_;
    sysex::Conversation conversation_;
    std::deque<CapturedMessage> messages_;
    std::uint64_t nextSequence_ = 1;
    std::uint64_t dropped_ = 0;
};

// The messages one after another, as sent: a .syx file any SysEx librarian
// (and the bank file reader) splits into the same messages. What does not
// run from F0 to F7 is left out: it would run into the next message.
Result saveSyx(const std::filesystem::path& path, std::span<const CapturedMessage* const> messages);
// One decoded line a message.
Result saveText(const std::filesystem::path& path,
                std::span<const CapturedMessage* const> messages);
// .syx by the file's extension (any case), text otherwise.
Result saveCapture(const std::filesystem::path& path,
                   std::span<const CapturedMessage* const> messages);

}  // namespace vornix
