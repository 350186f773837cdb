#include "core/vornix_control.hpp"

#include <algorithm>
#include <cstdio>

#include "core/ui_names.hpp"
#include "device/sysex.hpp"

namespace vornix {

namespace {

constexpr int ProgressHideTicks = 10;  // hidden on the 11th tick (1.1 s) after a request

std::string percentText(double fraction) {
    char text[16];
    std::snprintf(text, sizeof text, "%d %%", static_cast<int>(fraction * 100.0));
    return text;
}

}  // namespace

VornixControl::VornixControl(EventLoop& loop, storage::DataFolder dataFolder, Platform& platform)
    : loop_(loop), dataFolder_(std::move(dataFolder)), platform_(platform) {
    params_ = buildParameterCatalogue();
    for (int slot = 0; slot < NumPresets; ++slot) {
        char text[16];
        std::snprintf(text, sizeof text, " %02d ", slot);
        presetRows_[static_cast<std::size_t>(slot)] = text;
    }
    deviceTimer_ = loop_.every(DeviceTickMs, [this] { deviceTick(); });
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
    sender_ = nullptr;
}

bool VornixControl::sendToDevice(std::span<const std::uint8_t> message) {
    return sender_ ? sender_(message) : false;
}

void VornixControl::renderAudioBlock(std::span<double* const> outputs, int frames) {
    for (double* channel : outputs) std::fill_n(channel, frames, 0.0);
}

// ---- hooks -------------------------------------------------------------------------

void VornixControl::uiClosed() {
    if (link_.online) sendToDevice(sysex::editorClosed());
    if (saveDrawScale) saveDrawScale(drawScale);
    view_ = nullptr;
}

// With no window content the shell shows its own About box.
bool VornixControl::aboutRequested() {
    if (!view_) return false;
    view_->showGroup(group::About);
    return true;
}

void VornixControl::menuCommand(int command) {
    switch (command) {
        case menu::FirmwareUpdate:
            openFirmwarePage();
            break;
        case menu::ImportBank:
            importBank();
            break;
        case menu::ExportBank:
            if (chooseBankExportFile()) startBankExport();
            break;
        case menu::GlobalSettings:
            link_.keepAliveEnabled = false;
            if (view_) view_->showGroup(group::GlobalSettings);
            requestGlobalPage(sysex::page::Settings);
            break;
        case menu::ClearCache:
            clearCache();
            refreshPresetListFromFiles();
            loadPresetSlots();
            showMessage("Finished successfully!");
            break;
        default:
            break;
    }
}

void VornixControl::idleTick() {
    if (link_.messagePending) {
        link_.messagePending = false;
        showMessage(link_.pendingMessage);
    }
}

void VornixControl::deviceTick() {
    progressHideStep();
    if (link_.completionReported || link_.importDone) {
        completionStep();
        return;
    }
    if (link_.irRequestPending) {
        irRequestStep();
        return;
    }
    transferStep();
}

void VornixControl::progressHideStep() {
    if (!link_.progressHideArmed) return;
    if (++link_.progressHideCounter > ProgressHideTicks) {
        link_.progressHideArmed = false;
        if (view_) view_->hideGroup(group::Progress);
        retryBulkReadRequest();
    }
}

// A bulk read waits for one reply at a time, so a single request lost on a
// busy MIDI link would stall it for good. The slot is asked for again a few
// times before the read is left to RECONNECT.
void VornixControl::retryBulkReadRequest() {
    constexpr int MaxRetries = 3;
    if (!link_.online || !link_.presetDownloadActive || link_.presetDownloadSlot < 0) return;
    if (link_.bulkReadRetries >= MaxRetries) return;
    ++link_.bulkReadRetries;
    requestPreset(link_.presetDownloadSlot);
}

void VornixControl::completionStep() {
    if (link_.completionReported) {
        link_.completionReported = false;
        events().factoryResetFinished();
        if (view_) {
            showMessage("Finished successfully!");
            requestGlobalPage(sysex::page::Settings);
        }
        return;
    }
    link_.importDone = false;
    events().bankImportFinished(true);
    if (view_) {
        view_->hideGroup(group::Progress);
        showMessage("Finished successfully!");
        clearCache();
        loadPresetSlots();
        setOnline(false);
        link_.keepAliveEnabled = true;
    }
}

// ---- parameters ----------------------------------------------------------------

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

void VornixControl::showMessageLater(const std::string& text) {
    link_.pendingMessage = text;
    link_.messagePending = true;
}

// ---- storage ---------------------------------------------------------------------

void VornixControl::loadPresetSlots() {
    const int offset = intValue(param::PatchOffset) != 0 ? 1 : 0;
    const auto slots = storage::readPresetSlots(dataFolder_);
    for (int s = 0; s < NumPresets; ++s) {
        const auto& slot = slots[static_cast<std::size_t>(s)];
        const auto& name = slot.name;
        setPresetRow(
            s, storage::presetRowText(
                   s + offset,
                   std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size())));
        link_.presetChecksums[static_cast<std::size_t>(s)] = slot.checksum;
    }
}

void VornixControl::refreshPresetListFromFiles() {
    const auto listing = storage::listPresetFolder(dataFolder_);
    if (listing.firstSlotMissing) return;
    for (const auto& row : listing.rows) {
        setPresetRow(row.row, storage::presetRowText(
                                  row.row + intValue(param::PatchOffset),
                                  std::span(reinterpret_cast<const std::uint8_t*>(row.name.data()),
                                            row.name.size())));
    }
    if (listing.cacheFiles >= NumPresets) link_.presetDownloadActive = false;
}

void VornixControl::clearCache() {
    storage::clearCache(dataFolder_);
}

std::string VornixControl::currentPresetName() const {
    return presetName;
}

// ---- user-interface helpers -----------------------------------------------------------

void VornixControl::showMessage(const std::string& text, Buttons buttons,
                                std::function<void(Answer)> completion) {
    events().message(text);
    if (view_) platform_.messageBox(text, "", buttons, std::move(completion));
}

void VornixControl::setProgress(double fraction) {
    events().transferProgress(fraction);
    if (!view_) return;
    view_->setValue(tag::ProgressKnob, fraction);
    view_->setText(tag::ProgressText, percentText(fraction));
}

void VornixControl::setPresetRow(int row, const std::string& text) {
    presetRows_[static_cast<std::size_t>(row)] = text;
    if (view_) view_->setPresetRow(row, text);
}

void VornixControl::selectPresetRow(int row) {
    if (view_) {
        view_->setPresetRowSelected(link_.selectedRow, false);
        view_->setPresetRowSelected(row, true);
    }
    link_.selectedRow = row;
}

void VornixControl::setOnline(bool online) {
    if (link_.online == online) return;
    link_.online = online;
    events().onlineChanged(online);
}

void VornixControl::setGroupsEnabled(std::span<const char* const> groups, bool enabled) {
    if (!view_) return;
    for (const char* name : groups) enabled ? view_->enableGroup(name) : view_->disableGroup(name);
}

}  // namespace vornix
