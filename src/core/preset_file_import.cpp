#include "core/preset_file_import.hpp"

#include "core/parameters.hpp"
#include "device/preset_record.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix {

namespace {

namespace pf = storage::presetfile;

// The user IR number a file's position names, from its bank and number bytes.
unsigned ownIrNumber(const PresetFileImport::Target& target, int bankParam, int numberParam) {
    return sysex::join14(static_cast<unsigned>(target.intValue(bankParam)),
                         static_cast<unsigned>(target.intValue(numberParam)));
}

std::string parameterFault(int index, const iplug::IParam& p, int byte) {
    const std::string which = "parameter " + std::to_string(index) + " \"" + p.name() + "\"";
    if (byte > DeviceValueMax)
        return which + " holds " + std::to_string(byte) + ", not a 7-bit value";
    return which + " is " + std::to_string(byte) + ", outside " +
           std::to_string(static_cast<int>(p.minimum())) + " to " +
           std::to_string(static_cast<int>(p.maximum()));
}

// What makes a file of the right format unfit to become the sound, or empty:
// a file cut short or overwritten with noise would switch on IR positions
// without IRs, pin values at their ends and put bytes on the wire that no
// SysEx message may carry.
std::string damageIn(std::span<const std::uint8_t> file) {
    if (const int cut = storage::assignIrBlocks(file).cut)
        return "it ends inside its " + std::string(cut == 1 ? "first" : "second") + " IR block";
    static const std::vector<iplug::IParam> catalogue = buildParameterCatalogue();
    for (int i = 0; i < NumPresetParams; ++i) {
        const iplug::IParam& p = catalogue[static_cast<std::size_t>(i)];
        const int byte = file[pf::Params + static_cast<std::size_t>(i)];
        if (byte > DeviceValueMax || byte < p.minimum() || byte > p.maximum())
            return parameterFault(i, p, byte);
    }
    return storage::unprintableNameIn(file);
}

}  // namespace

PresetFileImport::FileCheck PresetFileImport::read(const std::filesystem::path& path) {
    FileCheck check;
    storage::FileReader reader(path);
    if (!reader.isOpen()) {
        check.refusal = "Cannot open the preset file " + path.string();
        return check;
    }
    if (reader.size() >= pf::MaxFileBytes) {
        check.refusal = "Unknown file format.";
        return check;
    }
    check.bytes.resize(static_cast<std::size_t>(reader.size()));
    check.bytes.resize(reader.read(check.bytes.data(), check.bytes.size()));
    switch (storage::checkPresetFile(check.bytes)) {
        case storage::PresetFileCheck::UnknownFormat:
            check.refusal = "Unknown file format.";
            check.box = FileCheck::Box::Later;
            break;
        case storage::PresetFileCheck::UnsupportedVersion:
            check.refusal =
                "Unsupported file version. \nPlease update the Vornix Editor \nto the latest "
                "version.";
            check.box = FileCheck::Box::Now;
            break;
        case storage::PresetFileCheck::Ok:
            if (const std::string damage = damageIn(check.bytes); !damage.empty()) {
                check.refusal = "The preset file is damaged: " + damage + ". Nothing was changed.";
                check.box = FileCheck::Box::Now;
            }
            break;
    }
    return check;
}

// A file too long to be a preset file is refused without a box; the other
// refusals are shown, the unknown format at the next idle tick.
void PresetFileImport::start(const std::filesystem::path& path) {
    FileCheck check = read(path);
    if (!check.refusal.empty()) {
        if (check.box == FileCheck::Box::Later)
            link_.showMessageLater(check.refusal);
        else if (check.box == FileCheck::Box::Now)
            link_.showMessage(check.refusal);
        refuse(check.refusal);
        return;
    }
    std::vector<std::uint8_t> file = std::move(check.bytes);
    if (!target_.modified()) {
        askThenApply(std::move(file));
        return;
    }
    link_.platform().messageBox("Current Preset not saved. \nContinue without saving?", "",
                                Buttons::OkCancel,
                                [this, file = std::move(file)](Answer answer) mutable {
                                    if (answer == Answer::Ok)
                                        askThenApply(std::move(file));
                                    else
                                        refuse("cancelled");
                                });
}

void PresetFileImport::refuse(const std::string& reason) {
    link_.events().emit(&TransferEvents::presetFileImported, false, reason);
}

// A file that brings an IR for a position that plays a user IR replaces it.
void PresetFileImport::askThenApply(std::vector<std::uint8_t> file) {
    const bool replacesIr = (target_.intValue(param::Ir7Mode) >= 1 && file[pf::Ir7Mode] > 0) ||
                            (target_.intValue(param::Ir8Mode) >= 1 && file[pf::Ir8Mode] > 0);
    if (!replacesIr) {
        apply(std::move(file));
        return;
    }
    link_.platform().messageBox(
        "This operation will overwrite the currently selected User IR. \nContinue without "
        "saving?",
        "", Buttons::OkCancel, [this, file = std::move(file)](Answer answer) mutable {
            if (answer == Answer::Ok)
                apply(std::move(file));
            else
                refuse("cancelled");
        });
}

void PresetFileImport::apply(std::vector<std::uint8_t> file) {
    const storage::PresetFileBlocks blocks = storage::assignIrBlocks(file);
    // The preset's own user IR numbers: p for position 7 and 128 + p for 8.
    const auto p = static_cast<std::uint8_t>(target_.currentPreset());
    if (file[pf::Ir7Bank] < 2) {
        file[pf::Ir7Bank] = 0;
        file[pf::Ir7Number] = p;
    }
    if (file[pf::Ir8Bank] < 2) {
        file[pf::Ir8Bank] = 1;
        file[pf::Ir8Number] = p;
    }
    target_.applyPresetFileValues(file);

    secondIr_.clear();
    if (!blocks.ir7 && !blocks.ir8) {
        if (target_.online()) target_.sendPreset();
        finish();
        return;
    }
    if (blocks.ir7) {
        waitingFor7_ = true;
        waitingFor8_ = blocks.ir8.has_value();
        if (blocks.ir8) secondIr_.assign(blocks.ir8->begin(), blocks.ir8->end());
        target_.storeIrBlock(*blocks.ir7,
                             static_cast<unsigned>(target_.intValue(param::Ir7SlotLow)));
        // Offline, no acknowledgement will come: the second IR is cached at once.
        if (!target_.online() && waitingFor8_) storeSecondIr();
    } else {
        waitingFor8_ = true;
        target_.storeIrBlock(*blocks.ir8,
                             ownIrNumber(target_, param::Ir8SlotHigh, param::Ir8SlotLow));
    }
    // Offline the chain ends with the cached files. Flags left set would take
    // the acknowledgement of some later upload for this import's.
    if (!target_.online()) {
        waitingFor7_ = waitingFor8_ = false;
        finish();
    }
}

void PresetFileImport::storeSecondIr() {
    if (secondIr_.empty()) return;
    const std::vector<std::uint8_t> block = std::move(secondIr_);
    secondIr_.clear();
    target_.storeIrBlock(block, ownIrNumber(target_, param::Ir8SlotHigh, param::Ir8SlotLow));
}

bool PresetFileImport::irStored() {
    if (waitingFor7_) {
        waitingFor7_ = false;
        if (waitingFor8_) {
            storeSecondIr();
            return true;
        }
    } else if (waitingFor8_) {
        waitingFor8_ = false;
    } else {
        return false;
    }
    target_.refreshIrDisplay();
    target_.sendPreset();
    finish();
    return true;
}

void PresetFileImport::irFailed(const std::string& reason) {
    if (!waitingFor7_ && !waitingFor8_) return;
    waitingFor7_ = waitingFor8_ = false;
    secondIr_.clear();
    refuse(reason);
}

void PresetFileImport::finish() {
    link_.events().emit(&TransferEvents::presetFileImported, true, {});
}

}  // namespace vornix
