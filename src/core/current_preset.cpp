// What the device reports about its state, applied to the editor: its current
// preset (after a select, a store or the start-up request), the global pages,
// single parameter changes and its free text.
#include <algorithm>

#include "core/vornix_control.hpp"
#include "device/global_pages.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr int ScrollRows = 109;

std::string nameOf(ByteSpan block, std::size_t at) {
    const auto name = block.subspan(at, sysex::NameBytes);
    return {name.begin(), name.end()};
}

}  // namespace

// ---- the current preset ------------------------------------------------------------

void VornixControl::applyCurrentPreset(const sysex::BlockView& dump) {
    const int slot = dump.number;
    sound_.currentPreset = slot;
    if (slot != selectedRow_) {
        selectedRow_ = slot;
        link_.events().emit(&SoundEvents::presetSelected, slot);
        // The list scrolls the row into view.
        if (link_.windowOpen())
            setParameterFromDevice(param::Scroll,
                                   (ScrollRows - std::min(slot, ScrollRows)) / double(ScrollRows));
    }
    // A damaged preset is asked for again: a sync waits for the current one.
    if (!dump.checksumOk) {
        if (currentPresetRetries_++ < MaxCurrentPresetRetries) link_.requestPreset(slot);
        return;
    }
    currentPresetRetries_ = 0;
    soundFromPresetFile_ = false;
    link_.events().emit(&SoundEvents::presetArriving, slot);

    sound_.BulkUpdate = true;
    std::array<int, NumPresetParams> received{};
    for (int i = 0; i < NumPresetParams; ++i)
        received[static_cast<std::size_t>(i)] = dump.block[sysex::record::paramByte(i)];
    // Stored first: the values applied below are compared with them.
    std::copy(received.begin(), received.end(), sound_.StoredValues.begin());
    for (int i = 0; i < NumPresetParams; ++i) {
        const iplug::IParam& p = *param(i);
        setParameterFromDevice(
            i, (received[static_cast<std::size_t>(i)] - p.minimum()) / (p.maximum() - p.minimum()));
    }
    // The preset as the editor now holds it is the stored sound: a value
    // clamped to its parameter's range, or a switch derived from its level
    // (auto filter, chorus), is no edit of the user's.
    if (online())
        std::copy_n(sound_.EditValues.begin(), NumPresetParams, sound_.StoredValues.begin());
    AppliedPreset applied;
    applied.slot = slot;
    applied.ampModel = recogniseAmpModel(received);
    applied.ambienceType = recogniseAmbienceType(received);
    userIrTarget_ = UserIrTarget::None;
    applyPresetTexts(dump, applied);
    sound_.BulkUpdate = false;

    if (savePending_) {
        savePending_ = false;
        cache_.store(sound_.currentPreset, dump.block, dump.sent);
        link_.events().emit(&SoundEvents::presetStored, sound_.currentPreset);
    }
    requestMissingUserIr();
    link_.events().emit(&SoundEvents::presetApplied, applied);
    awaitingIrsForSync_ = true;
    reportSynchronisedWhenDone();
}

// A position that plays a user IR names it in the record; otherwise its
// label is the cabinet's.
void VornixControl::applyPresetTexts(const sysex::BlockView& dump, AppliedPreset& applied) {
    applied.displayNumber = intValue(param::PatchOffset) + sound_.currentPreset;
    applied.name = nameOf(dump.block, sysex::record::Name);
    sound_.presetName = applied.name;
    const bool plays7 = intValue(param::Ir7Mode) != 0;
    const bool plays8 = intValue(param::Ir8Mode) != 0;
    if (plays7)
        userIrNames_[0] =
            sysex::trimDeviceName(dump.block.subspan(sysex::record::Ir7Name, sysex::NameBytes));
    if (plays8)
        userIrNames_[1] =
            sysex::trimDeviceName(dump.block.subspan(sysex::record::Ir8Name, sysex::NameBytes));
    cache_.setRowFromName(sound_.currentPreset, applied.displayNumber,
                          dump.block.subspan(sysex::record::Name, sysex::NameBytes));
    applied.ir7Label = plays7 ? userIrNames_[0] : irNames_.cabinetName(7);
    applied.ir8Label = plays8 ? userIrNames_[1] : irNames_.cabinetName(8);
    applied.playsUserIr = plays7 || plays8;
    // What the device just sent is what it stores, whatever the values are
    // clamped to here.
    setModified(false);
    if (applied.playsUserIr) refreshIrDisplay();
}

void VornixControl::requestMissingUserIr() {
    const auto missing = [this](int slot) {
        return !storage::FileReader(cache_.folder().irFile(static_cast<unsigned>(slot))).isOpen();
    };
    if (intValue(param::Ir7Mode) != 0 && missing(ir7Slot_))
        irDownload_.request(static_cast<unsigned>(ir7Slot_), !bankExport_.active());
    else if (intValue(param::Ir8Mode) != 0 && missing(ir8Slot_))
        irDownload_.request(static_cast<unsigned>(ir8Slot_), !bankExport_.active());
}

// The editor is in step with the device once the current preset is applied
// and the IRs it plays have arrived (or failed to).
void VornixControl::reportSynchronisedWhenDone() {
    if (!awaitingIrsForSync_ || bulkRead_.active() || irDownload_.pending() > 0) return;
    awaitingIrsForSync_ = false;
    link_.events().emit(&TransferEvents::synchronised);
    remindOfOldBackup();
}

// ---- global pages ------------------------------------------------------------------

void VornixControl::applyPageFields(ByteSpan block, std::span<const sysex::PageField> fields) {
    for (const sysex::PageField& field : fields)
        setParameterFromDevice(field.parameter,
                               sysex::fieldValue(block, field) / param(field.parameter)->maximum());
}

// The last step of the start-up sequence but one: the settings are applied,
// the transfer ends, and the device's current preset is asked for.
void VornixControl::applySettingsPage(ByteSpan block) {
    sound_.BulkUpdate = true;
    applyPageFields(block, sysex::SettingsPageFields);
    sound_.BulkUpdate = false;
    link_.send(sysex::endTransfer());
    link_.requestPreset(block[sysex::settingspage::CurrentPreset]);
}

void VornixControl::applyMidiAssignPage(ByteSpan block) {
    for (int i = 0; i < sysex::MidiAssignFieldCount; ++i) {
        const sysex::PageField field = sysex::midiAssignField(i);
        setParameterFromDevice(field.parameter,
                               block[field.byte] / param(field.parameter)->maximum());
    }
}

// The map itself is kept with the window closed too; the two program pairs
// on the MIDI page follow it only with the window open.
// The whole map first: the boxes then show the entry of the controller
// program they are on, in both numberings.
void VornixControl::applyProgramMapPage(ByteSpan block) {
    for (int i = 0; i < NumPresets; ++i)
        programMap_[static_cast<std::size_t>(i)] = block[static_cast<std::size_t>(i)];
    if (!link_.windowOpen()) return;
    setParameterFromDevice(
        param::DeviceProgram,
        programMap_[static_cast<std::size_t>(intValue(param::ControllerProgram))] /
            double(DeviceValueMax));
    setParameterFromDevice(
        param::DeviceProgram1,
        programMap_[static_cast<std::size_t>(intValue(param::ControllerProgram1) - 1)] /
            double(DeviceValueMax));
}

// ---- single reports -----------------------------------------------------------------

// A knob turned on the device, or the layer-B switch (reported as number 77).
void VornixControl::applyParameterReport(ByteSpan message) {
    const auto report = sysex::parseParameterChanged(message);
    if (!report) return;
    // Kept with the window closed too: the next window shows the layer the
    // device is in, and its switch then flips it the right way.
    if (report->index == LayerBReportNumber) {
        sound_.LayerB = report->value >= 1;
        link_.events().emit(&SoundEvents::knobLayerChanged, sound_.LayerB);
        return;
    }
    if (report->index >= NumParams) return;
    const iplug::IParam& p = *param(report->index);
    if (!p.initialised()) return;
    sound_.BulkUpdate = true;
    setParameterFromDevice(report->index,
                           (report->value - p.minimum()) / (p.maximum() - p.minimum()));
    sound_.BulkUpdate = false;
}

void VornixControl::applyDeviceText(ByteSpan m) {
    if (!sysex::hasHeader(m, sysex::family::Editor) || m[sysex::at::Command] != sysex::cmd::Text ||
        m[sysex::at::Device] != sysex::DeviceCode)
        return;
    sound_.deviceText = sysex::trimDeviceName(m.subspan(sysex::at::TextData, sysex::TextBytes));
    link_.events().emit(&SoundEvents::deviceTextChanged, sound_.deviceText);
}

}  // namespace vornix
