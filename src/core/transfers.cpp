#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"

namespace vornix {

namespace {

// A bank transfer that hears nothing from the device for 5 s has failed.
constexpr int BankReplyTimeoutTicks = 50;

}  // namespace

// The first applicable transfer gets this tick; a bank import holds back the
// export, the keep-alive, the bulk read and IR uploads, a firmware upload
// holds back everything.
void VornixControl::transferStep() {
    if (link_.firmwareUploadActive) {
        firmwareStep();
        return;
    }
    if (firmwareAwaitingResult_) {
        firmwareResultWaitStep();
        return;
    }
    if (link_.importActive) {
        if (!link_.online) return;
        if (!link_.importReady) {
            if (bankTransferTimedOut()) handleRestoreRefused();
            return;
        }
        link_.lockPending ? beginTransferStep() : importStep();
        return;
    }
    if (link_.exportActive) {
        if (!link_.online) {
            link_.exportActive = false;
            events().bankExportFinished(false);
        } else if (link_.exportReady) {
            exportStep();
        } else if (bankTransferTimedOut()) {
            abandonBankExport();
        }
        return;
    }
    if (!link_.online) {
        keepAliveStep();
        return;
    }
    if (link_.presetDownloadActive && link_.presetDownloadSlot == -1) {
        link_.lockPending ? beginTransferStep() : startBulkRead();
        return;
    }
    if (link_.irUploadReady) irUploadStep();
}

bool VornixControl::bankTransferTimedOut() {
    return ++link_.transferWaitTicks > BankReplyTimeoutTicks;
}

void VornixControl::beginTransferStep() {
    link_.lockPending = false;
    sendToDevice(sysex::beginTransfer());
}

void VornixControl::startBulkRead() {
    link_.downloadTotal =
        static_cast<int>(std::count(link_.presetPending.begin(), link_.presetPending.end(), true));
    link_.downloadDone = 0;
    const auto first = std::find(link_.presetPending.begin(), link_.presetPending.end(), true);
    if (first == link_.presetPending.end()) {
        // Nothing left to read after all: carry on as a finished read would.
        link_.presetDownloadActive = false;
        requestGlobalPage(sysex::page::Settings);
        return;
    }
    link_.presetDownloadSlot = static_cast<int>(first - link_.presetPending.begin());
    requestPreset(link_.presetDownloadSlot);
    setProgress(0.0);
    if (view_) view_->showGroup(group::Progress);
}

void VornixControl::irUploadStep() {
    sysex::TransferBuffer& buffer = transfer;
    const std::size_t total = buffer.total();
    if (total == 0) {
        link_.irUploadReady = false;
        return;
    }
    if (buffer.sent() == 0) {
        sendToDevice(sysex::irFirstChunk(sysex::cmd::IrFirst, static_cast<unsigned>(libraryIndex),
                                         static_cast<unsigned>(total),
                                         buffer.take(sysex::IrChunkBytes)));
        link_.irUploadReady = false;  // the device's 0x63 lets the data follow
        setProgress(buffer.sent() / double(total));
        if (view_) view_->showGroup(group::Progress);
    } else if (buffer.remaining() > sysex::IrChunkBytes) {
        sendToDevice(sysex::irMiddleChunk(sysex::cmd::IrMiddle, buffer.take(sysex::IrChunkBytes)));
        setProgress(buffer.sent() / double(total));
    } else {
        sendToDevice(sysex::irLastChunk(sysex::cmd::IrLast, buffer.take(buffer.remaining()),
                                        buffer.checksum()));
        link_.irUploadReady = false;
        setProgress(0.0);
        if (view_) view_->hideGroup(group::Progress);
    }
}

void VornixControl::irRequestStep() {
    link_.irRequestPending = false;
    if (link_.userIrTarget == UserIrTarget::Ir7)
        requestIr(static_cast<unsigned>(link_.ir7Slot));
    else if (link_.userIrTarget == UserIrTarget::Ir8)
        requestIr(static_cast<unsigned>(link_.ir8Slot));
}

}  // namespace vornix
