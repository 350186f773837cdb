#pragma once
// Writing a setlist to the pedal: song k goes into slot `from` + k. The plan
// says which slots change (old name -> new name) and which hold their song
// already; the writer then writes only the slots that change, each with the
// user IRs it plays, as a one-slot restore read back byte for byte, one
// after the other. The backup before it is the caller's: the window asks,
// vornixctl takes it unless told not to.
#include <functional>
#include <string>
#include <vector>

#include "core/editor_events.hpp"
#include "core/slot_write.hpp"
#include "library/preset_library.hpp"

namespace vornix {
class VornixControl;
}

namespace vornix::library {

struct SlotChange {
    int slot = 0;
    EntryId entry = 0;
    std::string oldName;  // what the slot holds now, as cached
    std::string newName;
    bool differs = true;  // false: the slot holds the song already
    SlotContent content;  // the song as this slot holds it
};

struct SetlistPlan {
    std::vector<SlotChange> changes;
    std::string refusal;  // why the setlist cannot be written from there, or empty
    int toWrite() const;
};

// The plan for `songs` from slot `from` (0-127) against the cached slots.
SetlistPlan planSetlistWrite(PresetLibrary& library, const std::vector<PresetLibrary::Song>& songs,
                             int from, const storage::DataFolder& cache);

// "21: Old Name -> New Name" per slot, "(holds it already)" where nothing changes.
std::vector<std::string> describePlan(const SetlistPlan& plan);

class SetlistWriter : public TransferEvents {
  public:
    struct Outcome {
        std::vector<int> written;           // written and read back equal
        std::vector<std::string> failures;  // "slot 23: the slot could not be read back"
        int unchanged = 0;
    };
    using Done = std::function<void(const Outcome&)>;

    explicit SetlistWriter(VornixControl& editor);
    ~SetlistWriter() override;
    SetlistWriter(const SetlistWriter&) = delete;
    SetlistWriter& operator=(const SetlistWriter&) = delete;

    // Writes the plan's changed slots in order, up to the first that fails;
    // `done` runs once after the last (at once when nothing changes). False
    // with `why` when it cannot start.
    bool start(SetlistPlan plan, Done done, std::string& why);
    bool active() const { return active_; }
    // "Writing slot 23 (2 of 10)".
    std::string progress() const;

    void slotWritten(int slot, bool ok, const std::string& why) override;

  private:
    void writeNext();
    void abandon(int slot, const std::string& why);
    void finish();

    VornixControl& editor_;
    SetlistPlan plan_;
    std::size_t next_ = 0;
    int current_ = -1;
    int done_ = 0;
    bool active_ = false;
    Outcome outcome_;
    Done onDone_;
};

// "10 slots written and read back; 2 held their songs already." and the failures.
std::string summarise(const SetlistWriter::Outcome& outcome);

}  // namespace vornix::library
