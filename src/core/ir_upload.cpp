#include "core/ir_upload.hpp"

namespace vornix {

namespace {

constexpr int AnswerTimeoutTicks = 50;

}  // namespace

void IrUpload::load(std::span<const std::uint8_t> slotFile, unsigned number, bool online) {
    buffer_.load(slotFile);
    target_ = number;
    state_ = online && !buffer_.empty() ? State::Sending : State::Idle;
}

bool IrUpload::step() {
    if (state_ == State::Sending) {
        sendChunk();
        return true;
    }
    if (state_ == State::Idle || ++waitTicks_ <= AnswerTimeoutTicks) return true;
    fail(state_ == State::AwaitingHeader
             ? "no acknowledgement for the first chunk of IR " + std::to_string(target_)
             : "no answer to the last chunk of IR " + std::to_string(target_));
    return false;
}

void IrUpload::sendChunk() {
    const std::size_t total = buffer_.total();
    waitTicks_ = 0;
    if (buffer_.sent() == 0) {
        link_.send(sysex::irFirstChunk(sysex::cmd::IrFirst, target_, static_cast<unsigned>(total),
                                       buffer_.take(sysex::IrChunkBytes)));
        state_ = State::AwaitingHeader;  // the device's 0x63 lets the data follow
        link_.events().emit(&TransferEvents::transferStarted, Transfer::IrUpload);
    } else if (buffer_.remaining() > sysex::IrChunkBytes) {
        link_.send(sysex::irMiddleChunk(sysex::cmd::IrMiddle, buffer_.take(sysex::IrChunkBytes)));
    } else {
        link_.send(sysex::irLastChunk(sysex::cmd::IrLast, buffer_.take(buffer_.remaining()),
                                      buffer_.checksum()));
        state_ = State::AwaitingResult;
    }
    link_.events().emit(&TransferEvents::transferProgress, Transfer::IrUpload,
                        buffer_.sent() / double(total));
}

bool IrUpload::headerAccepted() {
    if (state_ != State::AwaitingHeader) return false;
    state_ = State::Sending;
    return true;
}

bool IrUpload::answered(bool stored) {
    if (state_ != State::AwaitingResult) return false;
    state_ = State::Idle;
    link_.events().emit(&TransferEvents::transferEnded, Transfer::IrUpload, stored);
    return true;
}

void IrUpload::fail(const std::string& text) {
    state_ = State::Idle;
    link_.events().emit(&TransferEvents::transferEnded, Transfer::IrUpload, false);
    link_.showMessage("Communication error: " + text);
}

}  // namespace vornix
