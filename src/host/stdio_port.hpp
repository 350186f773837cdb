#pragma once
// The device as a text stream: every message sent is one line of upper-case
// hex bytes ("F0 00 51 21 05 55 0A 0F F7") written and flushed at once; every
// line read from the input (any case; blank lines and '#' comments skipped)
// is one message received. Lets any outside program play the device.
#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "device/sysex.hpp"
#include "framework/event_loop.hpp"
#include "framework/midi_port.hpp"

namespace vornix::host {

class StdioPort : public MidiPort {
  public:
    // Reads `inputFd` on a thread of its own (the fd stays open; the caller
    // owns it). Malformed lines are reported to `errors`, once each.
    StdioPort(EventLoop& loop, std::ostream& output, int inputFd, std::ostream& errors);
    // Stops and joins the reader without waiting for more input.
    ~StdioPort() override;
    StdioPort(const StdioPort&) = delete;
    StdioPort& operator=(const StdioPort&) = delete;

    bool send(std::span<const std::uint8_t> message) override;
    void setReceiver(Receiver receiver) override;
    // Posted to the loop when the input ends (or cannot be read).
    void setOnEndOfInput(std::function<void()> onEnd);

    // A line far longer than the largest message is not hex we can use.
    static constexpr std::size_t MaxLineChars = 3 * 65536;

  private:
    void readLoop();
    void handleLine(std::string_view line);
    void finish();

    EventLoop& loop_;
    std::ostream& output_;
    std::ostream& errors_;
    int inputFd_;
    int stopPipe_[2] = {-1, -1};
    std::mutex outputMutex_;
    std::mutex receiverMutex_;
    Receiver receiver_;
    std::vector<sysex::Bytes> early_;  // read before a receiver was set
    std::function<void()> onEnd_;
    bool ended_ = false;
    std::size_t lineNumber_ = 0;
    std::thread reader_;
};

}  // namespace vornix::host
