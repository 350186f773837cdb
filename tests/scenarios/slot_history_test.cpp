// What the editor keeps of overwritten slots, Put Back, and the backup before
// a destructive step, against the simulated pedal.
#include <gtest/gtest.h>

#include <chrono>

#include "scenario.hpp"
#include "sim/factory_content.hpp"
#include "storage/device_backups.hpp"
#include "storage/file_io.hpp"

namespace vornix::testing {
namespace {

using storage::KeepReason;
using sysex::Bytes;

struct HistoryEvents : TransferEvents {
    void slotWritten(int slot, bool ok, const std::string& why) override {
        putBack.push_back({slot, ok, why});
    }
    void backupFinished(bool ok, const std::string& pathOrWhy) override {
        backups.push_back({ok, pathOrWhy});
    }
    void backupOverdue(int days) override { overdue.push_back(days); }
    struct PutBack {
        int slot;
        bool ok;
        std::string why;
    };
    std::vector<PutBack> putBack;
    std::vector<std::pair<bool, std::string>> backups;
    std::vector<int> overdue;
};

// The editor with a listener for the history's events and a clock of its own.
struct HistoryScenario : Scenario {
    HistoryScenario() {
        editor->link().events().add(heard);
        editor->setClock([this] { return now; });
    }
    Bytes pedalPreset(int slot) const {
        const auto& rec = pedal.preset(slot);
        return {rec.begin(), rec.end()};
    }
    // A value other than the parameter's current one, set as a gesture would.
    void change(ParamIndex index) {
        const iplug::IParam& p = *editor->param(index);
        editor->setParameterFromUser(index,
                                     p.intValue() == p.maximum() ? p.minimum() : p.maximum());
        loop.advance(300);
    }
    void exportBank(const std::filesystem::path& file) {
        editor->wholeDevice().startBankExportTo(file);
        loop.advance(40000);
    }
    std::vector<storage::KeptVersion> kept(int slot) const {
        return editor->slotHistory().history().list(slot);
    }

    HistoryEvents heard;
    storage::TimePoint now = std::chrono::sys_days{std::chrono::year{2026} / 12 / 10};
};

TEST(SlotHistory, AStoreKeepsTheSlotAndPutBackWritesItBackByteForByte) {
    HistoryScenario s;
    ASSERT_TRUE(s.runUntilSynced());
    const Bytes before = s.pedalPreset(40);
    s.change(param::Drive);
    s.editor->storePreset(40);
    s.loop.advance(2000);
    ASSERT_NE(s.pedalPreset(40), before);
    auto kept = s.kept(40);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].reason, KeepReason::Store);
    EXPECT_EQ(storage::readKeptRecord(kept[0]), before);
    EXPECT_TRUE(std::filesystem::exists(kept[0].companion(".kvp")));

    // An unsaved edit: Put Back must leave the sound as it is.
    s.change(param::Level);
    const auto soundOfEditor = [&s] {
        Bytes values;
        for (int i = 0; i < NumPresetParams; ++i)
            values.push_back(static_cast<std::uint8_t>(s.editor->intValue(ParamIndex{i})));
        return values;
    };
    const Bytes sound = soundOfEditor();
    s.now += std::chrono::minutes(1);
    ASSERT_TRUE(s.editor->putBack(40, 0));
    s.port.sent.clear();
    s.loop.advance(10000);
    ASSERT_EQ(s.heard.putBack.size(), 1u);
    EXPECT_TRUE(s.heard.putBack[0].ok) << s.heard.putBack[0].why;
    EXPECT_EQ(s.pedalPreset(40), before);
    EXPECT_EQ(storage::readFile(s.editor->cache().folder().presetSlotFile(40)), before);
    EXPECT_EQ(soundOfEditor(), sound) << "the sound being edited is as it was";
    EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), 1u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 1u) << "the slot is read back";
    EXPECT_EQ(commandKey(s.port.sent.back().bytes), sysex::cmd::EditBuffer)
        << "the sound being edited goes out again last";
    // What Put Back overwrote is kept too.
    kept = s.kept(40);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].reason, KeepReason::Restore);
}

TEST(SlotHistory, PutBackOfAVersionThatIsNotThereChangesNothing) {
    HistoryScenario s;
    ASSERT_TRUE(s.runUntilSynced());
    s.port.sent.clear();
    const Result result = s.editor->putBack(12, 0);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error(), "slot 12 has no kept version 0");
    s.loop.advance(1000);
    EXPECT_EQ(s.sentCount(sysex::cmd::BeginTransfer), 0u);
}

TEST(SlotHistory, ASlotChangedOnThePedalBetweenTwoSyncsIsKeptWithItsReason) {
    HistoryScenario s;
    ASSERT_TRUE(s.runUntilSynced());
    const Bytes cached = s.pedalPreset(7);
    auto changed = s.pedal.preset(7);
    changed[sysex::record::Name] = 'Q';
    s.pedal.setPreset(7, changed);
    s.editor->reconnect();
    ASSERT_TRUE(s.runUntilSynced());
    const auto kept = s.kept(7);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].reason, KeepReason::ChangedOnPedal);
    EXPECT_EQ(storage::readKeptRecord(kept[0]), cached);
    EXPECT_TRUE(s.kept(8).empty()) << "an unchanged slot keeps nothing";
}

TEST(SlotHistory, ARestoreAndAPresetResetKeepAll128) {
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "restore");
        HistoryScenario s;
        ASSERT_TRUE(s.runUntilSynced());
        const auto file = s.dir.path() / "bank.kvb";
        s.exportBank(file);
        if (reset) {
            s.editor->wholeDevice().performFactoryReset(sysex::reset::Presets);
        } else {
            ASSERT_TRUE(s.editor->wholeDevice().startBankImport(file));
        }
        s.loop.advance(60000);
        for (int slot = 0; slot < 128; ++slot) {
            const auto kept = s.kept(slot);
            ASSERT_EQ(kept.size(), 1u) << slot;
            EXPECT_EQ(kept[0].reason, reset ? KeepReason::Reset : KeepReason::Restore);
        }
    }
}

// ---- the backup before a destructive step --------------------------------------

struct BackupCase {
    const char* what;
    std::deque<Answer> answers;  // after the step's own question
    bool backedUp;
    bool stepRan;
    std::vector<std::string> questions;  // the backup's
};

std::vector<BackupCase> backupCases() {
    const std::string first = BackupFirstQuestion, without = WithoutBackupQuestion;
    return {
        {"OK", {Answer::Ok}, true, true, {first}},
        {"Cancel, then go on", {Answer::Cancel, Answer::Ok}, false, true, {first, without}},
        {"Cancel twice", {Answer::Cancel, Answer::Cancel}, false, false, {first, without}},
    };
}

std::vector<std::string> backupQuestionsIn(const std::vector<std::string>& texts) {
    std::vector<std::string> asked;
    for (const std::string& text : texts)
        if (text == BackupFirstQuestion || text == WithoutBackupQuestion) asked.push_back(text);
    return asked;
}

TEST(BackupFirst, ARestoreAsksAndLeavesAVerifiedBackupFirst) {
    for (const BackupCase& c : backupCases()) {
        SCOPED_TRACE(c.what);
        HistoryScenario s;
        s.openWindow();
        s.editor->backups().setEnabled(true);
        ASSERT_TRUE(s.runUntilSynced());
        const auto file = s.dir.path() / "bank.kvb";
        s.exportBank(file);
        s.now += std::chrono::hours(1);
        s.port.sent.clear();
        s.platform.answers = {Answer::Ok};
        s.platform.answers.insert(s.platform.answers.end(), c.answers.begin(), c.answers.end());
        s.platform.files.push_back(file.string());
        s.editor->wholeDevice().importBank();
        s.loop.advance(120000);
        EXPECT_EQ(backupQuestionsIn(s.platform.texts()), c.questions);
        const auto backups = storage::listBackups(s.editor->cache().folder());
        ASSERT_EQ(backups.size(), c.backedUp ? 1u : 0u);
        EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), c.stepRan ? 128u : 0u);
        if (!c.backedUp) continue;
        ASSERT_EQ(s.heard.backups.size(), 1u);
        EXPECT_TRUE(s.heard.backups[0].first) << s.heard.backups[0].second;
        EXPECT_EQ(storage::readFile(backups[0].path), storage::readFile(file))
            << "the backup holds the pedal as it was before the restore";
        EXPECT_EQ(backups[0].serial, sim::PedalOptions{}.serialNumber);
    }
}

TEST(BackupFirst, AFactoryResetIsBackedUpFirstAndABackupOfTenMinutesAgoIsEnough) {
    HistoryScenario s;
    s.openWindow();
    s.editor->backups().setEnabled(true);
    ASSERT_TRUE(s.runUntilSynced());
    auto changed = s.pedal.preset(3);
    changed[sysex::record::Name] = 'Q';
    s.pedal.setPreset(3, changed);
    s.editor->wholeDevice().factoryReset(sysex::reset::Settings);
    s.loop.advance(60000);
    ASSERT_EQ(storage::listBackups(s.editor->cache().folder()).size(), 1u);
    EXPECT_EQ(s.pedal.preset(3), changed) << "a settings reset leaves the presets";

    s.now += std::chrono::minutes(9);
    s.port.sent.clear();
    s.editor->wholeDevice().factoryReset(sysex::reset::Presets);
    s.loop.advance(60000);
    EXPECT_EQ(storage::listBackups(s.editor->cache().folder()).size(), 1u);
    ASSERT_EQ(s.heard.backups.size(), 2u);
    EXPECT_EQ(s.heard.backups[1], s.heard.backups[0]) << "the same backup, not a second";
    EXPECT_EQ(s.sentCount(sysex::cmd::BeginTransfer), 0u) << "no second export";
    EXPECT_EQ(s.pedal.preset(3), sim::factoryPreset(3));
}

TEST(BackupFirst, TheStatusSaysWhenTheLastBackupIsOlderThanAWeek) {
    struct Case {
        int ageDays;  // -1: none
        std::vector<int> overdue;
    };
    for (const Case& c : {Case{-1, {-1}}, Case{3, {}}, Case{12, {12}}}) {
        SCOPED_TRACE(c.ageDays);
        HistoryScenario s;
        s.editor->backups().setEnabled(true);
        if (c.ageDays >= 0) {
            const storage::DataFolder folder = s.editor->cache().folder();
            std::filesystem::create_directories(folder.backupsFolder());
            storage::writeFile(storage::backupPath(folder, s.now - std::chrono::days(c.ageDays),
                                                   sim::PedalOptions{}.serialNumber),
                               Bytes{1});
        }
        ASSERT_TRUE(s.runUntilSynced());
        s.editor->selectPreset(5);
        s.loop.advance(2000);
        EXPECT_EQ(s.heard.overdue, c.overdue) << "once, after the start-up sync";
    }
}

}  // namespace
}  // namespace vornix::testing
