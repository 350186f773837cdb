#pragma once
// What the library keeps of a preset: the record the pedal plays, the IR
// slot files of the user IRs it plays, what the values are recognised as,
// where it came from, and the player's own favourite, tags and notes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/preset_record.hpp"

namespace vornix::library {

using EntryId = std::int64_t;
using IrSlotFile = std::vector<std::uint8_t>;

// Where an entry came from.
struct EntrySource {
    enum class Kind { Pedal, EditedSound, PresetFile, BankFile };
    Kind kind = Kind::PresetFile;
    std::string path;    // the preset or bank file
    int slot = -1;       // the pedal's or the bank's slot, 0-127
    std::string serial;  // the pedal's
};

// The sound itself: the 256-byte record and its user IRs' slot files
// (present only for positions that play a user IR the source carried).
struct PresetContent {
    sysex::PresetRecord record{};
    std::optional<IrSlotFile> ir7;
    std::optional<IrSlotFile> ir8;
};

// An entry about to be added: the content, where it came from and when.
struct NewEntry {
    PresetContent content;
    EntrySource source;
    std::string added;  // UTC, "YYYY-MM-DD HH:MM:SS"
};

// A row of the library as lists show it (no record bytes).
struct EntrySummary {
    EntryId id = 0;
    std::string name;
    std::string ampModel;
    std::string ambience;
    std::string cabinet;
    std::string ir7Name;  // empty when position 7 plays a cabinet
    std::string ir8Name;
    EntrySource source;
    std::string added;
    bool favourite = false;
    std::string tags;  // space-separated
    std::string notes;
    std::string fingerprint;
    EntryId duplicateOf = 0;  // the oldest entry with the same sound, or 0
};

struct LibraryEntry {
    EntrySummary summary;
    PresetContent content;
};

// "slot 12 of pedal VX0001 (2026-12-10)", "preset file /x/y.kvp", ...
std::string describeSource(const EntrySource& source, const std::string& added);

}  // namespace vornix::library
