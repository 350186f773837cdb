#include "core/ir_download.hpp"

#include <string>

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr unsigned FourteenBits = 0x3FFF;

}  // namespace

void IrDownload::request(unsigned number, bool counted) {
    if (counted) ++pending_;
    link_.send(sysex::requestIr(number));
}

void IrDownload::receive(ByteSpan m) {
    const std::uint8_t command = m[sysex::at::Command];
    if (command == sysex::cmd::IrFirst) {
        start(m);
    } else if (command == sysex::cmd::IrMiddle && m.size() == sysex::IrMiddleSize) {
        push(m.subspan(sysex::at::IrChunkData, sysex::IrChunkBytes));
        if (active_ && expected_ > 0)
            link_.events().emit(&TransferEvents::transferProgress, Transfer::IrDownload,
                                decoded_.size() / double(expected_));
    } else if (command == sysex::cmd::IrLast) {
        finish(m);
    }
}

void IrDownload::start(ByteSpan m) {
    active_ = false;
    if (m.size() != sysex::IrFirstSize) return;
    number_ = sysex::read14(m, sysex::at::IrNumber);
    expected_ = sysex::unpackedLength(sysex::read21(m, sysex::at::IrStreamLength));
    // A stream longer than the decode buffer is refused, never stored in part.
    if (expected_ > IrDecodeCapacity) return;
    active_ = true;
    decoded_.clear();
    runningSum_ = 0;
    unpacker_.start(expected_);
    push(m.subspan(sysex::at::IrFirstData, sysex::IrChunkBytes));
    link_.events().emit(&TransferEvents::transferStarted, Transfer::IrDownload);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::IrDownload, 0.0);
}

void IrDownload::push(ByteSpan streamBytes) {
    if (!active_) return;
    for (std::uint8_t b : streamBytes) {
        runningSum_ += b;
        unpacker_.push(b);
    }
    unpacker_.drain([this](std::uint8_t b) { decoded_.push_back(b); });
}

void IrDownload::finish(ByteSpan m) {
    const std::size_t dataStart = sysex::at::IrChunkData;
    if (!active_ || m.size() < dataStart + sysex::StreamChecksumBytes + 1) return;
    const std::size_t checksumAt = m.size() - 1 - sysex::StreamChecksumBytes;
    push(m.subspan(dataStart, checksumAt - dataStart));
    unpacker_.finish();
    unpacker_.drain([this](std::uint8_t b) { decoded_.push_back(b); });
    active_ = false;
    if (pending_ > 0) --pending_;
    // An IR whose bytes do not add up is not stored: it would replace a good
    // cache file with noise.
    if ((runningSum_ & FourteenBits) != sysex::read14(m, checksumAt) || !unpacker_.complete()) {
        link_.events().emit(&MessageEvents::message, "IR " + std::to_string(number_) +
                                                         " arrived damaged and was not stored");
        link_.events().emit(&TransferEvents::transferEnded, Transfer::IrDownload, false);
        return;
    }
    if (received_) received_(number_, decoded_);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::IrDownload, 1.0);
    link_.events().emit(&TransferEvents::transferEnded, Transfer::IrDownload, true);
}

}  // namespace vornix
