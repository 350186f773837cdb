#include "core/bank_export.hpp"

#include "device/preset_record.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

// An export that hears nothing from the device for 5 s has failed.
constexpr int ReplyTimeoutTicks = 50;

}  // namespace

void BankExport::start(const std::filesystem::path& target) {
    target_ = target;
    active_ = ready_ = true;
    nextPreset_ = nextIr_ = 0;
    irReferenced_.fill(false);
    buffer_.clear();
    waitTicks_ = 0;
    link_.events().transferStarted(Transfer::BankExport);
}

void BankExport::step(bool online) {
    if (!online) {
        active_ = false;
        link_.events().transferEnded(Transfer::BankExport, false);
    } else if (ready_) {
        requestNext();
    } else if (++waitTicks_ > ReplyTimeoutTicks) {
        fail();
    }
}

void BankExport::requestNext() {
    waitTicks_ = 0;
    if (nextPreset_ < NumPresets) {
        link_.requestPreset(nextPreset_++);
        ready_ = false;
        return;
    }
    for (int k = nextIr_; k < NumExportableIrs; ++k) {
        if (!irReferenced_[static_cast<std::size_t>(k)]) continue;
        irReferenced_[static_cast<std::size_t>(k)] = false;
        nextIr_ = k + 1;
        link_.send(sysex::requestIr(static_cast<unsigned>(k)));
        ready_ = false;
        return;
    }
    nextIr_ = NumExportableIrs;
    finish();
}

void BankExport::receivePreset(sysex::ByteSpan message, const sysex::BlockView& dump) {
    for (int position : {7, 8})
        if (const int n = sysex::recordIrNumber(dump.block, position);
            n >= 0 && n < NumExportableIrs)
            irReferenced_[static_cast<std::size_t>(n)] = true;
    if (!append(message)) return;
    link_.events().transferProgress(Transfer::BankExport, nextPreset_ / double(NumPresets));
    ready_ = true;
}

void BankExport::receiveIrChunk(sysex::ByteSpan m) {
    const std::uint8_t command = m[sysex::at::Command];
    if (command != sysex::cmd::IrFirst && command != sysex::cmd::IrMiddle &&
        command != sysex::cmd::IrLast)
        return;
    if (!append(m) || command != sysex::cmd::IrLast) return;
    waitTicks_ = 0;
    link_.events().transferProgress(Transfer::BankExport, nextIr_ / double(NumExportableIrs));
    ready_ = true;
}

// The buffer has a fixed budget; a message that would not fit ends the
// export instead of growing without bound.
bool BankExport::append(sysex::ByteSpan message) {
    if (buffer_.size() + message.size() > BulkBufferCapacity) {
        fail();
        return false;
    }
    buffer_.insert(buffer_.end(), message.begin(), message.end());
    return true;
}

// The file is written before the user is told it worked, and a file that
// cannot be written is reported as such.
void BankExport::finish() {
    active_ = ready_ = false;
    const bool written = storage::writeFile(target_, buffer_, storage::Durability::Durable);
    link_.events().transferEnded(Transfer::BankExport, written);
    link_.showMessage(written ? "Finished successfully!"
                              : "Could not write the bank file " + target_.string());
}

void BankExport::fail() {
    active_ = ready_ = false;
    link_.events().transferEnded(Transfer::BankExport, false);
    link_.showMessage("Communication error!");
}

}  // namespace vornix
