#include <algorithm>
#include <cstdio>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr int ScrollRows = 109;
constexpr double DeviceMax = 127.0;
constexpr int PagesPerBank = 4;
constexpr int NamesPerPage = 8;

std::string slotRowText(int displayNumber, ByteSpan name32) {
    return storage::presetRowText(displayNumber, name32);
}

}  // namespace

// Every message is dispatched on its total length first, as the device's
// replies of different kinds can share a command byte.
void VornixControl::sysExReceived(ByteSpan message) {
    // Only whole 7-bit SysEx messages are looked at: a stray byte above 0x7F
    // could otherwise index past the preset and IR tables.
    if (message.size() < 6 || message.front() != sysex::Start || message.back() != sysex::End ||
        !std::all_of(message.begin() + 1, message.end() - 1, [](auto b) { return b < 0x80; }))
        return;
    const std::size_t length = message.size();
    if (length == sysex::BlockMessageSize)
        handleBlockMessage(message);
    else if (length <= sysex::ShortMessageMax)
        handleShortMessage(message);
    else if (length == sysex::TextMessageSize && !link_.firmwareUploadActive)
        handleTextMessage(message);
    else
        handleIrChunk(message);
}

void VornixControl::handleBlockMessage(ByteSpan message) {
    const sysex::BlockParse parsed = sysex::parseBlockMessage(message);
    if (parsed.error != sysex::ParseError::None) return;
    switch (parsed.view.command) {
        case sysex::cmd::PresetDump:
            handlePreset(message, parsed.view);
            break;
        case sysex::cmd::GlobalPage:
            handleGlobalPage(parsed.view);
            break;
        case sysex::cmd::IrNamePage:
            handleIrNamePage(parsed.view);
            break;
        default:
            break;
    }
}

// ---- presets -----------------------------------------------------------------------

void VornixControl::handlePreset(ByteSpan message, const sysex::BlockView& view) {
    if (!link_.online) return;
    link_.progressHideArmed = false;
    if (link_.presetDownloadActive)
        handleBulkReadPreset(view);
    else if (!link_.exportActive)
        handleCurrentPreset(view);
    else
        handleExportedPreset(message, view);
}

void VornixControl::handleBulkReadPreset(const sysex::BlockView& view) {
    BulkUpdate = true;
    if (!view.checksumOk) {
        requestPreset(link_.presetDownloadSlot);
        return;
    }
    const int slot = view.number;
    link_.presetDownloadSlot = slot;
    link_.bulkReadRetries = 0;
    storage::writePresetSlotFile(dataFolder_, slot, view.block);
    link_.presetChecksums[static_cast<std::size_t>(slot)] = view.sent;
    link_.presetPending[static_cast<std::size_t>(slot)] = false;
    setPresetRow(slot, slotRowText(slot + intValue(param::PatchOffset),
                                   view.block.subspan(sysex::record::Name, sysex::NameBytes)));
    if (view_ && slot == link_.currentPreset) view_->setPresetRowSelected(slot, true);

    const auto next = std::find(link_.presetPending.begin(), link_.presetPending.end(), true);
    if (next != link_.presetPending.end()) {
        link_.presetDownloadSlot = static_cast<int>(next - link_.presetPending.begin());
        ++link_.downloadDone;
        setProgress(link_.downloadTotal > 0
                        ? static_cast<double>(link_.downloadDone) / link_.downloadTotal
                        : 1.0);
        requestPreset(link_.presetDownloadSlot);
        return;
    }
    link_.presetDownloadActive = false;
    BulkUpdate = false;
    setProgress(1.0);
    if (view_) view_->hideGroup(group::Progress);
    requestGlobalPage(sysex::page::Settings);
}

// The device's current sound, after a select, a store or the start-up request.
void VornixControl::handleCurrentPreset(const sysex::BlockView& view) {
    const int slot = view.number;
    link_.currentPreset = slot;
    if (slot != link_.selectedRow) {
        selectPresetRow(slot);
        if (view_)
            setParameterFromDevice(param::Scroll,
                                   (ScrollRows - std::min(slot, ScrollRows)) / double(ScrollRows));
    }
    if (!view.checksumOk) return;

    BulkUpdate = true;
    for (int i = 0; i < NumPresetParams; ++i) {
        const int b = view.block[sysex::record::Params + static_cast<std::size_t>(i)];
        const iplug::IParam& p = parameter(i);
        setParameterFromDevice(i, (b - p.minimum()) / (p.maximum() - p.minimum()));
        StoredValues[static_cast<std::size_t>(i)] = b;
    }
    std::array<int, NumPresetParams> received{};
    for (int i = 0; i < NumPresetParams; ++i)
        received[static_cast<std::size_t>(i)] =
            view.block[sysex::record::Params + static_cast<std::size_t>(i)];
    const int model = recogniseAmpModel(received);
    const int ambience = recogniseAmbienceType(received);
    if (view_) {
        view_->selectAmpModel(model);
        const int block = view_->currentBlock();
        constexpr int PunchBlock = 8, MidBlock = 11, AmpBlock = 13, AmbienceBlock = 3;
        if (block == PunchBlock || block == MidBlock) {
            const bool usesMid = model == 0 || (model >= 3 && model <= 9);
            view_->selectBlock(usesMid ? MidBlock : PunchBlock);
            usesMid ? view_->showMidBand() : view_->showPunchBand();
        }
        view_->selectAmbienceType(ambience);
        if (view_->currentBlock() == AmbienceBlock) view_->selectBlock(AmpBlock);
    }
    link_.userIrTarget = UserIrTarget::None;
    applyCurrentPresetTexts(view);
    BulkUpdate = false;

    if (link_.savePending) {
        link_.savePending = false;
        if (view_) view_->setVisible(tag::Readout, true);
        storage::writePresetSlotFile(dataFolder_, link_.currentPreset, view.block);
        link_.presetChecksums[static_cast<std::size_t>(link_.currentPreset)] = view.sent;
        link_.presetPending[static_cast<std::size_t>(link_.currentPreset)] = false;
    }
    requestMissingUserIr();
    events().currentPresetApplied(slot);
}

void VornixControl::applyCurrentPresetTexts(const sysex::BlockView& view) {
    const auto name = view.block.subspan(sysex::record::Name, sysex::NameBytes);
    const int displayNumber = intValue(param::PatchOffset) + link_.currentPreset;
    presetName.assign(name.begin(), name.end());
    // A position that plays a library IR names it in the record; otherwise the
    // control shows the cabinet of that position.
    if (intValue(param::Ir7Mode) != 0)
        userIr7Name =
            sysex::trimDeviceName(view.block.subspan(sysex::record::Ir7Name, sysex::NameBytes));
    if (intValue(param::Ir8Mode) != 0)
        userIr8Name =
            sysex::trimDeviceName(view.block.subspan(sysex::record::Ir8Name, sysex::NameBytes));
    setPresetRow(link_.currentPreset, slotRowText(displayNumber, name));
    if (!view_) return;
    char readout[16];
    std::snprintf(readout, sizeof readout, "%02d", displayNumber);
    view_->setReadoutDimmed(false);
    view_->setVisible(tag::Readout, true);
    ModifiedFlag = false;
    view_->setText(tag::Readout, readout);
    view_->setText(tag::PresetName, std::string(name.begin(), name.end()));
    view_->setText(tag::Ir7Name, intValue(param::Ir7Mode) != 0 ? userIr7Name : cabinetName(7));
    view_->setText(tag::Ir8Name, intValue(param::Ir8Mode) != 0 ? userIr8Name : cabinetName(8));
    if (intValue(param::Ir7Mode) != 0 || intValue(param::Ir8Mode) != 0) refreshIrDisplay();
}

void VornixControl::requestMissingUserIr() {
    if (intValue(param::Ir7Mode) != 0 &&
        !storage::FileReader(dataFolder_.irFile(link_.ir7Slot)).isOpen())
        requestIr(static_cast<unsigned>(link_.ir7Slot));
    else if (intValue(param::Ir8Mode) != 0 &&
             !storage::FileReader(dataFolder_.irFile(link_.ir8Slot)).isOpen())
        requestIr(static_cast<unsigned>(link_.ir8Slot));
}

void VornixControl::handleExportedPreset(ByteSpan message, const sysex::BlockView& view) {
    if (const int n = sysex::recordIrNumber(view.block, 7); n >= 0 && n < NumExportableIrs)
        link_.irReferenced[static_cast<std::size_t>(n)] = true;
    if (const int n = sysex::recordIrNumber(view.block, 8); n >= 0 && n < NumExportableIrs)
        link_.irReferenced[static_cast<std::size_t>(n)] = true;
    if (!appendToBulkBuffer(message)) return;
    setProgress(link_.exportPreset / double(NumPresets));
    if (view_) view_->showGroup(group::Progress);
    link_.exportReady = true;
}

// ---- global pages and IR names -----------------------------------------------------------

void VornixControl::handleGlobalPage(const sysex::BlockView& view) {
    if (!link_.online) {
        handleIdentificationReply(view);
        return;
    }
    if (!view.checksumOk) return;
    switch (view.number) {
        case sysex::page::Settings:
            applyGlobalSettingsPage(view.block);
            break;
        case sysex::page::MidiAssign:
            for (int i = 0; i <= param::LastMidiPage - param::FirstMidiAssign; ++i) {
                const int index = param::FirstMidiAssign + i;
                setParameterFromDevice(
                    index, view.block[static_cast<std::size_t>(i)] / parameter(index).maximum());
            }
            break;
        case sysex::page::ProgramMap:
            for (int i = 0; i < NumPresets; ++i) {
                link_.programMap[static_cast<std::size_t>(i)] =
                    view.block[static_cast<std::size_t>(i)];
                if (!view_) continue;
                setParameterFromDevice(
                    param::DeviceProgram,
                    link_.programMap[static_cast<std::size_t>(intValue(param::ControllerProgram))] /
                        DeviceMax);
                setParameterFromDevice(param::DeviceProgram1,
                                       link_.programMap[static_cast<std::size_t>(
                                           intValue(param::ControllerProgram1) - 1)] /
                                           DeviceMax);
            }
            break;
        case sysex::page::Checksums:
            applyChecksumPage(view.block);
            break;
        default:
            break;
    }
}

void VornixControl::applyGlobalSettingsPage(ByteSpan block) {
    auto apply = [&](int index, std::uint8_t b) {
        setParameterFromDevice(index, b / parameter(index).maximum());
    };
    BulkUpdate = true;
    for (int i = 0; i < 10; ++i) {
        std::uint8_t b = block[1 + static_cast<std::size_t>(i)];
        if (param::DefineMidiMapping + i == param::EditPotDisplayMode && b != 0) b = 1;
        apply(param::DefineMidiMapping + i, b);
    }
    apply(param::SoftClipping, block[11]);
    apply(param::AnalogSimGain, block[12]);
    apply(param::AntiAliasing, block[13]);
    apply(99, block[16]);
    apply(param::SafeLevel, block[17]);
    BulkUpdate = false;
    sendToDevice(sysex::endTransfer());
    requestPreset(block[0]);
}

void VornixControl::applyChecksumPage(ByteSpan block) {
    bool any = false;
    for (int s = 0; s < NumPresets; ++s) {
        const sysex::Checksum device{block[2 * static_cast<std::size_t>(s)],
                                     block[2 * static_cast<std::size_t>(s) + 1]};
        const bool differs = !(device == link_.presetChecksums[static_cast<std::size_t>(s)]);
        link_.presetPending[static_cast<std::size_t>(s)] = differs;
        any = any || differs;
    }
    if (!any) {
        requestGlobalPage(sysex::page::Settings);
        return;
    }
    link_.presetDownloadActive = true;
    link_.presetDownloadSlot = -1;
    link_.lockPending = true;
}

void VornixControl::handleIrNamePage(const sysex::BlockView& view) {
    if (!link_.online || view.deviceByte != sysex::DeviceCode || !view.checksumOk) return;
    const int page = view.number;
    const int firstRow = NamesPerPage * (page & (PagesPerBank - 1));
    for (int i = 0; i < NamesPerPage && view_; ++i) {
        std::string name =
            sysex::trimDeviceName(view.block.subspan(32 * static_cast<std::size_t>(i), 32));
        if (name == std::string(sysex::NameBytes, ' ')) {
            char empty[32];
            std::snprintf(empty, sizeof empty, "Empty Slot %d", firstRow + 1 + i);
            name = empty;
        }
        view_->setUserIrRow(firstRow + i, name);
    }
    if (((page + 1) & (PagesPerBank - 1)) != 0)
        sendToDevice(sysex::requestIrNames(static_cast<std::uint8_t>(page + 1)));
}

}  // namespace vornix
