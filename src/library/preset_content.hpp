#pragma once
// Turning the places a preset lives into library content, and what the
// library recognises in it: the name, the amplifier model and ambience type
// the values match, the cabinet the selector plays, the user IR names and a
// fingerprint of the sound.
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "library/library_entry.hpp"
#include "storage/data_folder.hpp"

namespace vornix::library {

// Over the parameter bytes (record bytes 34 to 107) and the samples of the
// user IRs, never the name: the same sound under another name is a duplicate.
std::string fingerprintOf(const PresetContent& content);

struct Recognised {
    std::string name;
    std::string ampModel;  // a model's name, or "Custom"
    std::string ambience;  // a type's name, or "Custom"
    std::string cabinet;   // "Dalvin 8x10", a blend "Dalvin 8x10 / Eskar 2x15", a user IR's name
    std::string ir7Name;   // only when position 7 plays a user IR
    std::string ir8Name;
};
Recognised recognise(const sysex::PresetRecord& record);

// A slot of the cache (after a sync) with the user IRs the cache holds.
PresetContent contentOfCachedSlot(const storage::DataFolder& folder, int slot);
// A record and the user IRs it plays from the cache (the edited sound).
PresetContent contentWithCachedIrs(const storage::DataFolder& folder,
                                   const sysex::PresetRecord& record);

// A preset file's content, or why it is refused.
struct FileContent {
    PresetContent content;
    std::string refusal;
};
FileContent contentOfPresetFile(const std::filesystem::path& path);
// The preset file a library entry is exported as.
std::vector<std::uint8_t> presetFileOf(const PresetContent& content);

// The 128 slots of a whole bank file, or why it is refused.
struct BankContent {
    std::vector<PresetContent> slots;
    std::string refusal;
};
BankContent contentOfBankFile(const std::filesystem::path& path);

// Every preset file (".kvp", any case) under a folder and its sub-folders,
// sorted so that adding a folder is repeatable.
std::vector<std::filesystem::path> presetFilesUnder(const std::filesystem::path& folder);

}  // namespace vornix::library
