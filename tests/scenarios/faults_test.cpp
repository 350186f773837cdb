#include <gtest/gtest.h>

#include "scenario.hpp"
#include "storage/file_io.hpp"

namespace vornix::testing {
namespace {

using sysex::Bytes;

TEST(Faults, CorruptedPresetDuringSyncIsRequestedAgain) {
    Scenario s;
    s.pedal.faults().corruptReply(sysex::cmd::PresetDump, 5);
    ASSERT_TRUE(s.runUntilSynced());
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 130u);
    expectCacheMatchesPedal(s);
}

TEST(Faults, DuplicatedAndDelayedRepliesLeaveTheCacheRight) {
    Scenario s;
    s.pedal.faults().duplicateReply(sysex::cmd::PresetDump, 7);
    s.pedal.faults().delayReply(sysex::cmd::PresetDump, 20, 700);
    ASSERT_TRUE(s.runUntilSynced());
    s.loop.advance(2000);
    expectCacheMatchesPedal(s);
    EXPECT_TRUE(s.editor->connection().online());
}

TEST(Faults, DroppedPresetIsAskedForAgainAndTheReadCompletes) {
    Scenario s;
    s.openWindow();
    s.pedal.faults().dropReply(sysex::cmd::PresetDump, 10);
    ASSERT_TRUE(s.runUntilSynced());
    expectCacheMatchesPedal(s);
}

TEST(Faults, PedalThatNeverSendsPresetsStallsTheReadUntilReconnect) {
    Scenario s;
    s.openWindow();
    s.pedal.faults().dropReply(sysex::cmd::PresetDump, 0);
    s.loop.advance(20000);
    EXPECT_TRUE(s.events.isActive(Transfer::BulkRead));
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestPreset), 4u) << "the request and three repeats";
    EXPECT_TRUE(s.view.logged("unanswered"))
        << "the overlay hides 1.1 s after the unanswered request";
    EXPECT_FALSE(std::filesystem::exists(s.editor->cache().folder().presetSlotFile(0)));
    s.pedal.faults().clear();
    s.editor->reconnect();
    ASSERT_TRUE(s.runUntilSynced());
    expectCacheMatchesPedal(s);
}

// Damage on the way does not repeat itself: the IR is asked for again and the
// good copy cached.
TEST(Faults, AnIrDamagedOnTheWayIsAskedAgainAndOnlyTheGoodCopyCached) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    s.pedal.faults().corruptReply(sysex::cmd::IrLast, 1);
    s.port.sent.clear();
    s.editor->userIrs().requestIr(3);
    s.loop.advance(500);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestIr), 2u);
    ASSERT_NE(s.pedal.ir(3), nullptr);
    EXPECT_EQ(storage::readFile(s.editor->cache().folder().irFile(3)), *s.pedal.ir(3));
    EXPECT_TRUE(s.events.messages.empty());
}

TEST(Faults, SilentPedalKeepsTheEditorSearchingAndWritesNothing) {
    Scenario s;
    s.pedal.faults().setSilent(true);
    s.loop.advance(33000);
    EXPECT_FALSE(s.editor->connection().online());
    EXPECT_EQ(s.sentCount(sysex::cmd::Request), 10u);
    EXPECT_TRUE(std::filesystem::is_empty(s.editor->cache().folder().presetsFolder()));
}

TEST(Faults, OtherFirmwareVersionStaysOffline) {
    Scenario s;
    s.openWindow();
    s.pedal.faults().setFirmwareVersion(9);
    s.loop.advance(3400);
    EXPECT_FALSE(s.editor->connection().online());
    EXPECT_EQ(s.platform.texts(),
              std::vector<std::string>{"Please upgrade Vornix to actual version 10."});
    s.pedal.faults().clear();
    ASSERT_TRUE(s.runUntilSynced());
}

TEST(Faults, RefusedRestoreStopsTheImportWithCommunicationError) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    const auto file = s.dir.path() / "backup.kvb";
    s.editor->wholeDevice().startBankExportTo(file);
    s.loop.advance(40000);
    ASSERT_TRUE(std::filesystem::exists(file));
    s.platform.boxes.clear();
    s.pedal.faults().refuseRestore(3);
    const Result started = s.editor->wholeDevice().startBankImport(file);
    ASSERT_TRUE(started.ok()) << started.error();
    s.loop.advance(5000);
    EXPECT_FALSE(s.events.isActive(Transfer::BankImport));
    EXPECT_EQ(s.platform.texts(), std::vector<std::string>{"Communication error!"});
    EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), 3u);
    EXPECT_TRUE(s.editor->connection().online());
}

TEST(Faults, FailedFirmwareShowsErrorInUpdate) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    s.pedal.faults().failFirmware(true);
    s.editor->menuCommand(MenuCommand::FirmwareUpdate);
    const auto file = s.dir.path() / "fw.bin";
    storage::writeFile(file, Bytes(3000, 0x55));
    const Result started = s.editor->firmware().load(file);
    ASSERT_TRUE(started.ok()) << started.error();
    for (int ms = 0; ms < 5000 && s.platform.texts().empty(); ms += 100) s.loop.advance(100);
    ASSERT_FALSE(s.platform.texts().empty());
    EXPECT_EQ(s.platform.texts().back(), "Error in update!");
    EXPECT_FALSE(s.editor->connection().online());
    // The editor looks for the device again, which answers.
    s.loop.advance(5000);
    EXPECT_TRUE(s.editor->connection().online());
}

}  // namespace
}  // namespace vornix::testing
