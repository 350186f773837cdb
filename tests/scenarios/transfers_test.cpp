#include <gtest/gtest.h>

#include <set>

#include "scenario.hpp"
#include "sim/factory_content.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_record.hpp"

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
