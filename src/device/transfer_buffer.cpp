#include "device/transfer_buffer.hpp"

#include <algorithm>

namespace vornix::sysex {

bool TransferBuffer::load(ByteSpan data) {
    if (packedLength(data.size()) > Capacity) return false;
    image_ = packStream(data);
    sent_ = 0;
    checksum_ = checksumOf(image_);
    return true;
}

void TransferBuffer::clear() {
    image_.clear();
    sent_ = 0;
    checksum_ = {};
}

ByteSpan TransferBuffer::take(std::size_t count) {
    const std::size_t n = std::min(count, remaining());
    ByteSpan out(image_.data() + sent_, n);
    sent_ += n;
    return out;
}

}  // namespace vornix::sysex
