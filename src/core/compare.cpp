// A/B against the stored preset or any other: which preset B is, and the
// notes the window shows about the user IRs it plays.
#include "core/preset_sources.hpp"
#include "core/vornix_control.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix {

namespace {

std::string slotLabel(int slot) {
    return "SLOT " + std::to_string(slot);
}

}  // namespace

bool VornixControl::toggleComparison() {
    if (!online()) return false;
    if (!comparison_.chosen()) {
        SourceRead stored = readCachedSlot(cache_.folder(), sound_.currentPreset);
        // A slot the cache does not hold yet: the values the device sent for it.
        const sysex::PresetRecord record =
            stored.ok() ? *stored.record
                        : storage::buildPresetRecord(sound_.StoredValues, sound_.presetName,
                                                     userIrNames_[0], userIrNames_[1]);
        choosePresetAsB(record, sound_.currentPreset, "STORED");
    }
    const bool toggled = comparison_.toggle();
    // The readout shows the preset number, not a value, while the two are compared.
    if (toggled && comparison_.playingB()) {
        readoutTicks_.reset();
        link_.events().emit(&SoundEvents::readoutTimedOut,
                            sound_.currentPreset + intValue(param::PatchOffset));
    }
    return toggled;
}

Result VornixControl::compareWith(const PresetSource& source) {
    if (source.kind == PresetSource::Kind::Edit)
        return Result::failed("The edit is A: compare it with a slot or a file.");
    if (!online()) return Result::failed("The device is not connected.");
    const SourceRead read = readPresetSource(source, *this);
    if (!read.ok()) return Result::failed(read.error);
    const bool isSlot = source.kind == PresetSource::Kind::Slot;
    const bool sameSlot = isSlot && source.slot == sound_.currentPreset;
    choosePresetAsB(*read.record, read.preset.slot,
                    sameSlot ? "STORED"
                    : isSlot ? slotLabel(source.slot)
                             : "FILE");
    comparison_.playB();
    readoutTicks_.reset();
    link_.events().emit(&SoundEvents::readoutTimedOut,
                        sound_.currentPreset + intValue(param::PatchOffset));
    return Result::done();
}

// As if the user set each value on its page: one step of the history, each
// value sent as its own edit. A user IR number is left out: its two halves
// go to the device only with its acknowledgement in between, which a
// comparison's row cannot wait for.
void VornixControl::takeFromB(std::span<const ParamValue> values) {
    if (values.empty()) return;
    history_.asOneStep(StepKind::Value, 0, [&] {
        for (const ParamValue& v : values)
            if (v.index < param::Ir7SlotHigh || v.index > param::Ir8SlotLow)
                setParameterFromUser(v.index, v.value);
    });
}

void VornixControl::choosePresetAsB(const sysex::PresetRecord& record, std::optional<int> slot,
                                    std::string label) {
    Comparison::Other other;
    other.record = record;
    other.preset = snapshotOfRecord(record);
    other.preset.slot = slot;
    other.label = std::move(label);
    other.irNote = userIrNoteFor(other.preset);
    comparison_.choose(std::move(other));
}

// B plays what the pedal holds in the IR slots it names; a name that differs
// from the cached IR of that slot means B will not sound as it was made.
std::string VornixControl::userIrNoteFor(const PresetSnapshot& other) const {
    std::string note;
    const auto check = [&](int position, ParamIndex mode, ParamIndex high, ParamIndex low,
                           const std::string& named) {
        if (other.values[static_cast<std::size_t>(static_cast<int>(mode))] == 0) return;
        const unsigned number = sysex::join14(
            static_cast<unsigned>(other.values[static_cast<std::size_t>(static_cast<int>(high))]),
            static_cast<unsigned>(other.values[static_cast<std::size_t>(static_cast<int>(low))]));
        if (!ir::isUserIrNumber(number)) return;
        const std::string pedal = plainName(sysex::padName(irNames_.userName(number)));
        if (pedal == named) return;
        note += (note.empty() ? "" : "\n") + std::string("IR ") + std::to_string(position) +
                ": B names \"" + named + "\", the pedal plays \"" + pedal + "\"";
    };
    check(7, param::Ir7Mode, param::Ir7SlotHigh, param::Ir7SlotLow, other.ir7Name);
    check(8, param::Ir8Mode, param::Ir8SlotHigh, param::Ir8SlotLow, other.ir8Name);
    return note;
}

}  // namespace vornix
