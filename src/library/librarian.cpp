#include "library/librarian.hpp"

#include <unistd.h>

#include "core/vornix_control.hpp"
#include "library/preset_content.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::library {

namespace {

std::vector<std::uint8_t> presetFileWithoutIrs(const PresetContent& content) {
    return presetFileOf({content.record, std::nullopt, std::nullopt});
}

bool sameSamples(const std::optional<IrSlotFile>& kept, const std::filesystem::path& cached) {
    if (!kept) return true;  // nothing kept to compare
    const auto bytes = storage::readFile(cached, kept->size() + 1);
    return bytes == *kept;
}

}  // namespace

sysex::PresetRecord editedRecord(const VornixControl& editor) {
    std::array<int, NumPresetParams> values{};
    for (int i = 0; i < NumPresetParams; ++i)
        values[static_cast<std::size_t>(i)] = editor.intValue(i);
    return storage::buildPresetRecord(values, editor.sound().presetName,
                                      editor.userIrs().userIrName(7),
                                      editor.userIrs().userIrName(8));
}

std::string pedalSerial(const VornixControl& editor) {
    std::string serial = editor.connection().device().serial;
    serial.erase(serial.find_last_not_of(' ') + 1);
    return serial;
}

Librarian::Librarian(VornixControl& editor, PresetLibrary& library)
    : editor_(editor), library_(library) {
    editor_.link().events().add(*this);
}

Librarian::~Librarian() {
    editor_.link().events().remove(*this);
    if (!storeFile_.empty()) std::filesystem::remove(storeFile_);
}

Librarian::AddResult Librarian::addEditedSound(const std::string& now) {
    const auto& folder = editor_.cache().folder();
    const std::string serial = pedalSerial(editor_);
    return library_.add({{contentWithCachedIrs(folder, editedRecord(editor_)),
                          {EntrySource::Kind::EditedSound, {}, -1, serial},
                          now}});
}

Librarian::AddResult Librarian::addSlots(int first, int last, const std::string& now) {
    const auto& folder = editor_.cache().folder();
    const std::string serial = pedalSerial(editor_);
    std::vector<NewEntry> entries;
    for (int slot = first; slot <= last; ++slot)
        entries.push_back(
            {contentOfCachedSlot(folder, slot), {EntrySource::Kind::Pedal, {}, slot, serial}, now});
    return library_.add(entries);
}

Librarian::AddResult Librarian::addFiles(const std::vector<std::filesystem::path>& sources,
                                         const std::string& now,
                                         std::vector<std::string>& refusals) {
    std::vector<NewEntry> entries;
    const auto addFile = [&](const std::filesystem::path& path) {
        const FileContent file = contentOfPresetFile(path);
        if (!file.refusal.empty()) {
            refusals.push_back(path.string() + ": " + file.refusal);
            return;
        }
        entries.push_back(
            {file.content, {EntrySource::Kind::PresetFile, path.string(), -1, {}}, now});
    };
    for (const auto& source : sources) {
        std::error_code error;
        if (std::filesystem::is_directory(source, error)) {
            for (const auto& path : presetFilesUnder(source)) addFile(path);
        } else if (source.extension() == ".kvb") {
            const BankContent bank = contentOfBankFile(source);
            if (!bank.refusal.empty()) refusals.push_back(source.string() + ": " + bank.refusal);
            for (std::size_t slot = 0; slot < bank.slots.size(); ++slot)
                entries.push_back(
                    {bank.slots[slot],
                     {EntrySource::Kind::BankFile, source.string(), static_cast<int>(slot), {}},
                     now});
        } else {
            addFile(source);
        }
    }
    return library_.add(entries);
}

bool Librarian::audition(EntryId id) {
    const auto entry = library_.find(id);
    if (!entry) return false;
    if (!before_)
        before_ = SoundBefore{presetFileWithoutIrs({editedRecord(editor_), {}, {}}),
                              editor_.sound().ModifiedFlag};
    editor_.presetFiles().playPresetFile(presetFileWithoutIrs(entry->content), true);
    return true;
}

void Librarian::cancelAudition() {
    if (!before_) return;
    const SoundBefore before = std::move(*before_);
    before_.reset();
    editor_.presetFiles().playPresetFile(before.file, before.modified);
}

std::string Librarian::irDifference(const PresetContent& content) const {
    const auto& folder = editor_.cache().folder();
    std::string differs;
    for (int position : {7, 8}) {
        const int number = sysex::recordIrNumber(content.record, position);
        if (number < 0) continue;
        const auto& kept = position == 7 ? content.ir7 : content.ir8;
        if (sameSamples(kept, folder.irFile(static_cast<unsigned>(number)))) continue;
        differs += differs.empty() ? "" : " and ";
        differs += std::to_string(position);
    }
    if (differs.empty()) return differs;
    return (differs.size() == 1 ? "user IR " + differs + " differs"
                                : "user IRs " + differs + " differ") +
           " on the pedal";
}

bool Librarian::storeIntoSlot(EntryId id, int slot, std::string& why) {
    const auto entry = library_.find(id);
    if (!entry) {
        why = "The library holds no entry " + std::to_string(id) + ".";
        return false;
    }
    if (!editor_.connection().online()) {
        why = "The pedal is not connected.";
        return false;
    }
    if (slot < 0 || slot >= NumPresets) {
        why = "There is no slot " + std::to_string(slot) + ".";
        return false;
    }
    before_.reset();
    storeFile_ = std::filesystem::temp_directory_path() /
                 ("vornix-library-" + std::to_string(::getpid()) + ".kvp");
    if (!storage::writeFile(storeFile_, presetFileOf(entry->content))) {
        why = "Cannot write " + storeFile_.string() + ".";
        return false;
    }
    storeSlot_ = slot;
    storeStep_ = StoreStep::Recalling;
    editor_.selectPreset(slot);
    return true;
}

void Librarian::presetApplied(const AppliedPreset&) {
    if (storeStep_ != StoreStep::Recalling) return;
    storeStep_ = StoreStep::Importing;
    editor_.presetFiles().importPresetFile(storeFile_);
}

void Librarian::presetFileImported(bool ok, const std::string&) {
    if (storeStep_ != StoreStep::Importing) return;
    storeStep_ = StoreStep::None;
    std::filesystem::remove(storeFile_);
    storeFile_.clear();
    if (ok) editor_.storeLibraryEntry(storeSlot_);
}

}  // namespace vornix::library
