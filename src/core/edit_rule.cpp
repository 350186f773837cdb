#include <algorithm>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"

namespace vornix {

namespace {

constexpr int IrSlotBankSize = 128;
constexpr int SevenBits = 0x7F;
constexpr double DeviceMax = 127.0;

bool isUserIrSlotParam(int index) {
    return index >= param::Ir7SlotHigh && index <= param::Ir8SlotLow;
}

// Global settings that go out as a whole page 0; EDIT POT DISPLAY MODE (94)
// is written as a constant and never triggers a write of its own.
bool sendsGlobalPage(int index) {
    return index >= param::DefineMidiMapping && index <= param::SafeLevel &&
           index != param::EditPotDisplayMode;
}

}  // namespace

// ---- showParamChange: the device-facing part of every parameter change ---------------

void VornixControl::showParamChange(int index) {
    if (index < 0 || index >= NumParams) return;
    if (index < NumPresetParams) {
        sendParamEdit(index);
        if (index == param::Ir7SlotLow || index == param::Ir8SlotLow) followUserIrSlot(index);
    }
    const int v = intValue(index);
    switch (index) {
        case 61:
            EditValues[param::AutoFilterOn] = v >= 1 ? 1 : 0;
            break;
        case 66:
            EditValues[param::ChorusOn] = v >= 1 ? 1 : 0;
            break;
        case param::PatchOffset:
            refreshPresetListFromFiles();
            break;
        case param::ControllerProgram:
            setParameterFromDevice(param::DeviceProgram,
                                   link_.programMap[static_cast<std::size_t>(v)] / DeviceMax);
            break;
        case param::DeviceProgram:
            link_.programMap[static_cast<std::size_t>(intValue(param::ControllerProgram))] = v;
            break;
        case param::ControllerProgram1:
            setParameterFromDevice(param::DeviceProgram1,
                                   link_.programMap[static_cast<std::size_t>(v - 1)] / DeviceMax);
            break;
        case param::DeviceProgram1:
            link_.programMap[static_cast<std::size_t>(intValue(param::ControllerProgram1) - 1)] =
                v - 1;
            break;
        default:
            break;
    }
    if (sendsGlobalPage(index) && view_ && !BulkUpdate) writeGlobalPage(sysex::page::Settings);
    ModifiedFlag = !std::equal(StoredValues.begin(), StoredValues.end(), EditValues.begin());
    if (view_) view_->setReadoutDimmed(ModifiedFlag);
}

void VornixControl::sendParamEdit(int index) {
    if (!link_.online) return;
    const int v = intValue(index);
    if (EditValues[static_cast<std::size_t>(index)] == v && !isUserIrSlotParam(index)) return;
    EditValues[static_cast<std::size_t>(index)] = v;
    if (!BulkUpdate)
        sendToDevice(sysex::setParameter(static_cast<std::uint8_t>(deviceNumber(index)),
                                         static_cast<std::uint8_t>(v)));
}

// A change of the low half of a user IR slot number completes that number.
// For the position being edited, a name row that disagrees with the cache
// means the device holds an IR the editor has not cached: fetch it at the next
// tick. An empty row means the device has none either; during a WAV import
// the editor is the one writing it.
void VornixControl::followUserIrSlot(int index) {
    const bool ir7 = index == param::Ir7SlotLow;
    int& slot = ir7 ? link_.ir7Slot : link_.ir8Slot;
    slot =
        IrSlotBankSize * intValue(ir7 ? param::Ir7SlotHigh : param::Ir8SlotHigh) + intValue(index);
    const UserIrTarget position = ir7 ? UserIrTarget::Ir7 : UserIrTarget::Ir8;
    if (!view_ || link_.userIrTarget != position ||
        intValue(ir7 ? param::Ir7Mode : param::Ir8Mode) == 0 || slot < 0 ||
        static_cast<unsigned>(slot) >= ir::UserIrCount)
        return;
    const auto number = static_cast<unsigned>(slot);
    irNames.refresh(dataFolder_, number);
    const int row = static_cast<int>(number % ir::IrBankSize);
    const std::string shown = view_->userIrRow(row);
    if (shown != "Empty Slot " + std::to_string(row + 1) && shown != irNames.userName(number) &&
        !wavImportInProgress)
        link_.irRequestPending = true;
}

// ---- whole presets, pages and requests -------------------------------------------------

void VornixControl::sendPreset() {
    const std::string name = view_ ? view_->text(tag::PresetName) : currentPresetName();
    const std::string ir7 = view_ ? view_->text(tag::Ir7Name) : userIr7Name;
    const std::string ir8 = view_ ? view_->text(tag::Ir8Name) : userIr8Name;
    const auto rec =
        storage::buildPresetRecord(std::span(EditValues).first(NumPresetParams), name, ir7, ir8);
    sendToDevice(sysex::blockMessage(sysex::cmd::EditBuffer,
                                     static_cast<std::uint8_t>(link_.currentPreset), rec));
}

void VornixControl::writeGlobalPage(int page) {
    std::array<std::uint8_t, sysex::BlockSize> block{};
    if (page == sysex::page::Settings) {
        constexpr std::uint8_t EditPotModeWritten = 2;
        block[0] = static_cast<std::uint8_t>(link_.currentPreset);
        for (int i = 0; i < 10; ++i)
            block[1 + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(intValue(param::DefineMidiMapping + i));
        block[6] = EditPotModeWritten;
        block[11] = static_cast<std::uint8_t>(intValue(param::SoftClipping));
        block[12] = static_cast<std::uint8_t>(intValue(param::AnalogSimGain));
        block[13] = static_cast<std::uint8_t>(intValue(param::AntiAliasing));
        block[16] = static_cast<std::uint8_t>(intValue(99));
        block[17] = static_cast<std::uint8_t>(intValue(param::SafeLevel));
    } else if (page == sysex::page::MidiAssign) {
        // Bytes 8-15 carry what the device reports; the editor writes zeros there.
        for (int i = 0; i < 8; ++i)
            block[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(intValue(param::FirstMidiAssign + i));
    } else if (page == sysex::page::ProgramMap) {
        for (int i = 0; i < NumPresets; ++i)
            block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
                link_.programMap[static_cast<std::size_t>(i)] & SevenBits);
    } else {
        return;
    }
    sendToDevice(
        sysex::blockMessage(sysex::cmd::GlobalPage, static_cast<std::uint8_t>(page), block));
}

void VornixControl::requestGlobalPage(int page) {
    sendToDevice(sysex::requestPage(static_cast<std::uint8_t>(page)));
}

void VornixControl::requestPreset(int slot) {
    // Every preset request arms the progress hide; the reply disarms it.
    link_.progressHideArmed = true;
    link_.progressHideCounter = 0;
    sendToDevice(sysex::requestPreset(static_cast<std::uint8_t>(slot)));
}

void VornixControl::selectPreset(int slot) {
    if (!link_.online) return;
    sendToDevice(sysex::selectPreset(static_cast<std::uint8_t>(slot)));
}

void VornixControl::storePreset(int slot) {
    if (!link_.online) return;
    link_.savePending = true;
    sendToDevice(sysex::storePreset(static_cast<std::uint8_t>(slot)));
}

void VornixControl::requestIrNames(int bank) {
    sendToDevice(sysex::requestIrNames(static_cast<std::uint8_t>(4 * bank)));
}

void VornixControl::requestIr(unsigned number) {
    if (!link_.exportActive) ++link_.irDownloadsPending;
    sendToDevice(sysex::requestIr(number));
}

void VornixControl::switchLayer() {
    if (!link_.online) return;
    LayerB = !LayerB;
    sendToDevice(sysex::switchLayer(LayerB));
}

void VornixControl::assignUserIr(UserIrTarget position, int number) {
    const bool ir7 = position == UserIrTarget::Ir7;
    (ir7 ? link_.ir7Slot : link_.ir8Slot) = number;
    link_.irSelectState = ir7 ? IrSelectState::HighSent7 : IrSelectState::HighSent8;
    setParameterFromDevice(ir7 ? param::Ir7SlotHigh : param::Ir8SlotHigh,
                           ((number >> 7) & SevenBits) / DeviceMax);
}

}  // namespace vornix
