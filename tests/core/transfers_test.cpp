#include <gtest/gtest.h>

#include <numeric>

#include "core/ir_upload.hpp"
#include "editor_harness.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::testing {
namespace {

// ---- IR downloads ------------------------------------------------------------------

TEST(IrDownload, StreamOf2785BytesIsStoredAs2436Bytes) {
    EditorHarness h;
    h.goOnline();
    const Bytes file = irFile(1);
    const auto chunks = irDump(40, file);
    ASSERT_EQ(chunks.size(), 11u);
    for (const Bytes& m : chunks) h.receive(m);
    EXPECT_EQ(storage::readFile(h.editor.cache().folder().irFile(40)), file);
}

TEST(IrDownload, CabinetIrIsStoredInTheFactoryFolderAndNamesTheCabinet) {
    EditorHarness h;
    h.goOnline();
    for (const Bytes& m : irDump(385, irFile(2))) h.receive(m);
    EXPECT_EQ(storage::readFile(h.editor.cache().folder().factoryIrFolder() / "002.dat"),
              irFile(2));
    EXPECT_EQ(h.editor.userIrs().irNames().cabinetName(2), "Cab 2");
}

TEST(IrDownload, BadChecksumIsNotStored) {
    EditorHarness h;
    h.goOnline();
    for (const Bytes& m : irDump(40, irFile(1))) h.receive(m);
    for (const Bytes& m : irDump(40, irFile(9), 1)) h.receive(m);
    EXPECT_EQ(storage::readFile(h.editor.cache().folder().irFile(40)), irFile(1))
        << "the good copy stays";
}

// A device may compute its IR checksum its own way: the same bytes twice are
// kept; damage on the way does not repeat itself, and five answers that all
// differ are given up.
TEST(IrDownload, AChecksumThatDoesNotAddUpIsAskedAgainUntilTheSameBytesComeTwice) {
    struct Case {
        const char* what;
        std::vector<int> checksumDeltas;  // one answer each
        bool stored;
        std::size_t askedAgain;
    };
    const Case cases[] = {
        {"the same twice", {3, 3}, true, 1},
        {"damaged, then right", {3, 0}, true, 1},
        {"two that differ, then the second again", {3, 5, 5}, true, 2},
        {"five that all differ", {1, 2, 3, 4, 5}, false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorHarness h;
        h.goOnlineWithPreset();
        h.editor.userIrs().requestIr(40);
        for (int delta : c.checksumDeltas)
            for (const Bytes& m : irDump(40, irFile(1), delta)) h.receive(m);
        EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr).size(), 1 + c.askedAgain);
        const auto cached = h.editor.cache().folder().irFile(40);
        EXPECT_EQ(storage::readFile(cached), c.stored ? irFile(1) : Bytes{});
        EXPECT_EQ(h.events.result(Transfer::IrDownload), c.stored ? 1 : 0);
        EXPECT_EQ(h.events.messages,
                  c.stored ? std::vector<std::string>{}
                           : std::vector<std::string>{"IR 40 arrived damaged and was not stored"});
    }
}

// Lengths are not a matter of convention: a stream short of a chunk is damage.
TEST(IrDownload, AStreamShortOfTheLengthItAnnouncedIsNotStored) {
    EditorHarness h;
    h.goOnlineWithPreset();
    h.editor.userIrs().requestIr(40);
    std::vector<Bytes> chunks = irDump(40, irFile(1));
    chunks.erase(chunks.begin() + 4);
    for (const Bytes& m : chunks) h.receive(m);
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(40)));
    EXPECT_EQ(h.events.messages,
              std::vector<std::string>{"IR 40 arrived damaged and was not stored"});
}

TEST(IrDownload, StreamLongerThanTheDecodeBufferIsRefused) {
    EditorHarness h;
    h.goOnline();
    // 4,800 stream bytes would decode to 4,200 bytes, past the 4,096-byte buffer.
    for (const Bytes& m : irDump(41, irFile(1), 0, 4800)) h.receive(m);
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(41)));
}

TEST(IrDownload, IgnoredWhileOffline) {
    EditorHarness h;
    for (const Bytes& m : irDump(40, irFile(1))) h.receive(m);
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(40)));
}

TEST(IrDownload, ProgressWithTheWindowOpen) {
    EditorHarness h;
    h.openWindow();
    h.goOnline();
    const auto chunks = irDump(40, irFile(1));
    h.receive(chunks[0]);
    EXPECT_TRUE(h.view.isActive(Transfer::IrDownload));
    h.receive(chunks[1]);
    EXPECT_NEAR(h.view.progressOf(Transfer::IrDownload), 448.0 / 2436, 1e-9);
    for (std::size_t i = 2; i < chunks.size(); ++i) h.receive(chunks[i]);
    EXPECT_DOUBLE_EQ(h.view.progressOf(Transfer::IrDownload), 1.0);
    EXPECT_EQ(h.view.result(Transfer::IrDownload), 1);
    EXPECT_EQ(h.view.received, std::vector<unsigned>{40});
}

// ---- IR upload --------------------------------------------------------------------

// The upload on its own: one chunk per step, as the device tick calls it.
struct UploadHarness {
    ScriptedPlatform platform;
    Link link{platform};
    IrUpload upload{link};
    RecordingView events;
    std::vector<Bytes> sent;
    UploadHarness() {
        link.setSender([this](std::span<const std::uint8_t> m) {
            sent.emplace_back(m.begin(), m.end());
            return true;
        });
        link.events().add(events);
    }
    void steps(int n) {
        for (int i = 0; i < n; ++i)
            if (upload.active()) upload.step();
    }
    std::size_t sentWith(int key) const {
        return static_cast<std::size_t>(std::count_if(
            sent.begin(), sent.end(), [key](const Bytes& m) { return commandKey(m) == key; }));
    }
};

TEST(IrUpload, ElevenChunksWithTheHeaderAcknowledgedThenTheDevicesAnswer) {
    UploadHarness h;
    h.upload.load(irFile(3), 300, true);
    h.steps(10);
    ASSERT_EQ(h.sent.size(), 1u) << "waits for the device after the first chunk";
    EXPECT_EQ(h.sent[0].size(), sysex::IrFirstSize);
    EXPECT_EQ(sysex::read14(h.sent[0], sysex::at::IrNumber), 300u);
    EXPECT_EQ(sysex::read21(h.sent[0], sysex::at::IrStreamLength), 2785u);
    EXPECT_TRUE(h.events.isActive(Transfer::IrUpload));
    ASSERT_TRUE(h.upload.headerAccepted());
    h.steps(20);
    ASSERT_EQ(h.sent.size(), 11u);
    EXPECT_EQ(h.sentWith(sysex::cmd::IrMiddle), 9u);
    EXPECT_EQ(h.sent.back().size(), 2785u - 256 - 9 * 256 + 10);
    // Reassembled, the chunks are the packed file with its checksum.
    Bytes stream(h.sent[0].begin() + 12, h.sent[0].end() - 1);
    for (std::size_t i = 1; i < 11; ++i)
        stream.insert(stream.end(), h.sent[i].begin() + 7, h.sent[i].end() - (i == 10 ? 3 : 1));
    EXPECT_EQ(sysex::unpackStream(stream), irFile(3));
    EXPECT_EQ(sysex::read14(h.sent.back(), h.sent.back().size() - 3),
              sysex::checksumOf(stream).value());
    EXPECT_TRUE(h.upload.active()) << "the device's answer is awaited";
    EXPECT_TRUE(h.upload.answered(true));
    EXPECT_EQ(h.events.result(Transfer::IrUpload), 1);
    EXPECT_FALSE(h.upload.active());
}

// A stray header acknowledgement once sent an empty extra chunk; answers that
// nothing waits for are ignored now.
TEST(IrUpload, AnswersOnlyCountWhenTheyAreAwaited) {
    UploadHarness h;
    EXPECT_FALSE(h.upload.headerAccepted());
    EXPECT_FALSE(h.upload.answered(true));
    h.upload.load(irFile(3), 5, true);
    h.steps(1);
    EXPECT_FALSE(h.upload.answered(true)) << "the data has not gone out yet";
    ASSERT_TRUE(h.upload.headerAccepted());
    EXPECT_FALSE(h.upload.headerAccepted());
    h.steps(20);
    ASSERT_TRUE(h.upload.answered(false));
    EXPECT_EQ(h.events.result(Transfer::IrUpload), 0);
    EXPECT_FALSE(h.upload.headerAccepted());
    h.steps(10);
    EXPECT_EQ(h.sent.size(), 11u);
}

TEST(IrUpload, AnAnswerThatNeverComesEndsTheUploadAndSaysWhichOne) {
    struct Case {
        bool header;
        const char* text;
    };
    for (const Case c :
         {Case{false, "Communication error: no acknowledgement for the first chunk of IR 7"},
          Case{true, "Communication error: no answer to the last chunk of IR 7"}}) {
        SCOPED_TRACE(c.text);
        UploadHarness h;
        h.upload.load(irFile(1), 7, true);
        h.steps(1);
        if (c.header) {
            h.upload.headerAccepted();
            h.steps(10);
        }
        h.steps(50);
        EXPECT_TRUE(h.upload.active());
        EXPECT_FALSE(h.upload.step());
        EXPECT_EQ(h.events.result(Transfer::IrUpload), 0);
        EXPECT_EQ(h.events.messages, std::vector<std::string>{c.text});
        EXPECT_FALSE(h.upload.active());
    }
}

TEST(IrUpload, OfflineTheFileIsOnlyPacked) {
    UploadHarness h;
    h.upload.load(irFile(1), 7, false);
    EXPECT_FALSE(h.upload.active());
}

// The desktop menu reaches the editor only through menuCommand; these three
// items once fell through to the default case and did nothing.
TEST(MenuCommands, FirmwareImportAndExportItemsAreWired) {
    EditorHarness h;
    h.openWindow();
    h.editor.menuCommand(MenuCommand::FirmwareUpdate);
    EXPECT_TRUE(h.editor.connection().online()) << "held online for the loader";
    EXPECT_TRUE(h.view.logged("firmware page"));
    h.loop.advance(3300);
    EXPECT_TRUE(h.sent.empty()) << "no keep-alive on the firmware page";

    h.platform.files.push_back((h.dir.path() / "out.kvb").string());
    h.editor.menuCommand(MenuCommand::ExportBank);
    ASSERT_EQ(h.platform.requests.size(), 1u);
    EXPECT_EQ(h.platform.requests[0].mode, FileRequest::Mode::Save);
    EXPECT_EQ(h.platform.requests[0].extension, "kvb");
    EXPECT_EQ(h.platform.requests[0].initialName, "Vornix_Presets_and_IRs");
    EXPECT_TRUE(h.view.isActive(Transfer::BankExport));

    h.editor.menuCommand(MenuCommand::ImportBank);
    EXPECT_EQ(h.platform.texts().back(),
              "This operation will overwrite the current Presets!\nAre you sure to continue?");
    EXPECT_EQ(h.platform.requests.size(), 2u);
}

// ---- bank export -------------------------------------------------------------------------

// Every request of a backup is safe to repeat: 1.1 s without an answer asks
// again, three times, before the backup fails.
TEST(BankExport, AnUnansweredRequestIsAskedAgainThreeTimesThenFails) {
    EditorHarness h;
    h.openWindow();
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "out.kvb";
    h.editor.wholeDevice().startBankExportTo(file);
    h.loop.advance(100);
    ASSERT_EQ(h.sentWith(sysex::cmd::RequestPreset).size(), 1u);
    h.loop.advance(1200);
    EXPECT_EQ(h.sentWith(sysex::cmd::RequestPreset),
              (std::vector<Bytes>{sysex::requestPreset(0), sysex::requestPreset(0)}));
    h.loop.advance(3600);
    EXPECT_EQ(h.sentWith(sysex::cmd::RequestPreset).size(), 4u);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Communication error!"});
    EXPECT_EQ(h.view.result(Transfer::BankExport), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Only the answer to the request in flight is kept; a damaged one, or an IR
// whose bytes do not add up, is asked for again and never written.
TEST(BankExport, StrayDamagedAndRepeatedAnswersDoNotReachTheFile) {
    EditorHarness h;
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "out.kvb";
    h.editor.wholeDevice().startBankExportTo(file);
    auto withIr = recordWith(1, "P");
    withIr[sysex::record::Ir7Mode] = 1;
    withIr[sysex::record::Ir7Bank] = 0;
    withIr[sysex::record::Ir7Number] = 40;
    for (int slot = 0; slot < 128; ++slot) {
        h.loop.advance(100);
        const auto rec = slot == 3 ? withIr : recordWith(static_cast<std::uint8_t>(slot), "P");
        if (slot == 2) {
            Bytes damaged = sysex::blockMessage(sysex::cmd::PresetDump, 2, rec);
            damaged[50] ^= 1;
            h.receive(damaged);
            h.receivePreset(7, recordWith(9));  // not asked for now
            h.loop.advance(100);
            EXPECT_EQ(h.sentWith(sysex::cmd::RequestPreset).back(), sysex::requestPreset(2));
        }
        h.receivePreset(slot, rec);
        if (slot == 5) h.receivePreset(5, rec);  // repeated
    }
    h.loop.advance(100);
    ASSERT_EQ(h.sentWith(sysex::cmd::RequestIr), std::vector<Bytes>{sysex::requestIr(40)});
    const Bytes ir = irFile(6);
    for (const Bytes& m : irDump(40, ir, 1)) h.receive(m);  // a checksum that does not add up
    h.loop.advance(100);
    EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr).size(), 2u);
    for (const Bytes& m : irDump(40, ir)) h.receive(m);
    h.loop.advance(200);
    ASSERT_EQ(h.events.result(Transfer::BankExport), 1);
    Bytes expected;
    for (int slot = 0; slot < 128; ++slot) {
        const Bytes m = sysex::blockMessage(
            sysex::cmd::PresetDump, static_cast<std::uint8_t>(slot),
            slot == 3 ? withIr : recordWith(static_cast<std::uint8_t>(slot), "P"));
        expected.insert(expected.end(), m.begin(), m.end());
    }
    for (const Bytes& m : irDump(40, ir)) expected.insert(expected.end(), m.begin(), m.end());
    EXPECT_EQ(storage::readFile(file), expected);
}

// The presets of a backup, slot 3 playing user IR 40, answered as asked.
void answerPresets(EditorHarness& h) {
    for (int slot = 0; slot < 128; ++slot) {
        h.loop.advance(100);
        auto rec = recordWith(static_cast<std::uint8_t>(slot), "P");
        if (slot == 3) {
            rec[sysex::record::Ir7Mode] = 1;
            rec[sysex::record::Ir7Bank] = 0;
            rec[sysex::record::Ir7Number] = 40;
        }
        h.receivePreset(slot, rec);
    }
    h.loop.advance(100);
}

// An IR whose checksum is the device's own comes the same twice and goes into
// the file as the device sent it; answers that keep differing end the backup.
TEST(BankExport, AnIrChecksumOfTheDevicesOwnIsKeptAsSent) {
    struct Case {
        const char* what;
        std::vector<int> checksumDeltas;
        bool written;
    };
    const Case cases[] = {
        {"the same twice", {9, 9}, true},
        {"five that all differ", {1, 2, 3, 4, 5}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorHarness h;
        h.goOnlineWithPreset();
        const auto file = h.dir.path() / "out.kvb";
        h.editor.wholeDevice().startBankExportTo(file);
        answerPresets(h);
        for (int delta : c.checksumDeltas) {
            for (const Bytes& m : irDump(40, irFile(6), delta)) h.receive(m);
            h.loop.advance(100);
        }
        EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr).size(), c.checksumDeltas.size());
        ASSERT_EQ(h.events.result(Transfer::BankExport), c.written ? 1 : 0);
        if (!c.written) {
            EXPECT_EQ(h.events.messages, std::vector<std::string>{"Communication error!"});
            EXPECT_FALSE(std::filesystem::exists(file));
            continue;
        }
        const Bytes bank = storage::readFile(file);
        ASSERT_EQ(bank.size(), 128u * 267 + 269 + 9 * 264 + 235);
        Bytes ir;
        for (const Bytes& m : irDump(40, irFile(6), 9)) ir.insert(ir.end(), m.begin(), m.end());
        EXPECT_TRUE(std::equal(ir.begin(), ir.end(), bank.end() - static_cast<long>(ir.size())));
    }
}

TEST(BankExport, AFileThatCannotBeWrittenEndsItBeforeAnyRequest) {
    EditorHarness h;
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "no such folder" / "out.kvb";
    h.editor.wholeDevice().startBankExportTo(file);
    h.loop.advance(1000);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(h.events.result(Transfer::BankExport), 0);
    EXPECT_EQ(h.events.messages,
              std::vector<std::string>{"Could not write the bank file " + file.string()});
}

TEST(BankExport, GoingOfflineCancelsWithoutAFile) {
    EditorHarness h;
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "out.kvb";
    h.editor.wholeDevice().startBankExportTo(file);
    h.loop.advance(100);
    h.editor.reconnect();
    h.loop.advance(1000);
    EXPECT_EQ(h.events.result(Transfer::BankExport), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(BankExport, PresetsWithoutUserIrsGive128Times267Bytes) {
    EditorHarness h;
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "out.kvb";
    h.editor.wholeDevice().startBankExportTo(file);
    for (int slot = 0; slot < 128; ++slot) {
        h.loop.advance(100);
        auto rec = recordWith(static_cast<std::uint8_t>(slot), "P");
        if (slot == 5) {  // IR 7 number set but not in use: not exported
            rec[sysex::record::Ir7Bank] = 0;
            rec[sysex::record::Ir7Number] = 9;
        }
        h.receivePreset(slot, rec);
    }
    h.loop.advance(200);
    EXPECT_TRUE(h.sentWith(sysex::cmd::RequestIr).empty());
    EXPECT_EQ(std::filesystem::file_size(file), 128u * 267);
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().presetSlotFile(3)))
        << "dumps are not cached";
}

// ---- firmware ----------------------------------------------------------------------------

struct FirmwareHarness : EditorHarness {
    std::filesystem::path file = dir.path() / "fw.bin";
    bool load(std::size_t bytes) {
        Bytes data(bytes);
        std::iota(data.begin(), data.end(), 0);
        storage::writeFile(file, data);
        return editor.firmware().load(file).ok();
    }
};

TEST(Firmware, FilesOutside211To65535BytesAreRefusedWithoutSending) {
    for (std::size_t bytes : {210u, 65536u}) {
        FirmwareHarness h;
        EXPECT_FALSE(h.load(bytes)) << bytes;
        EXPECT_TRUE(h.sent.empty()) << bytes;
    }
    FirmwareHarness h;
    EXPECT_TRUE(h.load(211));
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 04 10 F7"});
}

TEST(Firmware, ChunksOneEachTickAndNoKeepAliveMeanwhile) {
    FirmwareHarness h;
    h.openWindow();
    h.editor.menuCommand(MenuCommand::FirmwareUpdate);
    h.editor.firmware().openPage();
    ASSERT_TRUE(h.load(5000));
    const std::size_t total = sysex::packedLength(5000);
    h.receive(sysex::firmwareStatus(sysex::fwcmd::Ready));
    EXPECT_TRUE(h.view.isActive(Transfer::Firmware));
    h.sent.clear();
    h.loop.advance(10000);
    const std::size_t chunks = (total + 239) / 240;
    ASSERT_EQ(h.sent.size(), chunks);
    EXPECT_EQ(h.sent.front().bytes.size(), sysex::FirmwareFirstSize);
    EXPECT_EQ(h.sent.back().bytes.size(), total - 240 * (chunks - 1) + 9);
    for (const auto& m : h.sent) EXPECT_EQ(m.bytes[sysex::at::Family], sysex::family::Firmware);
    EXPECT_DOUBLE_EQ(h.view.progressOf(Transfer::Firmware), 1.0);
    EXPECT_TRUE(h.platform.boxes.empty()) << "success waits for the device";
    h.receive(sysex::firmwareStatus(sysex::fwcmd::Finished));
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Firmware update finished."});
    EXPECT_EQ(h.view.result(Transfer::Firmware), 1);
    EXPECT_FALSE(h.editor.connection().online());
    EXPECT_TRUE(h.view.logged("firmware page closed after update"));
}

// A late answer from before the update once made the editor ask for the
// settings page between two firmware chunks.
TEST(Firmware, OnceTheLoaderIsAskedNothingElseGoesOut) {
    FirmwareHarness h;
    h.goOnline();  // the checksum page is asked for
    h.editor.firmware().openPage();
    h.sent.clear();
    ASSERT_TRUE(h.load(1000));
    h.receive(
        sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Checksums, sysex::PageBlock{}));
    h.receive(sysex::firmwareStatus(sysex::fwcmd::Ready));
    h.loop.advance(3000);
    ASSERT_GT(h.sent.size(), 3u);
    for (const auto& m : h.sent) EXPECT_EQ(m.bytes[sysex::at::Family], sysex::family::Firmware);
    EXPECT_FALSE(h.events.notes.empty()) << "what was held back is traced";
    h.receive(sysex::firmwareStatus(sysex::fwcmd::Finished));
    EXPECT_TRUE(h.editor.link().send(sysex::requestPage(sysex::page::Identify)));
}

TEST(Firmware, DeviceFailureOrSilenceEndsWithErrorInUpdate) {
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silence" : "04 15");
        FirmwareHarness h;
        h.openWindow();
        ASSERT_TRUE(h.load(1000));
        h.receive(sysex::firmwareStatus(sysex::fwcmd::Ready));
        h.loop.advance(1000);
        ASSERT_DOUBLE_EQ(h.view.progressOf(Transfer::Firmware), 1.0) << "every chunk went out";
        if (!silent) {
            h.receive(sysex::firmwareStatus(sysex::fwcmd::Failed));
        } else {
            h.loop.advance(59000);
            EXPECT_TRUE(h.platform.boxes.empty());
            h.loop.advance(2000);
        }
        EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Error in update!"});
    }
}

TEST(Firmware, ReadyWithoutALoadedImageIsNotOurs) {
    FirmwareHarness h;
    h.receive(sysex::firmwareStatus(sysex::fwcmd::Ready));
    h.loop.advance(300);
    EXPECT_TRUE(h.sent.empty());
    // A ten-byte firmware-family message is a firmware status, not a parameter.
    ASSERT_TRUE(h.load(1000));
    h.receive(Bytes{0xF0, 0x00, 0x51, 0x21, 0x04, 0x12, 0x00, 0x00, 0x00, 0xF7});
    h.loop.advance(100);
    EXPECT_EQ(h.sent.back().bytes[sysex::at::Command], sysex::fwcmd::FirstChunk);
}

// ---- factory reset -----------------------------------------------------------------------

TEST(FactoryReset, PresetsClearTheCacheBeforeSendingSettingsDoNot) {
    EditorHarness h;
    h.openWindow();
    std::filesystem::create_directories(h.editor.cache().folder().presetsFolder());
    ASSERT_TRUE(storage::writePresetSlotFile(h.editor.cache().folder(), 0, recordWith(1, "Kept")));
    h.editor.loadPresetSlots();
    h.platform.answers.push_back(Answer::Cancel);
    h.editor.wholeDevice().factoryReset(sysex::reset::Settings);
    EXPECT_TRUE(h.sent.empty());
    h.editor.wholeDevice().factoryReset(sysex::reset::Settings);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 56 0A 02 F7"});
    EXPECT_EQ(h.view.presetRows[0].substr(0, 8), " 00 Kept");
    h.editor.wholeDevice().factoryReset(sysex::reset::Presets);
    EXPECT_EQ(h.sentHex().back(), "F0 00 51 21 05 56 0A 01 F7");
    EXPECT_EQ(h.view.presetRows[0], " 00 ");
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>(3, "Are you sure?"));
}

}  // namespace
}  // namespace vornix::testing
