#pragma once
// The library's work against the editor, for the window, vornixctl and the
// script interface alike: adding what the pedal and files hold, auditioning
// entries on the pedal (and putting the sound before back), and storing an
// entry into a slot with its user IRs.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/editor_events.hpp"
#include "library/preset_library.hpp"

namespace vornix {
class VornixControl;
}

namespace vornix::library {

class Librarian : public TransferEvents, public SoundEvents {
  public:
    Librarian(VornixControl& editor, PresetLibrary& library);
    ~Librarian() override;
    Librarian(const Librarian&) = delete;
    Librarian& operator=(const Librarian&) = delete;

    PresetLibrary& library() { return library_; }

    // ---- adding ----
    // What was added, or nullopt when the library could not be written.
    using AddResult = std::optional<std::vector<PresetLibrary::Added>>;
    // The sound being edited, and slots from the cache (the pedal's after a sync).
    AddResult addEditedSound(const std::string& now);
    AddResult addSlots(int first, int last, const std::string& now);
    // Preset files, folders (searched through) and bank files (their 128
    // slots). A source that cannot be read is refused on its own: its reason
    // goes to `refusals` ("PATH: REASON") and the rest are added.
    AddResult addFiles(const std::vector<std::filesystem::path>& sources, const std::string& now,
                       std::vector<std::string>& refusals);

    // ---- audition ----
    // The entry becomes the sound on the pedal (0x20, modified, not stored);
    // its user IRs are not uploaded. The first audition keeps the sound that
    // was there for endAudition. False when the entry is not there.
    bool audition(EntryId id);
    bool auditioning() const { return before_.has_value(); }
    // Escape: the sound before the first audition comes back as it was.
    void cancelAudition();
    // The auditioned sound stays the one being edited.
    void keepAudition() { before_.reset(); }
    // Why the pedal would not play an entry as it was kept: "user IR 7
    // differs on the pedal", or empty.
    std::string irDifference(const PresetContent& content) const;

    // ---- storing ----
    // Recalls the slot, imports the entry as a preset file (its user IRs
    // uploaded into the slot's own IR numbers) and stores it there. Ends with
    // TransferEvents::presetFileImported and, when that succeeded, the store.
    // Refused (false, `why` set) offline or for an unknown entry.
    bool storeIntoSlot(EntryId id, int slot, std::string& why);

    void presetFileImported(bool ok, const std::string& reason) override;
    void presetApplied(const AppliedPreset& preset) override;

  private:
    VornixControl& editor_;
    PresetLibrary& library_;
    struct SoundBefore {
        std::vector<std::uint8_t> file;
        bool modified = false;
    };
    std::optional<SoundBefore> before_;
    // A store into a slot: the slot is recalled, then the entry imported,
    // then stored.
    enum class StoreStep { None, Recalling, Importing };
    StoreStep storeStep_ = StoreStep::None;
    int storeSlot_ = -1;
    std::filesystem::path storeFile_;
};

// The sound being edited as the record the device would store.
sysex::PresetRecord editedRecord(const VornixControl& editor);
// The serial of the pedal the editor is connected to, without its padding.
std::string pedalSerial(const VornixControl& editor);

}  // namespace vornix::library
