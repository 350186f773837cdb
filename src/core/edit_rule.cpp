// The edit rule: every change of a preset parameter goes to the device at
// once unless a received block is being applied; the other messages the
// editor sends for the current sound.
#include <algorithm>

#include "core/vornix_control.hpp"
#include "device/global_pages.hpp"
#include "device/sysex.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix {

namespace {

bool isUserIrSlotParam(int index) {
    return index >= param::Ir7SlotHigh && index <= param::Ir8SlotLow;
}

// Global settings that go out as a whole page 0; EDIT POT DISPLAY MODE (94)
// is written as a constant and never triggers a write of its own.
bool sendsGlobalPage(int index) {
    return index >= param::DefineMidiMapping && index <= param::SafeLevel &&
           index != param::EditPotDisplayMode;
}

double deviceFraction(int value) {
    return value / double(DeviceValueMax);
}

}  // namespace

// ---- showParamChange: the device-facing part of every parameter change ---------------

void VornixControl::showParamChange(int index) {
    if (index < 0 || index >= NumParams) return;
    // A gesture while B plays: the edit goes back to the device before it changes.
    if (index < NumPresetParams && !sound_.BulkUpdate) comparison_.returnToA();
    if (index < NumPresetParams) {
        sendParamEdit(index);
        readoutTicks_ = 0;
        if (index == param::Ir7SlotLow || index == param::Ir8SlotLow) followUserIrSlot(index);
    }
    const int v = intValue(index);
    switch (index) {
        // The level knobs of the auto filter and the chorus switch them on.
        case param::AutoFilterLevel:
            sound_.EditValues[param::AutoFilterOn] = v >= 1 ? 1 : 0;
            break;
        case param::ChorusLevel:
            sound_.EditValues[param::ChorusOn] = v >= 1 ? 1 : 0;
            break;
        case param::PatchOffset:
            refreshPresetListFromFiles();
            break;
        case param::Ir:
            showIrSelection(v);
            break;
        // From position 7 up the display follows the switch.
        case param::Ir7Mode:
        case param::Ir8Mode:
            if (ir::reachesUserIrPositions(intValue(param::Ir)))
                showIrSelection(intValue(param::Ir));
            break;
        case param::ControllerProgram:
            setParameterFromDevice(param::DeviceProgram,
                                   deviceFraction(programMap_[static_cast<std::size_t>(v)]));
            break;
        case param::DeviceProgram:
            programMap_[static_cast<std::size_t>(intValue(param::ControllerProgram))] = v;
            break;
        case param::ControllerProgram1:
            setParameterFromDevice(param::DeviceProgram1,
                                   deviceFraction(programMap_[static_cast<std::size_t>(v - 1)]));
            break;
        case param::DeviceProgram1:
            programMap_[static_cast<std::size_t>(intValue(param::ControllerProgram1) - 1)] = v - 1;
            break;
        default:
            break;
    }
    if (sendsGlobalPage(index) && link_.windowOpen() && !sound_.BulkUpdate)
        writeGlobalPage(sysex::page::Settings);
    // Only the sound can differ from the stored preset: the list's scroll
    // bar, the settings and the pages (74 and up) leave the state as it is.
    if (index < NumPresetParams)
        setModified(!std::equal(sound_.StoredValues.begin(), sound_.StoredValues.end(),
                                sound_.EditValues.begin()));
    link_.events().emit(&SoundEvents::parameterChanged, index, sound_.BulkUpdate);
}

// The readout shows an edited value for 60 idle ticks, then the preset number.
void VornixControl::readoutTick() {
    if (!readoutTicks_ || ++*readoutTicks_ <= ReadoutTimeoutTicks) return;
    readoutTicks_.reset();
    link_.events().emit(&SoundEvents::readoutTimedOut,
                        sound_.currentPreset + intValue(param::PatchOffset));
}

void VornixControl::setModified(bool modified) {
    if (sound_.ModifiedFlag == modified) return;
    sound_.ModifiedFlag = modified;
    link_.events().emit(&SoundEvents::modifiedChanged, modified);
}

void VornixControl::sendParamEdit(int index) {
    if (!online()) return;
    const int v = intValue(index);
    if (sound_.EditValues[static_cast<std::size_t>(index)] == v && !isUserIrSlotParam(index))
        return;
    sound_.EditValues[static_cast<std::size_t>(index)] = v;
    if (!sound_.BulkUpdate)
        link_.send(sysex::setParameter(static_cast<std::uint8_t>(deviceNumber(index)),
                                       static_cast<std::uint8_t>(v)));
}

// A change of the low half of a user IR slot number completes that number.
// For the position being edited, a name row that disagrees with the cache
// means the device holds an IR the editor has not cached: fetch it at the next
// tick. An empty row means the device has none either; during a WAV import
// the editor is the one writing it.
void VornixControl::followUserIrSlot(int index) {
    const bool ir7 = index == param::Ir7SlotLow;
    int& slot = ir7 ? ir7Slot_ : ir8Slot_;
    slot = static_cast<int>(sysex::join14(
        static_cast<unsigned>(intValue(ir7 ? param::Ir7SlotHigh : param::Ir8SlotHigh)),
        static_cast<unsigned>(intValue(index))));
    const UserIrTarget position = ir7 ? UserIrTarget::Ir7 : UserIrTarget::Ir8;
    if (!link_.windowOpen() || userIrTarget_ != position ||
        intValue(ir7 ? param::Ir7Mode : param::Ir8Mode) == 0 ||
        static_cast<unsigned>(slot) >= ir::UserIrCount)
        return;
    const auto number = static_cast<unsigned>(slot);
    irNames_.refresh(cache_.folder(), number);
    const std::string& shown = userIrRows_[ir::irRowOf(number)];
    if (shown != ir::emptySlotName(number) && shown != irNames_.userName(number) &&
        !wavImportInProgress_)
        irDownload_.requestAtNextTick();
}

// The high half of a user IR number goes out first; the device acknowledges
// it (0x5F) and only then the low half follows.
void VornixControl::assignUserIr(UserIrTarget position, int number) {
    const bool ir7 = position == UserIrTarget::Ir7;
    (ir7 ? ir7Slot_ : ir8Slot_) = number;
    lowHalfDue_ = position;
    setParameterFromDevice(ir7 ? param::Ir7SlotHigh : param::Ir8SlotHigh,
                           deviceFraction(sysex::high7(static_cast<unsigned>(number))));
}

void VornixControl::sendUserIrLowHalf() {
    const UserIrTarget position = std::exchange(lowHalfDue_, UserIrTarget::None);
    if (position == UserIrTarget::None) return;
    const bool ir7 = position == UserIrTarget::Ir7;
    const int number = ir7 ? ir7Slot_ : ir8Slot_;
    setParameterFromDevice(ir7 ? param::Ir7SlotLow : param::Ir8SlotLow,
                           deviceFraction(sysex::low7(static_cast<unsigned>(number))));
    link_.events().emit(&SoundEvents::userIrAssigned, ir7 ? 7 : 8, static_cast<unsigned>(number));
}

// ---- whole presets, pages and requests -------------------------------------------------

// A voicing replaces its parameters as one change: the values apply as a
// received block would (shown, not sent one by one), then the whole sound
// goes to the device in one message.
void VornixControl::applyVoicing(std::span<const int> order, std::span<const int> columns,
                                 const VoicingRow& row, bool midToCentre) {
    sound_.BulkUpdate = true;
    for (int index : order) {
        const auto column = static_cast<std::size_t>(
            std::find(columns.begin(), columns.end(), index) - columns.begin());
        const iplug::IParam& p = *param(index);
        setParameterFromDevice(index, (row[column] - p.minimum()) / (p.maximum() - p.minimum()));
    }
    if (midToCentre) setParameterFromDevice(param::Mid, 0.5);
    sound_.BulkUpdate = false;
    if (online()) sendPreset();
}

void VornixControl::loadAmpVoicing(int model) {
    if (model < 0 || model >= NumAmpModels) return;
    static constexpr int Order[] = {
        param::Gain,  param::PunchFreq, param::Drive,  param::PresetLevel, param::Buzz,
        param::BuzzQ, param::Punch,     param::PunchQ, param::Crunch,      param::CrunchQ};
    // The two punch-filter models leave the mid band flat.
    applyVoicing(Order, AmpVoicingParams, AmpVoicingTable[static_cast<std::size_t>(model)],
                 model == 1 || model == 2);
}

void VornixControl::loadAmbienceVoicing(int type) {
    if (type < 0 || type >= NumAmbienceTypes) return;
    static constexpr int Order[] = {16, 58, 59, 18, 19, 20, 21, 22, 23, 24};
    applyVoicing(Order, AmbienceVoicingParams, AmbienceVoicingTable[static_cast<std::size_t>(type)],
                 false);
}

// Undo and redo put several values back as a voicing sets them, and the name
// with them: shown without sends, then the whole preset goes out. The values
// land exactly, including the switches the edit rule derives from a level.
void VornixControl::applyAsOnePreset(std::span<const ParamValue> values, const std::string& name) {
    sound_.BulkUpdate = true;
    for (const ParamValue& v : values) {
        const iplug::IParam& p = *param(v.index);
        setParameterFromDevice(v.index, (v.value - p.minimum()) / (p.maximum() - p.minimum()));
    }
    if (online())
        for (const ParamValue& v : values)
            sound_.EditValues[static_cast<std::size_t>(v.index)] = v.value;
    sound_.BulkUpdate = false;
    setModified(!std::equal(sound_.StoredValues.begin(), sound_.StoredValues.end(),
                            sound_.EditValues.begin()));
    if (name != sound_.presetName) renamePreset(name);
    if (online()) sendPreset();
}

std::string VornixControl::parameterName(int index) const {
    const iplug::IParam* p = param(index);
    return p ? p->name() : std::string{};
}

void VornixControl::sendPreset() {
    const auto record =
        storage::buildPresetRecord(std::span(sound_.EditValues).first(NumPresetParams),
                                   sound_.presetName, userIrNames_[0], userIrNames_[1]);
    link_.send(sysex::blockMessage(sysex::cmd::EditBuffer,
                                   static_cast<std::uint8_t>(sound_.currentPreset), record));
    comparison_.editSent();
}

void VornixControl::renamePreset(const std::string& name) {
    sound_.presetName = name;
    link_.events().emit(&SoundEvents::presetNameChanged, name);
}

void VornixControl::writeGlobalPage(int page) {
    const auto valueOf = [this](int index) { return intValue(index); };
    sysex::PageBlock block;
    if (page == sysex::page::Settings)
        block = sysex::buildSettingsPage(sound_.currentPreset, valueOf);
    else if (page == sysex::page::MidiAssign)
        block = sysex::buildMidiAssignPage(valueOf);
    else if (page == sysex::page::ProgramMap)
        block = sysex::buildProgramMapPage(programMap_);
    else
        return;
    link_.send(sysex::blockMessage(sysex::cmd::GlobalPage, static_cast<std::uint8_t>(page), block));
}

void VornixControl::requestGlobalPage(int page) {
    link_.requestPage(page);
}

void VornixControl::selectPreset(int slot) {
    if (!online()) return;
    comparison_.end(false);
    link_.send(sysex::selectPreset(static_cast<std::uint8_t>(slot)));
}

void VornixControl::storePreset(int slot) {
    if (!online()) return;
    // What is stored is the edit, never B.
    comparison_.end(true);
    savePending_ = true;
    link_.send(sysex::storePreset(static_cast<std::uint8_t>(slot)));
}

void VornixControl::presetRowClicked(int row) {
    if (row < 0 || row >= NumPresets) return;
    selectedRow_ = row;
    if (!online()) return;
    faceplate_.savePending() ? faceplate_.storeInto(row) : selectPreset(row);
}

// A footswitch moved the number: the readout shows it instead of a value,
// and the sound is taken for the preset's until it is edited again.
void VornixControl::stepCurrentPreset(int slot) {
    comparison_.end(true);
    sound_.currentPreset = slot;
    readoutTicks_.reset();
    setModified(false);
}

// The faceplate's switch tells the device even offline: the panel is greyed
// then, so this happens only when the link drops while it is used.
void VornixControl::toggleLayerB() {
    sound_.LayerB = !sound_.LayerB;
    link_.send(sysex::switchLayer(sound_.LayerB));
    link_.events().emit(&SoundEvents::knobLayerChanged, sound_.LayerB);
}

}  // namespace vornix
