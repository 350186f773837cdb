#include "core/bulk_read.hpp"

#include <string>

namespace vornix {

namespace {

constexpr int MaxRetries = 3;

}  // namespace

bool BulkRead::armFrom(const sysex::PresetChecksums& device) {
    if (!cache_.compareWithDevice(device)) return false;
    active_ = true;
    slot_ = -1;
    link_.armBeginTransfer();
    return true;
}

void BulkRead::startStep() {
    if (link_.beginTransferPending()) {
        link_.sendBeginTransfer();
        return;
    }
    total_ = cache_.pendingCount();
    done_ = 0;
    slot_ = cache_.firstPending();
    if (slot_ < 0) {
        // Nothing left to read after all: carry on as a finished read would.
        active_ = false;
        link_.requestPage(sysex::page::Settings);
        return;
    }
    link_.requestPreset(slot_);
    link_.events().emit(&TransferEvents::transferStarted, Transfer::BulkRead);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BulkRead, 0.0);
}

bool BulkRead::receive(const sysex::BlockView& dump, int patchOffset) {
    if (!dump.checksumOk) {
        link_.requestPreset(slot_);
        return false;
    }
    // One request at a time: a repeated or late reply for another slot would
    // start a second chain of requests beside the first.
    if (dump.number != slot_) {
        link_.events().emit(&MessageEvents::note, "ignored preset " + std::to_string(dump.number) +
                                                      " while reading " + std::to_string(slot_));
        return false;
    }
    const int slot = dump.number;
    retries_ = 0;
    if (changedOnPedal_) changedOnPedal_(slot);
    cache_.store(slot, dump.block, dump.sent);
    cache_.setRowFromName(slot, slot + patchOffset,
                          dump.block.subspan(sysex::record::Name, sysex::NameBytes));
    slot_ = cache_.firstPending();
    if (slot_ < 0) {
        finish();
        return true;
    }
    ++done_;
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BulkRead,
                        total_ > 0 ? static_cast<double>(done_) / total_ : 1.0);
    link_.requestPreset(slot_);
    return false;
}

void BulkRead::finish() {
    active_ = false;
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BulkRead, 1.0);
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BulkRead, true);
    link_.requestPage(sysex::page::Settings);
}

// A bulk read waits for one reply at a time, so a single request lost on a
// busy MIDI link would stall it for good. The slot is asked for again a few
// times before the read is left to RECONNECT.
void BulkRead::retryRequest() {
    if (!active_ || slot_ < 0 || retries_ >= MaxRetries) return;
    ++retries_;
    link_.requestPreset(slot_);
}

}  // namespace vornix
