// Presets, the edit buffer, single parameters, global pages and factory resets.
#include <algorithm>

#include "sim/factory_content.hpp"
#include "sim/pedal.hpp"

namespace vornix::sim {

namespace {

// The index the pedal reports layer B under; it is no parameter of a preset.
constexpr std::uint8_t LayerStateIndex = 77;
// Page 1 bytes the device fills itself (program selection, jack modes); the
// editor writes zeros there, which must not wipe them.
constexpr std::size_t AssignReadOnlyFirst = 8;
constexpr std::size_t AssignReadOnlyEnd = 16;

bool acceptedBlock(const sysex::BlockParse& parsed) {
    return parsed.error == sysex::ParseError::None && parsed.view.checksumOk;
}

PresetRecord toRecord(sysex::ByteSpan block) {
    PresetRecord rec{};
    std::copy(block.begin(), block.end(), rec.begin());
    return rec;
}

}  // namespace

void Pedal::answerPageRequest(sysex::ByteSpan message) {
    using namespace sysex;
    const std::uint8_t pageNumber = message[at::Number];
    if (pageNumber == page::Identify) {
        const std::uint8_t version =
            faults_.firmwareVersion().value_or(options_.firmwareVersionTimesTen);
        reply(identificationReply(version, options_.serialNumber));
        return;
    }
    if (pageNumber != page::Checksums && pageNumber >= GlobalPageCount) return;
    reply(blockMessage(cmd::GlobalPage, pageNumber, globalPage(pageNumber)));
}

void Pedal::sendPreset(std::uint8_t slot) {
    if (slot >= NumPresets) return;
    reply(sysex::blockMessage(sysex::cmd::PresetDump, slot, presets_[slot]));
}

void Pedal::selectPreset(std::uint8_t slot) {
    if (slot >= NumPresets) return;
    currentPreset_ = slot;
    editBuffer_ = presets_[slot];
    sendPreset(slot);
}

void Pedal::takeEditBuffer(sysex::ByteSpan message) {
    const sysex::BlockParse parsed = sysex::parseBlockMessage(message);
    // A damaged edit buffer would replace the sound the player hears; keep the old one.
    if (acceptedBlock(parsed)) editBuffer_ = toRecord(parsed.view.block);
}

void Pedal::setParameter(std::uint8_t deviceNumber, std::uint8_t value) {
    if (deviceNumber == sysex::devnum::StorePreset) {
        storeEditBuffer(value);
        return;
    }
    if (deviceNumber == sysex::devnum::LayerSwitch) {
        layerB_ = value >= 1;
        reply(sysex::parameterChanged(LayerStateIndex, layerB_ ? 1 : 0));
        return;
    }
    const int index = parameterOfDeviceNumber(deviceNumber);
    if (index < 0) return;
    parameterByte(editBuffer_, index) = clampParameter(index, value);
    if (deviceNumber == devmap::Ir7High || deviceNumber == devmap::Ir8High)
        reply(sysex::status(sysex::cmd::ParameterAck));
}

void Pedal::storeEditBuffer(std::uint8_t slot) {
    if (slot >= NumPresets) return;
    presets_[slot] = editBuffer_;
    currentPreset_ = slot;
    sendPreset(slot);
}

void Pedal::writeGlobalPage(sysex::ByteSpan message) {
    const sysex::BlockParse parsed = sysex::parseBlockMessage(message);
    if (!acceptedBlock(parsed) || parsed.view.number >= GlobalPageCount) return;
    const std::uint8_t pageNumber = parsed.view.number;
    PageBlock& held = globals_[pageNumber];
    const PageBlock before = held;
    held = toRecord(parsed.view.block);
    // Byte 0 of page 0 reports the current preset; writing it selects nothing.
    if (pageNumber == sysex::page::MidiAssign)
        std::copy(before.begin() + AssignReadOnlyFirst, before.begin() + AssignReadOnlyEnd,
                  held.begin() + AssignReadOnlyFirst);
}

void Pedal::factoryReset(std::uint8_t target) {
    switch (target) {
        case sysex::reset::All:
            currentPreset_ = 0;
            layerB_ = false;
            resetPresetsToFactory();
            resetSettingsToFactory();
            break;
        case sysex::reset::Presets:
            resetPresetsToFactory();
            break;
        case sysex::reset::Settings:
            resetSettingsToFactory();
            break;
        default:
            return;
    }
    reply(sysex::status(sysex::cmd::Completion));
}

}  // namespace vornix::sim
