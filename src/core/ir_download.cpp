#include "core/ir_download.hpp"

#include <string>

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr unsigned FourteenBits = 0x3FFF;
// A last chunk: F0 00 51 21 05 66 0A, stream bytes, checksum high, low, F7.
constexpr std::size_t IrLastOverhead = sysex::at::IrChunkData + sysex::StreamChecksumBytes + 1;

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
        if (active_) answer_.insert(answer_.end(), m.begin(), m.end());
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
    announced_ = sysex::read21(m, sysex::at::IrStreamLength);
    expected_ = sysex::unpackedLength(announced_);
    // A stream longer than the decode buffer is refused, never stored in part.
    if (expected_ > IrDecodeCapacity) return;
    active_ = true;
    decoded_.clear();
    answer_.assign(m.begin(), m.end());
    runningSum_ = 0;
    carried_ = 0;
    unpacker_.start(expected_);
    push(m.subspan(sysex::at::IrFirstData, sysex::IrChunkBytes));
    link_.events().emit(&TransferEvents::transferStarted, Transfer::IrDownload);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::IrDownload, 0.0);
}

void IrDownload::push(ByteSpan streamBytes) {
    if (!active_) return;
    carried_ += streamBytes.size();
    for (std::uint8_t b : streamBytes) {
        runningSum_ += b;
        unpacker_.push(b);
    }
    unpacker_.drain([this](std::uint8_t b) { decoded_.push_back(b); });
}

void IrDownload::finish(ByteSpan m) {
    if (!active_) return;
    if (m.size() < IrLastOverhead || m.size() > IrLastOverhead + sysex::IrChunkBytes) {
        active_ = false;
        end(false);
        return;
    }
    answer_.insert(answer_.end(), m.begin(), m.end());
    const std::size_t checksumAt = m.size() - 1 - sysex::StreamChecksumBytes;
    push(m.subspan(sysex::at::IrChunkData, checksumAt - sysex::at::IrChunkData));
    unpacker_.finish();
    unpacker_.drain([this](std::uint8_t b) { decoded_.push_back(b); });
    active_ = false;
    // An IR whose chunks do not make up its length is not stored: it would
    // replace a good cache file with noise.
    if (carried_ != announced_ || !unpacker_.complete()) {
        end(false);
        return;
    }
    if (!checksumAccepted((runningSum_ & FourteenBits) == sysex::read14(m, checksumAt))) return;
    if (received_) received_(number_, decoded_);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::IrDownload, 1.0);
    end(true);
}

bool IrDownload::checksumAccepted(bool addsUp) {
    if (answersFor_ != number_) answers_.clear();
    answersFor_ = number_;
    if (addsUp) {
        answers_.clear();
        return true;
    }
    const std::string which = "IR " + std::to_string(number_);
    switch (answers_.judge(answer_)) {
        case IrAnswers::Verdict::AskAgain:
            link_.events().emit(&MessageEvents::note,
                                which + " does not add up to its checksum: asked again");
            link_.send(sysex::requestIr(number_));
            return false;
        case IrAnswers::Verdict::GiveUp:
            end(false);
            return false;
        case IrAnswers::Verdict::Keep:
            link_.events().emit(
                &MessageEvents::note,
                which + " came twice the same with the device's own checksum: kept");
            return true;
    }
    return false;
}

void IrDownload::end(bool stored) {
    if (pending_ > 0) --pending_;
    if (!stored)
        link_.events().emit(&MessageEvents::message, "IR " + std::to_string(number_) +
                                                         " arrived damaged and was not stored");
    link_.events().emit(&TransferEvents::transferEnded, Transfer::IrDownload, stored);
}

}  // namespace vornix
