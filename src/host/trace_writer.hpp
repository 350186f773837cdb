#pragma once
// The --trace of the three programs: every message both ways, one line each,
// plain ("> F0 00 ...", the format scripts parse) or decoded ("12.345 > request
// preset 12  F0 00 ..."). The decoded lines follow the conversation, so a
// writer sees every message of one link in order.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

#include "device/message_decoder.hpp"
#include "device/trace_lines.hpp"

namespace vornix::host {

enum class TraceMode { Off, Plain, Decoded };

// "--trace" is Plain and "--trace=decoded" Decoded; nothing for any other word.
std::optional<TraceMode> traceOption(std::string_view argument);

class TraceWriter {
  public:
    using Clock = std::function<std::int64_t()>;

    // `self` is the side of the link this program plays: the editor's
    // programs send as the editor, the simulator as the device.
    TraceWriter(TraceMode mode, std::ostream* out, Clock clock,
                sysex::Sender self = sysex::Sender::Editor);

    bool on() const { return mode_ != TraceMode::Off && out_; }
    void sent(std::span<const std::uint8_t> message);
    void received(std::span<const std::uint8_t> message);
    // A line of its own ("# ..."), for the programs' notes beside the traffic.
    void note(std::string_view text);

  private:
    void write(sysex::Direction direction, std::span<const std::uint8_t> message);

    TraceMode mode_;
    std::ostream* out_;
    Clock clock_;
    sysex::Sender self_;
    sysex::Conversation conversation_;
    // The simulator's sends may come from timers while a reception is written.
    std::mutex mutex_;
};

}  // namespace vornix::host
