#pragma once
// Where a preset to show or compare comes from, as the command line and the
// script name it: a slot number (0-127), "edit" (the sound being edited),
// "FILE.kvp" (a preset file) or "FILE.kvb:SLOT" (a slot of a bank file). The
// files are read here; a slot is read from the cache once it is in step with
// the device, and the edit is the editor's.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/preset_text.hpp"
#include "storage/data_folder.hpp"

namespace vornix {

class VornixControl;

struct PresetSource {
    enum class Kind { Slot, Edit, PresetFile, BankSlot } kind = Kind::Edit;
    int slot = 0;  // Slot and BankSlot
    std::filesystem::path path;
    // A slot or the edit: only the device (or the cache after a sync) knows them.
    bool needsDevice() const { return kind == Kind::Slot || kind == Kind::Edit; }
};

PresetSource slotSource(int slot);
PresetSource editSource();
PresetSource presetFileSource(std::filesystem::path path);
PresetSource bankSlotSource(std::filesystem::path path, int slot);

// The source a word names, or why it names none.
struct SourceParse {
    std::optional<PresetSource> source;
    std::string error;
};
SourceParse parsePresetSource(std::string_view word);

// A preset read from a source: the whole record the device would receive
// for it (0x20) and its snapshot, or why it could not be read.
struct SourceRead {
    std::optional<sysex::PresetRecord> record;
    PresetSnapshot preset;
    std::string error;
    bool ok() const { return record.has_value(); }
};
SourceRead readPresetFileSource(const std::filesystem::path& path);
SourceRead readBankSlotSource(const std::filesystem::path& path, int slot);
SourceRead readCachedSlot(const storage::DataFolder& folder, int slot);
// Every preset slot of a bank file, for comparing whole banks.
struct BankRead {
    std::vector<std::optional<sysex::PresetRecord>> records;  // by slot, 128
    std::string error;
};
BankRead readBankRecords(const std::filesystem::path& path);
// The sound being edited, as the editor holds it.
PresetSnapshot snapshotOfEdit(const VornixControl& editor);
// Reads any source; the edit and slots need the editor (in step with the device).
SourceRead readPresetSource(const PresetSource& source, const VornixControl& editor);

}  // namespace vornix
