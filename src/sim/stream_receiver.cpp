#include "sim/stream_receiver.hpp"

#include <algorithm>

namespace vornix::sim {

bool StreamReceiver::begin(std::size_t announcedLength) {
    reset();
    if (announcedLength > capacity_) return false;
    announced_ = announcedLength;
    stream_.reserve(announcedLength);
    active_ = true;
    return true;
}

void StreamReceiver::add(sysex::ByteSpan bytes) {
    if (!active_) return;
    const std::size_t room = remaining();
    if (bytes.size() > room) overrun_ = true;
    const std::size_t taken = std::min(bytes.size(), room);
    stream_.insert(stream_.end(), bytes.begin(),
                   bytes.begin() + static_cast<std::ptrdiff_t>(taken));
}

void StreamReceiver::reset() {
    announced_ = 0;
    active_ = false;
    overrun_ = false;
    stream_.clear();
}

bool StreamReceiver::completeWith(sysex::Checksum sent) const {
    return active_ && !overrun_ && stream_.size() == announced_ &&
           sysex::checksumOf(stream_) == sent;
}

}  // namespace vornix::sim
