#include "core/ir_upload.hpp"

namespace vornix {

void IrUpload::load(std::span<const std::uint8_t> slotFile, unsigned number, bool online) {
    buffer_.load(slotFile);
    target_ = number;
    if (online) ready_ = true;
}

void IrUpload::step() {
    const std::size_t total = buffer_.total();
    if (total == 0) {
        ready_ = false;
        return;
    }
    if (buffer_.sent() == 0) {
        link_.send(sysex::irFirstChunk(sysex::cmd::IrFirst, target_, static_cast<unsigned>(total),
                                       buffer_.take(sysex::IrChunkBytes)));
        ready_ = false;  // the device's 0x63 lets the data follow
        link_.events().transferStarted(Transfer::IrUpload);
        link_.events().transferProgress(Transfer::IrUpload, buffer_.sent() / double(total));
    } else if (buffer_.remaining() > sysex::IrChunkBytes) {
        link_.send(sysex::irMiddleChunk(sysex::cmd::IrMiddle, buffer_.take(sysex::IrChunkBytes)));
        link_.events().transferProgress(Transfer::IrUpload, buffer_.sent() / double(total));
    } else {
        link_.send(sysex::irLastChunk(sysex::cmd::IrLast, buffer_.take(buffer_.remaining()),
                                      buffer_.checksum()));
        ready_ = false;
        link_.events().transferEnded(Transfer::IrUpload, true);
    }
}

}  // namespace vornix
