// The editor's user IRs: factory WAVs at start-up, turning a WAV file into a
// user IR (cached, packed and uploaded), IRs received from the device and the
// IR shown for the cabinet selector.
#include "core/vornix_control.hpp"
#include "storage/file_io.hpp"

namespace vornix {

void VornixControl::initialiseCaches(const ir::FactoryWavProvider& factoryWavs) {
    if (factoryWavs) ir::extractFactoryWavs(cache_.folder(), factoryWavs);
    irNames_.loadFromFolder(cache_.folder());
    refreshPresetListFromFiles();
    loadPresetSlots();
}

ir::WavResult VornixControl::readWavIntoIr(const std::filesystem::path& path) {
    ir::WavResult wav = ir::readWav(path);
    if (wav.ok()) ir::loadIntoBuffer(wav.samples, *irSamples_);
    return wav;
}

void VornixControl::storeIr(const ir::IrName& name, unsigned number) {
    const ir::EncodedIrSlot encoded = ir::encodeIrSlotFile(name, *irSamples_);
    irGain_ = encoded.gain;
    storeIrSlotFile(encoded.bytes, number);
}

// Caches a finished slot file, hands it to the upload and shows its name.
void VornixControl::storeIrSlotFile(std::span<const std::uint8_t> slotFile, unsigned number) {
    ir::IrName name;
    std::copy_n(slotFile.begin() + ir::irslot::Name, name.size(), name.begin());
    ir::storeIrFile(cache_.folder(), number, slotFile);
    irUpload_.load(slotFile, number, online());
    irNames_.refresh(cache_.folder(), number);
    const std::string trimmed = sysex::trimDeviceName(name);
    if (userIrTarget_ != UserIrTarget::None) {
        setUserIrName(userIrTarget_ == UserIrTarget::Ir7 ? 7 : 8, trimmed);
        const unsigned row = ir::irRowOf(number);
        userIrRows_[row] = trimmed;
        link_.events().emit(&ListEvents::userIrRowChanged, static_cast<int>(row), trimmed);
    }
    if (ir::isCabinetIrNumber(number))
        link_.events().emit(&ListEvents::cabinetNameChanged,
                            static_cast<int>(number - ir::CabinetIrFirst) + 1, trimmed);
}

void VornixControl::setUserIrName(int position, const std::string& name) {
    userIrNames_[position == 7 ? 0 : 1] = name;
    link_.events().emit(&SoundEvents::irPositionNameChanged, position, name);
}

void VornixControl::requestIr(unsigned number) {
    irDownload_.request(number, !bankExport_.active());
}

const std::string& VornixControl::userIrName(int position) const {
    return userIrNames_[position == 7 ? 0 : 1];
}

// The IMPORT of an IR position: the preset's own user IR number (p for
// position 7, 128 + p for 8) receives the WAV. The WAV is asked for first: a
// cancelled dialog, or a WAV that cannot be read (refused with its reason),
// leaves the position's number, and so the device's sound, as it was.
Result VornixControl::importUserIr(UserIrTarget position, std::optional<std::string> path) {
    const bool ir7 = position == UserIrTarget::Ir7;
    if (!path) {
        FileRequest request;
        request.extension = "wav";
        request.initialName = storedWavPath_;
        path = link_.platform().chooseFile(request);
    }
    if (!path || path->empty()) return Result::failed("no WAV file was chosen");
    storedWavPath_ = *path;
    wavImportInProgress_ = true;
    const ir::WavResult wav = readWavIntoIr(*path);
    if (wav.ok()) {
        const int number = sound_.currentPreset + (ir7 ? 0 : NumPresets);
        userIrTarget_ = position;
        assignUserIr(position, number);
        storeIr(ir::wavNameFromPath(*path), static_cast<unsigned>(number));
    } else {
        link_.showMessage(wav.message);
    }
    wavImportInProgress_ = false;
    return wav.ok() ? Result::done() : Result::failed(wav.message);
}

// An IR the device sent: cached, then shown, and the IR of position 8 asked
// for next when the current preset plays one that is not cached yet.
void VornixControl::storeReceivedIr(unsigned number, std::span<const std::uint8_t> bytes) {
    ir::storeIrFile(cache_.folder(), number, bytes);
    irNames_.refresh(cache_.folder(), number);
    refreshIrDisplay();
    const bool ir8Missing =
        intValue(param::Ir8Mode) != 0 && static_cast<int>(number) != ir8Slot_ &&
        !storage::FileReader(cache_.folder().irFile(static_cast<unsigned>(ir8Slot_))).isOpen();
    if (ir8Missing) irDownload_.request(static_cast<unsigned>(ir8Slot_), !bankExport_.active());
    link_.events().emit(&TransferEvents::irReceived, number);
}

// Position 7 and 8 play the preset's user IRs when their mode is on.
void VornixControl::showIrSelection(int value) {
    const ir::CabinetLoader loader = [this](int cabinet, ir::IrSampleBuffer& buffer) {
        if (cabinet == 7 && intValue(param::Ir7Mode) >= 1)
            ir::loadUserIr(cache_.folder(), static_cast<unsigned>(ir7Slot_), buffer);
        else if (cabinet == 8 && intValue(param::Ir8Mode) >= 1)
            ir::loadUserIr(cache_.folder(), static_cast<unsigned>(ir8Slot_), buffer);
        else
            ir::loadCabinetIr(cache_.folder(), cabinet, buffer);
    };
    ir::crossFadeIrSelection(value, loader, *irSamples_);
    link_.events().emit(&SoundEvents::impulseResponseChanged, *irSamples_, !sound_.BulkUpdate);
}

// Only the window shows the response; with it closed there is nothing to draw.
void VornixControl::refreshIrDisplay() {
    if (link_.windowOpen()) showIrSelection(intValue(param::Ir));
}

}  // namespace vornix
