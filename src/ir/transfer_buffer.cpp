#include "ir/transfer_buffer.hpp"

#include <algorithm>

namespace vornix::ir {

bool TransferBuffer::load(sysex::ByteSpan data) {
    if (sysex::packedLength(data.size()) > Capacity) return false;
    image_ = sysex::packStream(data);
    sent_ = 0;
    checksum_ = sysex::checksumOf(image_);
    return true;
}

void TransferBuffer::clear() {
    image_.clear();
    sent_ = 0;
    checksum_ = {};
}

sysex::ByteSpan TransferBuffer::take(std::size_t count) {
    const std::size_t n = std::min(count, remaining());
    sysex::ByteSpan out(image_.data() + sent_, n);
    sent_ += n;
    return out;
}

}  // namespace vornix::ir
