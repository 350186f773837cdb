#include "library/setlist_writer.hpp"

#include <algorithm>

#include "core/vornix_control.hpp"
#include "library/preset_content.hpp"

namespace vornix::library {

namespace {

std::string nameOf(std::span<const std::uint8_t> record) {
    if (record.size() < sysex::RecordSize) return {};
    std::string name = sysex::trimDeviceName(record.subspan(sysex::record::Name, sysex::NameBytes));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

// Byte 0 says only who built the record; the rest is what the pedal plays.
bool sameRecord(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return a.size() == b.size() && a.size() > sysex::record::Name &&
           std::equal(a.begin() + sysex::record::Name, a.end(), b.begin() + sysex::record::Name);
}

bool sameIr(const std::optional<IrSlotFile>& song, const std::optional<IrSlotFile>& cached) {
    return !song || song == cached;
}

SlotChange changeFor(const LibraryEntry& entry, int slot, const storage::DataFolder& cache) {
    SlotChange change;
    change.slot = slot;
    change.entry = entry.summary.id;
    change.content = {slot, recordForSlot(entry.content.record, slot), entry.content.ir7,
                      entry.content.ir8};
    const PresetContent held = contentOfCachedSlot(cache, slot);
    change.oldName = nameOf(held.record);
    change.newName = nameOf(change.content.record);
    change.differs = !sameRecord(change.content.record, held.record) ||
                     !sameIr(change.content.ir7, held.ir7) || !sameIr(change.content.ir8, held.ir8);
    return change;
}

}  // namespace

int SetlistPlan::toWrite() const {
    return static_cast<int>(std::count_if(changes.begin(), changes.end(),
                                          [](const SlotChange& c) { return c.differs; }));
}

SetlistPlan planSetlistWrite(PresetLibrary& library, const std::vector<PresetLibrary::Song>& songs,
                             int from, const storage::DataFolder& cache) {
    SetlistPlan plan;
    const int count = static_cast<int>(songs.size());
    if (count == 0) {
        plan.refusal = "The setlist holds no songs.";
        return plan;
    }
    if (from < 0 || from + count > NumPresets) {
        plan.refusal = "The setlist's " + std::to_string(count) + " songs do not fit from slot " +
                       std::to_string(from) + ": the pedal has slots 0 to " +
                       std::to_string(NumPresets - 1) + ".";
        return plan;
    }
    for (int k = 0; k < count; ++k) {
        const auto entry = library.find(songs[static_cast<std::size_t>(k)].entry);
        if (!entry) {
            plan.refusal = "Song " + std::to_string(k + 1) + " names entry " +
                           std::to_string(songs[static_cast<std::size_t>(k)].entry) +
                           ", which the library no longer holds.";
            plan.changes.clear();
            return plan;
        }
        plan.changes.push_back(changeFor(*entry, from + k, cache));
    }
    return plan;
}

std::vector<std::string> describePlan(const SetlistPlan& plan) {
    std::vector<std::string> lines;
    for (const SlotChange& change : plan.changes)
        lines.push_back(std::to_string(change.slot) + ": " +
                        (change.differs ? change.oldName + " -> " + change.newName
                                        : change.newName + " (holds it already)"));
    return lines;
}

SetlistWriter::SetlistWriter(VornixControl& editor) : editor_(editor) {
    editor_.link().events().add(*this);
}

SetlistWriter::~SetlistWriter() {
    editor_.link().events().remove(*this);
}

bool SetlistWriter::start(SetlistPlan plan, Done done, std::string& why) {
    if (active_) {
        why = "A setlist is being written already.";
        return false;
    }
    if (!plan.refusal.empty()) {
        why = plan.refusal;
        return false;
    }
    plan_ = std::move(plan);
    onDone_ = std::move(done);
    outcome_ = {};
    outcome_.unchanged = static_cast<int>(plan_.changes.size()) - plan_.toWrite();
    next_ = 0;
    done_ = 0;
    active_ = true;
    writeNext();
    return true;
}

std::string SetlistWriter::progress() const {
    if (!active_) return {};
    return "Writing slot " + std::to_string(current_) + " (" + std::to_string(done_ + 1) + " of " +
           std::to_string(plan_.toWrite()) + ")";
}

void SetlistWriter::writeNext() {
    while (next_ < plan_.changes.size() && !plan_.changes[next_].differs) ++next_;
    if (next_ == plan_.changes.size()) {
        finish();
        return;
    }
    SlotChange& change = plan_.changes[next_++];
    current_ = change.slot;
    const Result started = editor_.writeSlot(std::move(change.content),
                                             storage::KeepReason::Library, "Write to Pedal", true);
    if (!started) abandon(change.slot, started.error());
}

// A slot that failed stops the write: a pedal that stopped answering would
// fail every slot after it, each only after its retries. The slots after it
// are listed as not written; writing the setlist again skips what took.
void SetlistWriter::abandon(int slot, const std::string& why) {
    outcome_.failures.push_back("slot " + std::to_string(slot) + ": " + why);
    for (; next_ < plan_.changes.size(); ++next_)
        if (plan_.changes[next_].differs)
            outcome_.failures.push_back("slot " + std::to_string(plan_.changes[next_].slot) +
                                        ": not written");
    finish();
}

void SetlistWriter::slotWritten(int slot, bool ok, const std::string& why) {
    if (!active_ || slot != current_) return;
    ++done_;
    if (!ok) {
        abandon(slot, why);
        return;
    }
    outcome_.written.push_back(slot);
    writeNext();
}

void SetlistWriter::finish() {
    active_ = false;
    current_ = -1;
    if (onDone_) {
        const Done done = std::move(onDone_);
        onDone_ = nullptr;
        done(outcome_);
    }
}

std::string summarise(const SetlistWriter::Outcome& outcome) {
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::string text = count(outcome.written.size(), "slot", "slots") + " written and read back";
    if (outcome.unchanged > 0)
        text += "; " +
                count(static_cast<std::size_t>(outcome.unchanged), "slot holds its song",
                      "slots hold their songs") +
                " already";
    text += ".";
    for (const std::string& failure : outcome.failures) text += "\n" + failure;
    return text;
}

}  // namespace vornix::library
