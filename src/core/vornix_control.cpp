#include "core/vornix_control.hpp"

#include <algorithm>

#include "device/sysex.hpp"

namespace vornix {

VornixControl::VornixControl(EventLoop& loop, storage::DataFolder dataFolder, Platform& platform)
    : loop_(loop), link_(platform), cache_(link_, std::move(dataFolder)) {
    params_ = buildParameterCatalogue();
    link_.events().add(history_);
    link_.events().add(comparison_);
    link_.events().add(backups_);
    firmware_.setBeforeUpdate(
        [this](std::function<void()> update) { backUpBeforeFirmware(std::move(update)); });
    bulkRead_.setOnChangedOnPedal(
        [this](int slot) { keeper_.keepCached(slot, storage::KeepReason::ChangedOnPedal); });
    irDownload_.setOnReceived([this](unsigned number, std::span<const std::uint8_t> bytes) {
        storeReceivedIr(number, bytes);
    });
    startDeviceTimer();
    idleTimer_ = loop_.every(IdleTickMs, [this] {
        if (queuedValueSink_)
            queuedValueSink_();
        else
            drainQueuedValues([](int, double) {});
        idleTick();
    });
}

VornixControl::~VornixControl() {
    // Nothing may reach the device once the editor is gone.
    loop_.cancel(deviceTimer_);
    loop_.cancel(idleTimer_);
    link_.setSender(nullptr);
}

void VornixControl::renderAudioBlock(std::span<double* const> outputs, int frames) {
    for (double* channel : outputs) std::fill_n(channel, frames, 0.0);
}

// ---- the two ticks ------------------------------------------------------------------

void VornixControl::idleTick() {
    readoutTick();
    faceplate_.tick();
    link_.showPendingMessage();
}

void VornixControl::startDeviceTimer() {
    deviceTimer_ = loop_.every(DeviceTickMs, [this] { deviceTick(); });
}

// A read armed by a reply waits for the next device tick to send its
// begin-transfer message. Waiting for the timer's phase as well would only
// add up to a tick of idle time, so the tick runs now and the timer counts
// its 100 ms from here: the pause between the begin-transfer message and the
// first request stays one whole tick.
void VornixControl::tickAtOnce() {
    loop_.cancel(deviceTimer_);
    deviceTimer_ = loop_.after(0, [this] {
        startDeviceTimer();
        deviceTick();
    });
}

// One step per tick, in this order: the watches of unanswered requests; what
// the device reported since the last tick; the fetch of an edited user IR; then
// the first transfer that applies.
void VornixControl::deviceTick() {
    if (link_.presetWatchExpired()) presetRequestUnanswered();
    if (online()) link_.pageWatchTick();
    if (factoryResetCompleted_) {
        finishFactoryReset();
        return;
    }
    backups_.tick();
    if (slotWrite_.restoring() && !bankImport_.active()) {
        finishSlotWriteRestore(bankImport_.takeFinished() && bankImport_.succeeded());
        return;
    }
    if (bankImport_.takeFinished()) {
        finishBankImport();
        return;
    }
    if (irDownload_.takeRequestDue()) {
        if (userIrTarget_ != UserIrTarget::None)
            requestIr(
                static_cast<unsigned>(userIrTarget_ == UserIrTarget::Ir7 ? ir7Slot_ : ir8Slot_));
        return;
    }
    transferStep();
}

// A firmware update holds back everything; a bank import holds back the
// export, the keep-alive, the bulk read and IR uploads.
void VornixControl::transferStep() {
    if (firmware_.holdsTheTick())
        firmware_.step();
    else if (bankImport_.active())
        bankImport_.step(online());
    else if (bankExport_.active())
        bankExport_.step(online());
    else if (!online())
        connection_.keepAliveStep();
    else if (bulkRead_.waitingToStart())
        bulkRead_.startStep();
    else if (irUpload_.active() && !irUpload_.step())
        presetFileImport_.irFailed("the IR upload failed");
}

// A preset request went unanswered: the bulk read asks for its slot again,
// and so does the start-up sequence for the current preset, a few times. The
// export asks again itself.
void VornixControl::presetRequestUnanswered() {
    link_.events().emit(&TransferEvents::presetRequestUnanswered);
    if (slotWrite_.readingBackNow()) {
        slotWriteUnanswered();
        return;
    }
    if (!online() || bankExport_.active()) return;
    if (bulkRead_.active())
        bulkRead_.retryRequest();
    else if (currentPresetRetries_++ < MaxCurrentPresetRetries)
        link_.requestPreset(link_.lastPresetRequest());
}

// ---- hooks ---------------------------------------------------------------------------

void VornixControl::uiClosed() {
    if (online()) link_.send(sysex::editorClosed());
    if (saveDrawScale_) saveDrawScale_(drawScale_);
    link_.closeWindow();
}

// With no window content the shell shows its own About box.
bool VornixControl::aboutRequested() {
    if (!link_.windowOpen()) return false;
    link_.events().emit(&PageEvents::aboutRequested);
    return true;
}

void VornixControl::menuCommand(MenuCommand command) {
    // Every menu command transfers or leaves the sound: A plays again first.
    comparison_.end(true);
    switch (command) {
        case MenuCommand::FirmwareUpdate:
            firmware_.openPage();
            break;
        case MenuCommand::ImportBank:
            importBank();
            break;
        case MenuCommand::ExportBank:
            if (chooseBankExportFile()) bankExport_.start(storedBankPath_);
            break;
        case MenuCommand::GlobalSettings:
            connection_.enableKeepAlive(false);
            link_.events().emit(&PageEvents::globalSettingsOpened);
            requestGlobalPage(sysex::page::Settings);
            break;
        case MenuCommand::BackUpNow:
            backups_.backUpNow();
            break;
        case MenuCommand::ClearCache:
            cache_.clear();
            refreshPresetListFromFiles();
            loadPresetSlots();
            link_.showMessage("Finished successfully!");
            break;
    }
}

void VornixControl::reconnect() {
    connection_.restartSearch();
    // A bank transfer waiting for the device would otherwise hold back the
    // keep-alive for good.
    if (bankImport_.active()) {
        bankImport_.cancel();
        link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, false);
    }
    if (bankExport_.active()) {
        bankExport_.cancel();
        link_.events().emit(&TransferEvents::transferEnded, Transfer::BankExport, false);
    }
    link_.events().emit(&LinkEvents::connecting);
}

// ---- parameters ------------------------------------------------------------------------

void VornixControl::setParameterFromDevice(int index, double normalised) {
    iplug::IParam* p = param(index);
    if (!p || !p->initialised()) return;
    p->setNormalised(normalised);
    showParamChange(index);
    queueValueForUI(index, p->normalised());
}

void VornixControl::setParameterFromUser(int index, double value) {
    iplug::IParam* p = param(index);
    if (!p || !p->initialised()) return;
    p->set(value);
    queueValueForUI(index, p->normalised());
    showParamChange(index);
}

}  // namespace vornix
