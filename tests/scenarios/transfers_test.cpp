#include <gtest/gtest.h>

#include <set>

#include "scenario.hpp"
#include "sim/factory_content.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::testing {
namespace {

using sysex::Bytes;

// What the pedal sends for one request, collected from a second, identical pedal.
std::vector<Bytes> answersOf(sim::Pedal& pedal, const Bytes& request) {
    std::vector<Bytes> out;
    pedal.setEmitter([&](Bytes m, int) { out.push_back(std::move(m)); });
    pedal.receive(request);
    pedal.setEmitter({});
    return out;
}

Bytes expectedBank(sim::Pedal& reference) {
    Bytes bank;
    std::set<int> irs;
    for (int slot = 0; slot < 128; ++slot) {
        for (const Bytes& m :
             answersOf(reference, sysex::requestPreset(static_cast<std::uint8_t>(slot))))
            bank.insert(bank.end(), m.begin(), m.end());
        const auto& rec = reference.preset(slot);
        for (int n : {sysex::recordIrNumber(rec, 7), sysex::recordIrNumber(rec, 8)})
            if (n >= 0 && n < 256) irs.insert(n);
    }
    for (int n : irs)
        for (const Bytes& m : answersOf(reference, sysex::requestIr(static_cast<unsigned>(n))))
            bank.insert(bank.end(), m.begin(), m.end());
    return bank;
}

TEST(BankExport, FileHoldsThePedalsOwnDumps) {
    Scenario s;
    ASSERT_TRUE(s.runUntilSynced());
    const auto file = s.dir.path() / "backup.kvb";
    s.editor->wholeDevice().startBankExportTo(file);
    s.loop.advance(40000);
    ASSERT_FALSE(s.events.isActive(Transfer::BankExport));
    sim::Pedal reference;
    const Bytes expected = expectedBank(reference);
    EXPECT_GT(expected.size(), 128u * 267) << "factory presets use user IRs";
    EXPECT_EQ(storage::readFile(file), expected);
}

// The user chooses a backup at once: the sync has been armed by the checksum
// page, or is half-way. The backup takes the tick and only its own answers;
// both end complete.
TEST(BankExport, ABackupStartedDuringTheSyncGetsItsAnswersAndTheSyncFinishes) {
    for (const std::size_t syncPresetsFirst : {0u, 40u}) {
        SCOPED_TRACE(syncPresetsFirst);
        Scenario s;
        for (int t = 0; t < 20000 && !s.events.online; t += 10) s.loop.advance(10);
        for (int t = 0; t < 20000 && s.sentCount(sysex::cmd::RequestPreset) < syncPresetsFirst;
             t += 10)
            s.loop.advance(10);
        const auto file = s.dir.path() / "backup.kvb";
        s.editor->wholeDevice().startBankExportTo(file);
        s.loop.advance(60000);
        ASSERT_FALSE(s.events.isActive(Transfer::BankExport));
        sim::Pedal reference;
        EXPECT_EQ(storage::readFile(file), expectedBank(reference));
        EXPECT_GT(s.events.syncsSinceOnline, 0);
        expectCacheMatchesPedal(s);
    }
}

TEST(BankImport, RestoresTheExportedPresetsAndReconnects) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    const auto file = s.dir.path() / "backup.kvb";
    s.editor->wholeDevice().startBankExportTo(file);
    s.loop.advance(40000);
    ASSERT_TRUE(std::filesystem::exists(file));
    std::array<std::array<std::uint8_t, 256>, 128> exported;
    for (int slot = 0; slot < 128; ++slot) {
        exported[static_cast<std::size_t>(slot)] = s.pedal.preset(slot);
        auto changed = s.pedal.preset(slot);
        changed[sysex::record::Name] = 'Z';
        s.pedal.setPreset(slot, changed);
    }
    s.platform.boxes.clear();
    s.platform.files.push_back(file.string());
    s.editor->wholeDevice().importBank();
    ASSERT_TRUE(s.events.isActive(Transfer::BankImport));
    s.port.sent.clear();
    s.loop.advance(60000);
    EXPECT_FALSE(s.events.isActive(Transfer::BankImport));
    for (int slot = 0; slot < 128; ++slot)
        EXPECT_EQ(s.pedal.preset(slot), exported[static_cast<std::size_t>(slot)]) << slot;
    EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), 128u);
    EXPECT_EQ(s.sentCount(sysex::cmd::EndTransfer) >= 1, true);
    const auto texts = s.platform.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "This operation will overwrite the current Presets!\nAre you sure to continue?");
    EXPECT_EQ(texts[1], "Finished successfully!");
    // The editor reconnected and synchronised the emptied cache again.
    EXPECT_TRUE(s.editor->connection().online());
    EXPECT_GE(s.sentCount(sysex::cmd::BeginTransfer), 2u);
    for (int slot = 0; slot < 128; ++slot) {
        const auto& rec = exported[static_cast<std::size_t>(slot)];
        EXPECT_EQ(storage::readFile(s.editor->cache().folder().presetSlotFile(slot)),
                  Bytes(rec.begin(), rec.end()));
    }
}

// The numbers of the IR dumps in a bank, in file order.
std::vector<unsigned> irsIn(const Bytes& bank) {
    std::vector<unsigned> numbers;
    for (std::size_t at = 0; at + sysex::IrFirstSize <= bank.size(); ++at)
        if (bank[at] == sysex::Start && bank[at + sysex::at::Command] == sysex::cmd::IrFirst)
            numbers.push_back(
                sysex::read14(sysex::ByteSpan(bank).subspan(at), sysex::at::IrNumber));
    return numbers;
}

// A restore over a link that loses acknowledgements: each preset or IR whose
// answer went missing is sent again, and the device ends up with the bank.
TEST(BankImport, LostAcknowledgementsAreMadeUpBySendingAgain) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    const auto file = s.dir.path() / "backup.kvb";
    s.editor->wholeDevice().startBankExportTo(file);
    s.loop.advance(40000);
    const sim::Pedal before = s.pedal;
    for (int slot : {0, 3, 127}) s.pedal.setPreset(slot, sysex::PresetRecord{});
    // A preset's, then the first IR's first chunk's and the second IR's last
    // chunk's (counted with the answer to the preset sent again).
    for (unsigned nth : {4u, 130u, 134u}) s.pedal.faults().dropReply(sysex::cmd::RestoreAck, nth);
    s.platform.boxes.clear();
    const Result started = s.editor->wholeDevice().startBankImport(file);
    ASSERT_TRUE(started.ok()) << started.error();
    s.port.sent.clear();
    s.loop.advance(60000);
    EXPECT_EQ(s.events.result(Transfer::BankImport), 1);
    EXPECT_EQ(s.platform.texts(), std::vector<std::string>{"Finished successfully!"});
    const std::size_t irs = irsIn(storage::readFile(file)).size();
    EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), 129u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RestoreIrFirst), irs + 2);
    EXPECT_EQ(s.sentCount(sysex::cmd::RestoreIrLast), irs + 1);
    for (int slot = 0; slot < 128; ++slot) EXPECT_EQ(s.pedal.preset(slot), before.preset(slot));
}

// Messages lost on the way to the pedal: a preset it never got is not
// acknowledged, an IR that lost a data chunk is refused at its end; both are
// sent again.
TEST(BankImport, RestoreMessagesLostOnTheWayAreSentAgain) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    const auto file = s.dir.path() / "backup.kvb";
    s.editor->wholeDevice().startBankExportTo(file);
    s.loop.advance(40000);
    const sim::Pedal before = s.pedal;
    for (int slot = 0; slot < 128; ++slot) s.pedal.setPreset(slot, sysex::PresetRecord{});
    const std::vector<unsigned> irs = irsIn(storage::readFile(file));
    for (unsigned n : irs) s.pedal.setIr(n, sim::makeIrSlotFile("Not the bank's", {}));
    s.pedal.faults().loseMessage(sysex::cmd::RestorePreset, 40);
    s.pedal.faults().loseMessage(sysex::cmd::RestoreIrMiddle, 12);
    s.platform.boxes.clear();
    const Result started = s.editor->wholeDevice().startBankImport(file);
    ASSERT_TRUE(started.ok()) << started.error();
    s.port.sent.clear();
    s.loop.advance(60000);
    EXPECT_EQ(s.events.result(Transfer::BankImport), 1);
    EXPECT_EQ(s.platform.texts(), std::vector<std::string>{"Finished successfully!"});
    EXPECT_EQ(s.sentCount(sysex::cmd::RestorePreset), 129u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RestoreIrLast), irs.size() + 1);
    for (int slot = 0; slot < 128; ++slot) EXPECT_EQ(s.pedal.preset(slot), before.preset(slot));
    for (unsigned n : irs) EXPECT_EQ(*s.pedal.ir(n), *before.ir(n)) << n;
}

// ---- a device whose IR dumps carry a checksum of its own ------------------------------

sim::PedalOptions ownIrChecksum() {
    sim::PedalOptions options;
    options.irDumpChecksumOffset = 5;
    return options;
}

// Every IR comes twice the same: the device's convention, kept as it was sent.
TEST(OwnIrChecksum, ABackupHoldsTheDevicesDumpsByteForByteAndRestores) {
    Scenario s(0, ownIrChecksum());
    ASSERT_TRUE(s.runUntilSynced());
    s.port.sent.clear();
    s.events.notes.clear();
    const auto file = s.dir.path() / "backup.kvb";
    s.editor->wholeDevice().startBankExportTo(file);
    s.loop.advance(60000);
    ASSERT_EQ(s.events.result(Transfer::BankExport), 1)
        << ::testing::PrintToString(s.events.messages);
    sim::Pedal reference(ownIrChecksum());
    const Bytes expected = expectedBank(reference);
    EXPECT_EQ(storage::readFile(file), expected);
    const std::size_t irs = irsIn(expected).size();
    ASSERT_GT(irs, 0u);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestIr), 2 * irs);
    EXPECT_EQ(std::count_if(s.events.notes.begin(), s.events.notes.end(),
                            [](const std::string& note) {
                                return note.ends_with("with the device's own checksum: kept");
                            }),
              static_cast<long>(irs));

    for (int slot = 0; slot < 128; ++slot) s.pedal.setPreset(slot, sysex::PresetRecord{});
    const Result started = s.editor->wholeDevice().startBankImport(file);
    ASSERT_TRUE(started.ok()) << started.error();
    s.loop.advance(60000);
    EXPECT_EQ(s.events.result(Transfer::BankImport), 1);
    for (int slot = 0; slot < 128; ++slot) EXPECT_EQ(s.pedal.preset(slot), reference.preset(slot));
}

TEST(OwnIrChecksum, ADownloadedIrIsCachedOnceTheSameAnswerCameTwice) {
    Scenario s(0, ownIrChecksum());
    ASSERT_TRUE(s.runUntilSynced());
    s.port.sent.clear();
    s.events.notes.clear();
    s.editor->userIrs().requestIr(3);
    s.loop.advance(500);
    EXPECT_EQ(s.sentCount(sysex::cmd::RequestIr), 2u);
    ASSERT_NE(s.pedal.ir(3), nullptr);
    EXPECT_EQ(storage::readFile(s.editor->cache().folder().irFile(3)), *s.pedal.ir(3));
    EXPECT_EQ(s.events.notes,
              (std::vector<std::string>{
                  "IR 3 does not add up to its checksum: asked again",
                  "IR 3 came twice the same with the device's own checksum: kept"}));
    EXPECT_TRUE(s.events.messages.empty());
}

TEST(FactoryReset, PresetsResetRefetchesAfterReconnect) {
    Scenario s;
    s.openWindow();
    ASSERT_TRUE(s.runUntilSynced());
    auto changed = s.pedal.preset(3);
    changed[sysex::record::Name] = 'Q';
    s.pedal.setPreset(3, changed);
    s.editor->wholeDevice().factoryReset(sysex::reset::Presets);
    EXPECT_FALSE(std::filesystem::exists(s.editor->cache().folder().presetSlotFile(3)));
    s.loop.advance(300);
    EXPECT_EQ(s.pedal.preset(3), sim::factoryPreset(3));
    EXPECT_EQ(s.platform.texts().back(), "Finished successfully!");
    s.editor->reconnect();
    ASSERT_TRUE(s.runUntilSynced());
    const auto& rec = s.pedal.preset(3);
    EXPECT_EQ(storage::readFile(s.editor->cache().folder().presetSlotFile(3)),
              Bytes(rec.begin(), rec.end()));
}

}  // namespace
}  // namespace vornix::testing
