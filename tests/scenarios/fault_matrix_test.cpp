// Every transfer against a pedal that drops, damages, repeats or delays one
// of its replies, one reply at a time. Whatever the fault, the run ends by
// itself, reports success only with the right result, and leaves no file
// made of bad data.
//
// The replies hit are those a clean run of the same transfer receives: for
// each command, the first, the second, one in the middle and the last. (132
// runs; the 4 that fail are the lost answers nothing may be sent twice for:
// an IR upload's and the firmware loader's.)
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "scenario.hpp"
#include "storage/file_io.hpp"

namespace vornix::testing {
namespace {

using sysex::Bytes;

enum class Fault { Drop, Corrupt, Duplicate, Delay };
constexpr Fault Faults[] = {Fault::Drop, Fault::Corrupt, Fault::Duplicate, Fault::Delay};
// Late, but before the 1.1 s after which a request is asked again.
constexpr int DelayMs = 700;
constexpr std::int64_t RunLimitMs = 120000;

const char* nameOf(Fault fault) {
    switch (fault) {
        case Fault::Drop:
            return "dropped";
        case Fault::Corrupt:
            return "damaged";
        case Fault::Duplicate:
            return "repeated";
        case Fault::Delay:
            return "delayed";
    }
    return "?";
}

void inject(sim::FaultPlan& plan, Fault fault, std::uint8_t command, unsigned nth) {
    switch (fault) {
        case Fault::Drop:
            plan.dropReply(command, nth);
            break;
        case Fault::Corrupt:
            plan.corruptReply(command, nth);
            break;
        case Fault::Duplicate:
            plan.duplicateReply(command, nth);
            break;
        case Fault::Delay:
            plan.delayReply(command, nth, DelayMs);
            break;
    }
}

// The command byte the fault plan keys replies by.
std::uint8_t commandOf(const Bytes& reply) {
    return reply.size() > sysex::at::Command ? reply[sysex::at::Command] : 0;
}

// For every command among the replies: the first, second, middle and last.
std::set<std::pair<std::uint8_t, unsigned>> repliesToHit(const std::vector<Bytes>& replies) {
    std::map<std::uint8_t, unsigned> counts;
    for (const Bytes& reply : replies) ++counts[commandOf(reply)];
    std::set<std::pair<std::uint8_t, unsigned>> hits;
    for (const auto& [command, count] : counts)
        for (unsigned nth : {1u, 2u, (count + 1) / 2, count})
            if (nth >= 1 && nth <= count) hits.insert({command, nth});
    return hits;
}

// One transfer: what to prepare (faults off), what to start, when it has
// ended, and whether the result is right.
struct TransferCase {
    const char* name;
    std::function<void(Scenario&)> prepare;
    std::function<void(Scenario&)> start;
    std::function<bool(Scenario&)> ended;
    std::function<bool(Scenario&)> succeeded;
    // Checked whatever the outcome: no bad data reached a file.
    std::function<void(Scenario&)> filesAreSound;
};

std::filesystem::path bankFile(const Scenario& s) {
    return s.dir.path() / "bank.kvb";
}

// The bytes a clean export writes: each preset as the pedal holds it, then
// the user IRs they play.
Bytes referenceBank(Scenario& s) {
    Scenario clean;
    for (int slot = 0; slot < NumPresets; ++slot) clean.pedal.setPreset(slot, s.pedal.preset(slot));
    EXPECT_TRUE(clean.runUntilSynced());
    clean.editor->wholeDevice().startBankExportTo(bankFile(clean));
    for (int t = 0; t < 600 && clean.events.result(Transfer::BankExport) < 0; ++t)
        clean.loop.advance(100);
    return storage::readFile(bankFile(clean));
}

void expectCacheIsThePedalsOrAbsent(const Scenario& s) {
    for (int slot = 0; slot < NumPresets; ++slot) {
        const Bytes cached = storage::readFile(s.editor->cache().folder().presetSlotFile(slot));
        if (cached.empty()) continue;
        const auto& rec = s.pedal.preset(slot);
        EXPECT_EQ(cached, Bytes(rec.begin(), rec.end())) << "slot " << slot;
    }
}

std::vector<TransferCase> transferCases() {
    std::vector<TransferCase> cases;
    cases.push_back(
        {"sync", [](Scenario&) {},
         [](Scenario& s) { s.editor->link().send(sysex::requestPage(sysex::page::Identify)); },
         [](Scenario& s) { return s.events.synchronisations > 0; },
         [](Scenario& s) {
             expectCacheMatchesPedal(s);
             return s.editor->sound().currentPreset == s.pedal.currentPreset();
         },
         expectCacheIsThePedalsOrAbsent});
    cases.push_back({"backup", [](Scenario& s) { ASSERT_TRUE(s.runUntilSynced()); },
                     [](Scenario& s) { s.editor->wholeDevice().startBankExportTo(bankFile(s)); },
                     [](Scenario& s) { return s.events.result(Transfer::BankExport) >= 0; },
                     [](Scenario& s) { return s.events.result(Transfer::BankExport) == 1; },
                     [](Scenario& s) {
                         if (!std::filesystem::exists(bankFile(s))) return;
                         const Bytes written = storage::readFile(bankFile(s));
                         const Bytes reference = referenceBank(s);
                         const auto differs = std::mismatch(written.begin(), written.end(),
                                                            reference.begin(), reference.end());
                         EXPECT_TRUE(written == reference)
                             << written.size() << " bytes written, " << reference.size()
                             << " expected; they differ from byte "
                             << differs.first - written.begin();
                     }});
    cases.push_back(
        {"restore",
         [](Scenario& s) {
             ASSERT_TRUE(s.runUntilSynced());
             storage::writeFile(bankFile(s), referenceBank(s));
             // Something for the restore to put right.
             for (int slot : {0, 5, 127}) s.pedal.setPreset(slot, sysex::PresetRecord{});
         },
         [](Scenario& s) {
             const Result started = s.editor->wholeDevice().startBankImport(bankFile(s));
             ASSERT_TRUE(started.ok()) << started.error();
         },
         [](Scenario& s) { return s.events.result(Transfer::BankImport) >= 0; },
         [](Scenario& s) {
             if (s.events.result(Transfer::BankImport) != 1) return false;
             const Bytes bank = storage::readFile(bankFile(s));
             for (int slot = 0; slot < NumPresets; ++slot) {
                 const auto& rec = s.pedal.preset(slot);
                 const Bytes dump = sysex::blockMessage(sysex::cmd::PresetDump,
                                                        static_cast<std::uint8_t>(slot), rec);
                 EXPECT_NE(std::search(bank.begin(), bank.end(), dump.begin(), dump.end()),
                           bank.end())
                     << "slot " << slot << " is not the bank's";
             }
             return true;
         },
         [](Scenario&) {}});
    cases.push_back({"IR upload", [](Scenario& s) { ASSERT_TRUE(s.runUntilSynced()); },
                     [](Scenario& s) {
                         ASSERT_TRUE(
                             s.editor->userIrs()
                                 .importUserIr(UserIrTarget::Ir7,
                                               testDataPath("wav/pcm16_mono_44100.wav").string())
                                 .ok());
                     },
                     [](Scenario& s) { return s.events.result(Transfer::IrUpload) >= 0; },
                     [](Scenario& s) {
                         if (s.events.result(Transfer::IrUpload) != 1) return false;
                         const unsigned number = s.editor->userIrs().irUploadTarget();
                         EXPECT_NE(s.pedal.ir(number), nullptr);
                         return s.pedal.ir(number) &&
                                *s.pedal.ir(number) ==
                                    storage::readFile(s.editor->cache().folder().irFile(number));
                     },
                     [](Scenario&) {}});
    cases.push_back({"firmware", [](Scenario&) {},
                     [](Scenario& s) {
                         const auto file = s.dir.path() / "fw.bin";
                         storage::writeFile(file, Bytes(2000, 0x3C));
                         s.editor->firmware().openPage();
                         const Result loaded = s.editor->firmware().load(file);
                         ASSERT_TRUE(loaded.ok()) << loaded.error();
                     },
                     [](Scenario& s) { return s.events.result(Transfer::Firmware) >= 0; },
                     [](Scenario& s) {
                         return s.events.result(Transfer::Firmware) == 1 &&
                                s.pedal.lastFirmwareImage() == Bytes(2000, 0x3C);
                     },
                     [](Scenario&) {}});
    return cases;
}

// Runs the transfer until it ends or the limit passes; true when it ended.
bool runToTheEnd(Scenario& s, const TransferCase& c) {
    c.start(s);
    for (std::int64_t t = 0; t < RunLimitMs && !c.ended(s); t += 100) s.loop.advance(100);
    s.loop.advance(2000);  // late and repeated replies arrive too
    return c.ended(s);
}

TEST(FaultMatrix, EveryTransferWithEveryFaultOnEachKindOfReply) {
    int runs = 0, succeeded = 0;
    for (const TransferCase& c : transferCases()) {
        std::set<std::pair<std::uint8_t, unsigned>> hits;
        {
            SCOPED_TRACE(std::string(c.name) + ", no fault");
            Scenario clean;
            c.prepare(clean);
            const std::size_t before = clean.received.size();
            ASSERT_TRUE(runToTheEnd(clean, c));
            ASSERT_TRUE(c.succeeded(clean));
            hits = repliesToHit({clean.received.begin() + static_cast<std::ptrdiff_t>(before),
                                 clean.received.end()});
        }
        for (const auto& [command, nth] : hits) {
            for (Fault fault : Faults) {
                SCOPED_TRACE(::testing::Message()
                             << c.name << ": reply " << std::hex << int(command) << std::dec << " #"
                             << nth << " " << nameOf(fault));
                Scenario s;
                c.prepare(s);
                inject(s.pedal.faults(), fault, command, nth);
                ++runs;
                ASSERT_TRUE(runToTheEnd(s, c)) << "the transfer never ended";
                s.pedal.faults().clear();
                // A lost answer that cannot be asked for again ends the
                // transfer, and the user is told.
                if (c.succeeded(s))
                    ++succeeded;
                else
                    EXPECT_FALSE(s.events.messages.empty()) << "failed without a word";
                c.filesAreSound(s);
            }
        }
    }
    RecordProperty("runs", runs);
    RecordProperty("succeeded", succeeded);
    std::cout << "fault matrix: " << runs << " runs, " << succeeded << " succeeded\n";
}

}  // namespace
}  // namespace vornix::testing
