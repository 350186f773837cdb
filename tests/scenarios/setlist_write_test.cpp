// A setlist written to the simulated pedal from a slot on: only the slots
// that change are written, each with its user IRs, and read back.
#include <gtest/gtest.h>

#include <algorithm>

#include "library/preset_content.hpp"
#include "library/setlist_writer.hpp"
#include "scenario.hpp"
#include "storage/slot_history.hpp"

namespace vornix::testing {
namespace {

using library::PresetLibrary;
using sysex::Bytes;

struct SetlistScenario : Scenario {
    SetlistScenario() {
        auto opened = PresetLibrary::open(dir.path() / "library.sqlite3", "2026-12-11 12:00:00");
        library = std::move(opened.library);
    }
    // Entries of the cached slots, then of preset files; their ids in order.
    std::vector<library::EntryId> add(const std::vector<int>& slots,
                                      const std::vector<std::string>& files = {}) {
        std::vector<library::NewEntry> entries;
        for (int slot : slots)
            entries.push_back(
                {library::contentOfCachedSlot(editor->cache().folder(), slot), {}, "now"});
        for (const auto& file : files)
            entries.push_back(
                {library::contentOfPresetFile(testDataPath("presets/" + file)).content, {}, "now"});
        const auto added = library->add(entries);
        std::vector<library::EntryId> ids;
        for (const auto& entry : added.value()) ids.push_back(entry.id);
        return ids;
    }
    library::SetlistPlan plan(const std::vector<library::EntryId>& ids, int from) {
        library->createSetlist("gig", "now");
        library->appendToSetlist("gig", ids);
        return library::planSetlistWrite(*library, *library->setlist("gig"), from,
                                         editor->cache().folder());
    }
    // The slots the editor sent a restore message for, in order.
    std::vector<int> restoredSlots() const {
        std::vector<int> slots;
        for (const auto& m : port.sent)
            if (commandKey(m.bytes) == sysex::cmd::RestorePreset)
                slots.push_back(sysex::parseBlockMessage(m.bytes).view.number);
        return slots;
    }
    std::unique_ptr<PresetLibrary> library;
};

bool samePlayed(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return std::equal(a.begin() + sysex::record::Name, a.end(), b.begin() + sysex::record::Name,
                      b.end());
}

TEST(SetlistWrite, TwelveSongsFromSlot20WriteOnlyTheTenThatDifferAndReadEachBack) {
    SetlistScenario s;
    ASSERT_TRUE(s.runUntilSynced());
    // Songs 1 and 2 are what slots 20 and 21 hold already; the last brings
    // both user IRs of its own.
    const auto ids = s.add({20, 21, 40, 41, 42, 43, 44, 45, 46, 47, 48}, {"both_irs.kvp"});
    library::SetlistPlan plan = s.plan(ids, 20);
    ASSERT_EQ(plan.refusal, "");
    ASSERT_EQ(plan.changes.size(), 12u);
    EXPECT_EQ(plan.toWrite(), 10);
    EXPECT_EQ(library::describePlan(plan)[2].find("22: "), 0u);
    const std::vector<library::SlotChange> changes = plan.changes;

    library::SetlistWriter writer(*s.editor);
    std::optional<library::SetlistWriter::Outcome> outcome;
    std::string why;
    s.port.sent.clear();
    ASSERT_TRUE(writer.start(
        std::move(plan), [&](const auto& o) { outcome = o; }, why))
        << why;
    for (int t = 0; t < 600 && !outcome; ++t) s.loop.advance(100);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->written, (std::vector<int>{22, 23, 24, 25, 26, 27, 28, 29, 30, 31}));
    EXPECT_EQ(outcome->unchanged, 2);
    EXPECT_TRUE(outcome->failures.empty()) << outcome->failures.front();
    EXPECT_EQ(s.restoredSlots(), outcome->written) << "slots 20 and 21 are not written";
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 10u) << "each written slot is read back";

    for (const auto& change : changes) {
        const auto& held = s.pedal.preset(change.slot);
        EXPECT_TRUE(samePlayed(held, change.content.record)) << "slot " << change.slot;
    }
    // The song with IRs plays slot 31's own user IRs, which hold its samples.
    const auto& last = changes.back();
    EXPECT_EQ(sysex::recordIrNumber(s.pedal.preset(31), 7), 31);
    EXPECT_EQ(sysex::recordIrNumber(s.pedal.preset(31), 8), 128 + 31);
    ASSERT_TRUE(s.pedal.ir(31) && s.pedal.ir(128 + 31));
    EXPECT_EQ(*s.pedal.ir(31), *last.content.ir7);
    EXPECT_EQ(*s.pedal.ir(128 + 31), *last.content.ir8);

    // What the ten slots held is in their history, as replaced by the library.
    for (int slot : outcome->written) {
        const auto kept = s.editor->slotHistory().history().list(slot);
        ASSERT_EQ(kept.size(), 1u) << "slot " << slot;
        EXPECT_EQ(kept[0].reason, storage::KeepReason::Library);
    }
    EXPECT_TRUE(s.editor->slotHistory().history().list(20).empty());
}

TEST(SetlistWrite, APlanThatCannotBeWrittenIsRefusedBeforeAnythingIsSent) {
    SetlistScenario s;
    ASSERT_TRUE(s.runUntilSynced());
    const auto ids = s.add({1, 2, 3});
    struct Case {
        int from;
        std::string refusal;
    };
    for (const Case& c : {Case{126,
                               "The setlist's 3 songs do not fit from slot 126: the pedal "
                               "has slots 0 to 127."},
                          Case{-1,
                               "The setlist's 3 songs do not fit from slot -1: the pedal has "
                               "slots 0 to 127."}}) {
        s.library->deleteSetlist("gig");
        library::SetlistWriter writer(*s.editor);
        std::string why;
        s.port.sent.clear();
        EXPECT_FALSE(writer.start(s.plan(ids, c.from), {}, why));
        EXPECT_EQ(why, c.refusal);
        EXPECT_TRUE(s.port.sent.empty());
    }
}

TEST(SetlistWrite, APedalThatStopsAnsweringEndsTheWriteAtTheSlotThatFailed) {
    SetlistScenario s;
    ASSERT_TRUE(s.runUntilSynced());
    library::SetlistPlan plan = s.plan(s.add({50, 51, 52}), 60);
    library::SetlistWriter writer(*s.editor);
    std::optional<library::SetlistWriter::Outcome> outcome;
    std::string why;
    ASSERT_TRUE(writer.start(
        std::move(plan), [&](const auto& o) { outcome = o; }, why));
    s.pedal.faults().setSilent(true);
    for (int t = 0; t < 600 && !outcome; ++t) s.loop.advance(100);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->written.empty());
    ASSERT_EQ(outcome->failures.size(), 3u);
    EXPECT_TRUE(outcome->failures[0].starts_with("slot 60: ")) << outcome->failures[0];
    EXPECT_EQ(outcome->failures[1], "slot 61: not written");
    EXPECT_EQ(outcome->failures[2], "slot 62: not written");
    EXPECT_FALSE(writer.active());
}

}  // namespace
}  // namespace vornix::testing
