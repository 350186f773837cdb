// Restoring a bank file into the device, message by message: the rewrite of
// each dump, the acknowledgements, what is sent again when one is lost, and
// the read-back that confirms the restore.
#include <gtest/gtest.h>

#include "core/bank_export.hpp"
#include "editor_harness.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::testing {
namespace {

constexpr unsigned BankIr = 12;

// A whole bank: the 128 presets, slot 0 playing user IR 12 in position 7,
// then that IR's dump (first chunk, nine data chunks, last chunk).
struct Bank {
    std::vector<sysex::PresetRecord> presets;
    std::vector<Bytes> messages;

    explicit Bank(bool withIr = true) {
        for (int slot = 0; slot < NumPresets; ++slot) {
            auto rec = recordWith(static_cast<std::uint8_t>(slot % 100), "Bank");
            if (withIr && slot == 0) {
                rec[sysex::record::Ir7Mode] = 1;
                rec[sysex::record::Ir7Number] = BankIr;
            }
            presets.push_back(rec);
            messages.push_back(
                sysex::blockMessage(sysex::cmd::PresetDump, static_cast<std::uint8_t>(slot), rec));
        }
        if (withIr)
            for (const Bytes& m : irDump(BankIr, irFile(4))) messages.push_back(m);
    }
    Bytes bytes() const {
        Bytes out;
        for (const Bytes& m : messages) out.insert(out.end(), m.begin(), m.end());
        return out;
    }
    sysex::PresetChecksums checksums() const {
        sysex::PresetChecksums sums{};
        for (std::size_t slot = 0; slot < presets.size(); ++slot)
            sums[slot] = sysex::checksumOf(presets[slot]);
        return sums;
    }
};

// The IR's messages as a restore sends them.
std::vector<Bytes> restoredIr(const Bank& bank) {
    std::vector<Bytes> ir(bank.messages.begin() + NumPresets, bank.messages.end());
    for (Bytes& m : ir)
        m[sysex::at::Command] =
            m[sysex::at::Command] == sysex::cmd::IrFirst    ? sysex::cmd::RestoreIrFirst
            : m[sysex::at::Command] == sysex::cmd::IrMiddle ? sysex::cmd::RestoreIrMiddle
                                                            : sysex::cmd::RestoreIrLast;
    const sysex::Checksum sum = sysex::checksumOf(sysex::packStream(irFile(4)));
    ir.back()[ir.back().size() - 3] = sum.high;
    ir.back()[ir.back().size() - 2] = sum.low;
    return ir;
}

bool waitsForAnswer(const Bytes& m) {
    const int key = commandKey(m);
    return key == sysex::cmd::RestorePreset || key == sysex::cmd::RestoreIrFirst ||
           key == sysex::cmd::RestoreIrLast;
}

struct ImportHarness : EditorHarness {
    std::filesystem::path file = dir.path() / "bank.kvb";
    ImportHarness() {
        openWindow();
        goOnlineWithPreset();
    }
    bool start(const Bytes& bytes) {
        storage::writeFile(file, bytes);
        return editor.wholeDevice().startBankImport(file).ok();
    }
    // Runs the restore tick by tick and answers `count` messages that wait
    // for an answer, each as soon as it went out.
    void acknowledge(int count, std::uint8_t ack = sysex::cmd::RestoreAck) {
        for (int answered = 0, ticks = 0; answered < count && ticks < 2000; ++ticks) {
            const std::size_t before = sent.size();
            loop.advance(100);
            if (sent.size() > before && waitsForAnswer(sent.back().bytes)) {
                receive(sysex::status(ack));
                ++answered;
            }
        }
    }
    void checksums(const sysex::PresetChecksums& sums) {
        receive(sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Checksums,
                                    sysex::buildChecksumPage(sums)));
    }
    std::size_t sentSince(std::size_t from, int key) const {
        return static_cast<std::size_t>(
            std::count_if(sent.begin() + static_cast<std::ptrdiff_t>(from), sent.end(),
                          [key](const SentMessage& m) { return commandKey(m.bytes) == key; }));
    }
};

TEST(BankImport, RewritesDumpsIntoRestoreMessages) {
    ImportHarness h;
    const Bank bank;
    ASSERT_TRUE(h.start(bank.bytes()));
    h.loop.advance(100);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 5A 0A F7"});
    h.loop.advance(100);
    ASSERT_EQ(h.sent.size(), 2u);
    Bytes expectedPreset = bank.messages[0];
    expectedPreset[5] = 0x7F;  // slot, record and checksum untouched
    EXPECT_EQ(h.sent[1].bytes, expectedPreset);
    h.loop.advance(1000);
    EXPECT_EQ(h.sent.size(), 2u) << "waits for the acknowledgement";
    h.receive(sysex::status(sysex::cmd::RestoreAck));
    h.acknowledge(NumPresets - 1, sysex::cmd::RestoreAckAlt);
    EXPECT_EQ(h.sentWith(sysex::cmd::RestorePreset).size(), 128u);
    h.acknowledge(1);
    EXPECT_EQ(h.sent.back().bytes[5], 0x77);
    // The nine data messages go out on consecutive ticks without an answer.
    h.loop.advance(900);
    EXPECT_EQ(h.sentWith(0x78).size(), 9u);
    h.loop.advance(100);
    const auto last = h.sentWith(0x79);
    ASSERT_EQ(last.size(), 1u);
    // The end message carries the running sum of the IR's stream bytes.
    const Bytes stream = sysex::packStream(irFile(4));
    EXPECT_EQ(sysex::read14(last[0], last[0].size() - 3), sysex::checksumOf(stream).value());
    h.sent.clear();
    h.receive(sysex::status(sysex::cmd::RestoreAck));
    // The transfer ends and the device's checksums are read back.
    EXPECT_EQ(h.sentHex(),
              (std::vector<std::string>{"F0 00 51 21 05 5B 0A F7", "F0 00 51 21 05 55 0A 03 F7"}));
    h.checksums(bank.checksums());
    h.loop.advance(100);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Finished successfully!"});
    EXPECT_EQ(h.view.result(Transfer::BankImport), 1);
    EXPECT_FALSE(h.editor.connection().online()) << "reconnects after the import";
    h.sent.clear();
    h.loop.advance(3300);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 55 0A 0F F7"});
}

// Messages of other commands go out as they are, and wait for an answer too.
TEST(BankImport, OtherMessagesAfterThePresetsAreSentUnchanged) {
    ImportHarness h;
    Bank bank(false);
    const Bytes page =
        sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Settings, sysex::PageBlock{});
    bank.messages.push_back(page);
    ASSERT_TRUE(h.start(bank.bytes()));
    h.acknowledge(NumPresets);
    h.loop.advance(100);
    h.receive(sysex::status(sysex::cmd::RestoreAck));
    ASSERT_GE(h.sent.size(), 3u);
    EXPECT_EQ(h.sent[h.sent.size() - 3].bytes, page);
    EXPECT_EQ(commandKey(h.sent.back().bytes), sysex::cmd::Request);
}

TEST(BankImport, ContinueAnswerOnTheLastMessageEndsTheImport) {
    ImportHarness h;
    const Bank bank(false);
    ASSERT_TRUE(h.start(bank.bytes()));
    h.acknowledge(NumPresets - 1);
    h.sent.clear();
    h.acknowledge(1, sysex::cmd::RestoreContinue);
    EXPECT_EQ(h.sentHex(),
              (std::vector<std::string>{
                  "F0 00 51 21 05 7F 0A 7F " + sysex::toHex(bank.messages.back()).substr(24),
                  "F0 00 51 21 05 5B 0A F7", "F0 00 51 21 05 55 0A 03 F7"}));
    h.checksums(bank.checksums());
    h.loop.advance(100);
    EXPECT_EQ(h.view.result(Transfer::BankImport), 1);
    EXPECT_FALSE(h.editor.connection().online());
}

// A repeated acknowledgement once counted for the next message, which the
// device then never got: the restore reported success with an old preset left.
TEST(BankImport, AnAcknowledgementCountsOnlyForAMessageThatWaitsForOne) {
    ImportHarness h;
    ASSERT_TRUE(h.start(Bank().bytes()));
    h.loop.advance(200);
    h.receive(sysex::status(sysex::cmd::RestoreAck));
    h.receive(sysex::status(sysex::cmd::RestoreAck));      // a repeat: ignored
    h.receive(sysex::status(sysex::cmd::RestoreRefused));  // nothing waits for it either
    h.loop.advance(100);
    EXPECT_EQ(h.sentWith(sysex::cmd::RestorePreset).size(), 2u) << "the second preset went out";
    EXPECT_TRUE(h.sentWith(sysex::cmd::EndTransfer).empty()) << "and waits for its own answer";
    EXPECT_EQ(h.events.notes.size(), 2u);
    EXPECT_TRUE(h.view.isActive(Transfer::BankImport));
}

// The device's checksum page names the slots that did not take: they are
// written again, in a transfer of their own, before the restore reports them.
TEST(BankImport, PresetsThatDifferAreWrittenAgainThreeTimesBeforeTheyAreNamed) {
    ImportHarness h;
    const Bank bank(false);
    ASSERT_TRUE(h.start(bank.bytes()));
    h.acknowledge(NumPresets);
    sysex::PresetChecksums stale = bank.checksums();
    stale[3] = stale[90] = sysex::Checksum{1, 2};
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const std::size_t from = h.sent.size();
        h.checksums(stale);
        h.acknowledge(2);
        ASSERT_EQ(h.sent.size() - from, 5u);
        EXPECT_EQ(commandKey(h.sent[from].bytes), sysex::cmd::BeginTransfer);
        Bytes again = bank.messages[3];
        again[sysex::at::Command] = sysex::cmd::RestorePreset;
        EXPECT_EQ(h.sent[from + 1].bytes, again);
        EXPECT_EQ(h.sent[from + 2].bytes[sysex::at::Number], 90);
        EXPECT_EQ(commandKey(h.sent[from + 3].bytes), sysex::cmd::EndTransfer);
        EXPECT_EQ(commandKey(h.sent[from + 4].bytes), sysex::cmd::Request);
        EXPECT_TRUE(h.platform.boxes.empty());
    }
    h.checksums(stale);
    h.loop.advance(100);
    const std::string text = "The restore did not take: presets 3, 90 differ from the bank file.";
    EXPECT_EQ(h.view.result(Transfer::BankImport), 0);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{text});
    EXPECT_FALSE(h.editor.connection().online())
        << "the editor reads the device again all the same";
}

TEST(BankImport, APresetWrittenAgainThatTakesEndsInSuccess) {
    ImportHarness h;
    const Bank bank(false);
    ASSERT_TRUE(h.start(bank.bytes()));
    h.acknowledge(NumPresets);
    sysex::PresetChecksums stale = bank.checksums();
    stale[127] = sysex::Checksum{};
    h.checksums(stale);
    h.acknowledge(1);
    h.checksums(bank.checksums());
    h.loop.advance(100);
    EXPECT_EQ(h.view.result(Transfer::BankImport), 1);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Finished successfully!"});
    EXPECT_EQ(h.sentWith(sysex::cmd::RestorePreset).size(), 129u);
}

TEST(BankImport, WithoutTheChecksumsTheRestoreIsNotConfirmed) {
    ImportHarness h;
    ASSERT_TRUE(h.start(Bank(false).bytes()));
    h.acknowledge(NumPresets);
    const std::size_t from = h.sent.size();
    h.loop.advance(4000);
    EXPECT_EQ(h.sentSince(from, sysex::cmd::Request), 3u) << "asked for again three times";
    h.loop.advance(2000);
    EXPECT_EQ(h.view.result(Transfer::BankImport), 0);
    EXPECT_EQ(h.platform.texts(),
              std::vector<std::string>{
                  "The restore could not be checked: the device did not send its preset "
                  "checksums."});
}

TEST(BankImport, RefusalEndsWithCommunicationError) {
    ImportHarness h;
    ASSERT_TRUE(h.start(Bank().bytes()));
    h.loop.advance(200);
    h.receive(sysex::status(sysex::cmd::RestoreRefused));
    EXPECT_EQ(h.view.result(Transfer::BankImport), 0);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Communication error!"});
    h.sent.clear();
    h.loop.advance(1000);
    EXPECT_TRUE(h.sent.empty());
}

// A preset writes its whole slot: sending it again is harmless. 1.1 s
// without an answer sends it again, three times, before the restore fails.
TEST(BankImport, AnUnacknowledgedPresetIsSentAgainThreeTimesThenFails) {
    ImportHarness h;
    const Bank bank;
    ASSERT_TRUE(h.start(bank.bytes()));
    h.acknowledge(4);
    const std::size_t from = h.sent.size();
    h.loop.advance(100);  // preset 4 goes out
    h.loop.advance(1000);
    EXPECT_EQ(h.sent.size() - from, 1u);
    h.loop.advance(100);
    ASSERT_EQ(h.sent.size() - from, 2u);
    EXPECT_EQ(h.sent[from + 1].bytes, h.sent[from].bytes);
    EXPECT_EQ(h.sent[from + 1].at - h.sent[from].at, 1100);
    h.loop.advance(2200);
    EXPECT_EQ(h.sent.size() - from, 4u);
    EXPECT_TRUE(h.platform.boxes.empty());
    h.loop.advance(1100);
    EXPECT_EQ(h.sent.size() - from, 4u);
    EXPECT_EQ(
        h.platform.texts(),
        std::vector<std::string>{"Communication error: no acknowledgement for message 5 of 139"});
    EXPECT_EQ(h.view.result(Transfer::BankImport), 0);
}

TEST(BankImport, AnAnsweredResendGoesOnWithTheNextPreset) {
    ImportHarness h;
    ASSERT_TRUE(h.start(Bank().bytes()));
    h.loop.advance(200 + 1100);  // preset 0 twice
    h.receive(sysex::status(sysex::cmd::RestoreAck));
    h.acknowledge(NumPresets - 1);
    const auto presets = h.sentWith(sysex::cmd::RestorePreset);
    ASSERT_EQ(presets.size(), 129u);
    for (int slot = 0; slot < NumPresets; ++slot)
        EXPECT_EQ(presets[static_cast<std::size_t>(slot) + 1][sysex::at::Number], slot);
}

// An IR's data chunks are not acknowledged: where the answer to its first or
// last chunk is missing, or the device refuses it at its end (a data chunk
// went missing), the whole IR goes again from its first chunk, which starts a
// new stream on the device.
TEST(BankImport, AnIrMissingAnAnswerOrRefusedAtItsEndIsSentAgainWhole) {
    struct Case {
        const char* what;
        int answeredBeforeTheLoss;  // of the IR's two answers
        bool refused;
    };
    for (const Case& c : {Case{"first answer lost", 0, false}, Case{"last answer lost", 1, false},
                          Case{"refused at its end", 1, true}}) {
        SCOPED_TRACE(c.what);
        ImportHarness h;
        ASSERT_TRUE(h.start(Bank().bytes()));
        h.acknowledge(NumPresets + c.answeredBeforeTheLoss);
        const int lastSentAfter = c.answeredBeforeTheLoss ? 1000 : 100;
        if (c.refused) {
            h.loop.advance(lastSentAfter);
            h.receive(sysex::status(sysex::cmd::RestoreRefused));
        } else {
            h.loop.advance(lastSentAfter + 1100);
        }
        ASSERT_EQ(h.sentWith(sysex::cmd::RestoreIrFirst).size(), 2u);
        const std::size_t again = h.sent.size() - 1;
        ASSERT_EQ(commandKey(h.sent[again].bytes), sysex::cmd::RestoreIrFirst);
        EXPECT_EQ(h.sent[again].at - h.sent[again - 1].at, c.refused ? 0 : 1100);
        h.receive(sysex::status(sysex::cmd::RestoreAck));
        h.acknowledge(1);
        // The whole IR again, its end message with the checksum rewritten.
        const std::vector<Bytes> ir = restoredIr(Bank());
        ASSERT_GE(h.sent.size(), again + ir.size() + 1);
        for (std::size_t i = 0; i < ir.size(); ++i) EXPECT_EQ(h.sent[again + i].bytes, ir[i]) << i;
        EXPECT_EQ(commandKey(h.sent[again + ir.size()].bytes), sysex::cmd::EndTransfer);
        EXPECT_TRUE(h.platform.boxes.empty());
    }
}

// An IR end message found on its own has no first chunk to start again from.
TEST(BankImport, AStrayIrEndMessageIsNotSentAgain) {
    ImportHarness h;
    Bank bank(false);
    bank.messages.push_back(irDump(BankIr, irFile(4)).back());
    ASSERT_TRUE(h.start(bank.bytes()));
    h.acknowledge(NumPresets);
    h.loop.advance(100 + 5000);
    EXPECT_TRUE(h.platform.boxes.empty());
    h.loop.advance(100);
    EXPECT_EQ(h.sentWith(sysex::cmd::RestorePreset).size(), 128u);
    EXPECT_EQ(h.sentWith(sysex::cmd::RestoreIrLast).size(), 1u);
    EXPECT_EQ(
        h.platform.texts(),
        std::vector<std::string>{"Communication error: no acknowledgement for message 129 of 129"});
}

TEST(BankImport, AnIrNeverAnsweredIsSentFourTimesThenFails) {
    ImportHarness h;
    ASSERT_TRUE(h.start(Bank().bytes()));
    h.acknowledge(NumPresets);
    h.loop.advance(100 + 4 * 1100);
    EXPECT_EQ(h.sentWith(sysex::cmd::RestoreIrFirst).size(), 4u);
    EXPECT_TRUE(h.sentWith(sysex::cmd::RestoreIrMiddle).empty());
    EXPECT_EQ(
        h.platform.texts(),
        std::vector<std::string>{"Communication error: no acknowledgement for message 129 of 139"});
}

// An import holds the tick while it waits, the keep-alive included.
TEST(BankImport, WaitsWhileOffline) {
    EditorHarness h;
    const auto file = h.dir.path() / "bank.kvb";
    storage::writeFile(file, Bank().bytes());
    ASSERT_TRUE(h.editor.wholeDevice().startBankImport(file).ok());
    h.loop.advance(4000);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_TRUE(h.events.isActive(Transfer::BankImport));
}

// Files cut short and files with data between messages are refused with the
// real files of tests/data/banks (storage and scenarios); these have no file.
TEST(BankImport, FilesThatAreNotAWholeBankAreRefused) {
    Bank unordered(false);
    std::swap(unordered.messages[7], unordered.messages[8]);
    Bank irGone;
    irGone.messages.resize(NumPresets);
    struct Case {
        const char* what;
        Bytes bytes;
        std::string error;
    };
    const Case cases[] = {
        {"empty", {}, "Not a bank file: it holds no messages"},
        {"slots out of order", unordered.bytes(), "Not a whole bank file: 7 of 128 presets."},
        {"its IR left out", irGone.bytes(), "Not a whole bank file: IR 12 is missing."},
    };
    ImportHarness h;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        storage::writeFile(h.file, c.bytes);
        EXPECT_EQ(h.editor.wholeDevice().startBankImport(h.file).error(), c.error);
    }
    storage::writeFile(h.file, Bytes(BulkBufferCapacity + 1, 0xF7));
    EXPECT_EQ(h.editor.wholeDevice().startBankImport(h.file).error(),
              "Not a bank file: larger than 1 MiB");
    EXPECT_FALSE(h.view.isActive(Transfer::BankImport));
    h.loop.advance(500);
    EXPECT_TRUE(h.sent.empty());
}

TEST(BankImport, CancellingTheQuestionShowsNoDialog) {
    EditorHarness h;
    h.openWindow();
    h.platform.answers.push_back(Answer::Cancel);
    h.editor.menuCommand(MenuCommand::ImportBank);
    EXPECT_EQ(h.platform.texts().size(), 1u);
    EXPECT_TRUE(h.platform.requests.empty());
}

}  // namespace
}  // namespace vornix::testing
