#pragma once
// Collects the 7-bit stream of a chunked transfer (IR upload, IR restore,
// firmware) up to the length its first chunk announced, keeping the running
// sum the last chunk's checksum is compared with.
#include <cstddef>

#include "device/sysex.hpp"

namespace vornix::sim {

class StreamReceiver {
  public:
    explicit StreamReceiver(std::size_t capacity) : capacity_(capacity) {}

    // False (and inactive) when the announced length exceeds the capacity.
    bool begin(std::size_t announcedLength);
    // Appends stream bytes. More than announced marks the transfer overrun:
    // the pedal must not take a longer stream than it made room for.
    void add(sysex::ByteSpan bytes);
    void reset();

    bool active() const { return active_; }
    bool overrun() const { return overrun_; }
    std::size_t announced() const { return announced_; }
    std::size_t received() const { return stream_.size(); }
    std::size_t remaining() const { return announced_ - stream_.size(); }
    // Active, not overrun, every announced byte here and the checksum right.
    bool completeWith(sysex::Checksum sent) const;
    // The 8-bit data the stream carries.
    sysex::Bytes data() const { return sysex::unpackStream(stream_); }

  private:
    std::size_t capacity_;
    std::size_t announced_ = 0;
    bool active_ = false;
    bool overrun_ = false;
    sysex::Bytes stream_;
};

}  // namespace vornix::sim
