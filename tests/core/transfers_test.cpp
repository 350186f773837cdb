#include <gtest/gtest.h>

#include <numeric>

#include "core/ir_upload.hpp"
#include "editor_harness.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_record.hpp"

namespace vornix::testing {
namespace {

Bytes irFile(std::uint8_t seed) {
    Bytes file(2436);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7 + seed);
    const auto name = sysex::padName("Cab " + std::to_string(seed));
    std::copy(name.begin(), name.end(), file.begin() + 4);
    return file;
}

// ---- IR downloads ------------------------------------------------------------------

TEST(IrDownload, StreamOf2785BytesIsStoredAs2436Bytes) {
    EditorHarness h;
    h.goOnline();
    const Bytes file = irFile(1);
    const auto chunks = irDump(40, file);
    ASSERT_EQ(chunks.size(), 11u);
    for (const Bytes& m : chunks) h.receive(m);
    EXPECT_EQ(storage::readFile(h.editor.dataFolder().irFile(40)), file);
}

TEST(IrDownload, CabinetIrIsStoredInTheFactoryFolderAndNamesTheCabinet) {
    EditorHarness h;
    h.goOnline();
    for (const Bytes& m : irDump(385, irFile(2))) h.receive(m);
    EXPECT_EQ(storage::readFile(h.editor.dataFolder().factoryIrFolder() / "002.dat"), irFile(2));
    EXPECT_EQ(h.editor.cabinetName(2), "Cab 2");
}

TEST(IrDownload, BadChecksumIsNotStored) {
    EditorHarness h;
    h.goOnline();
    for (const Bytes& m : irDump(40, irFile(1))) h.receive(m);
    for (const Bytes& m : irDump(40, irFile(9), 1)) h.receive(m);
    EXPECT_EQ(storage::readFile(h.editor.dataFolder().irFile(40)), irFile(1))
        << "the good copy stays";
}

TEST(IrDownload, StreamLongerThanTheDecodeBufferIsRefused) {
    EditorHarness h;
    h.goOnline();
    // 4,800 stream bytes would decode to 4,200 bytes, past the 4,096-byte buffer.
    for (const Bytes& m : irDump(41, irFile(1), 0, 4800)) h.receive(m);
    EXPECT_FALSE(std::filesystem::exists(h.editor.dataFolder().irFile(41)));
}

TEST(IrDownload, IgnoredWhileOffline) {
    EditorHarness h;
    for (const Bytes& m : irDump(40, irFile(1))) h.receive(m);
    EXPECT_FALSE(std::filesystem::exists(h.editor.dataFolder().irFile(40)));
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
    std::vector<SentMessage> sent;
    UploadHarness() {
        link.setSender([this](std::span<const std::uint8_t> m) {
            sent.push_back({static_cast<std::int64_t>(sent.size()), {m.begin(), m.end()}});
            return true;
        });
        link.events().setProgram(&events);
    }
    void steps(int n) {
        for (int i = 0; i < n; ++i)
            if (upload.ready()) upload.step();
    }
    std::vector<Bytes> sentWith(int key) const {
        std::vector<Bytes> out;
        for (const auto& m : sent)
            if (commandKey(m.bytes) == key) out.push_back(m.bytes);
        return out;
    }
};

TEST(IrUpload, ElevenChunksWithTheHeaderAcknowledged) {
    UploadHarness h;
    h.upload.load(irFile(3), 300, true);
    ASSERT_TRUE(h.upload.ready());
    h.steps(10);
    ASSERT_EQ(h.sent.size(), 1u) << "waits for the device after the first chunk";
    EXPECT_TRUE(h.events.isActive(Transfer::IrUpload));
    EXPECT_EQ(h.sent[0].bytes.size(), sysex::IrFirstSize);
    EXPECT_EQ(sysex::read14(h.sent[0].bytes, sysex::at::IrNumber), 300u);
    EXPECT_EQ(sysex::read21(h.sent[0].bytes, sysex::at::IrStreamLength), 2785u);
    h.upload.headerAccepted();
    h.steps(20);
    ASSERT_EQ(h.sent.size(), 11u);
    EXPECT_EQ(h.sentWith(sysex::cmd::IrMiddle).size(), 9u);
    const auto last = h.sentWith(sysex::cmd::IrLast);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].size(), 2785u - 256 - 9 * 256 + 10);
    EXPECT_EQ(h.events.result(Transfer::IrUpload), 1);
    EXPECT_FALSE(h.upload.ready());
    // Reassembled, the chunks are the packed file.
    Bytes stream(h.sent[0].bytes.begin() + 12, h.sent[0].bytes.end() - 1);
    for (std::size_t i = 1; i < 11; ++i)
        stream.insert(stream.end(), h.sent[i].bytes.begin() + 7,
                      h.sent[i].bytes.end() - (i == 10 ? 3 : 1));
    EXPECT_EQ(sysex::unpackStream(stream), irFile(3));
    EXPECT_EQ(sysex::read14(last[0], last[0].size() - 3), sysex::checksumOf(stream).value());
}

// ---- bank import ---------------------------------------------------------------------

struct BankFile {
    std::vector<Bytes> messages;
    Bytes bytes() const {
        Bytes out;
        for (const Bytes& m : messages) out.insert(out.end(), m.begin(), m.end());
        return out;
    }
};

BankFile smallBank() {
    BankFile bank;
    bank.messages.push_back(sysex::blockMessage(sysex::cmd::PresetDump, 0, recordWith(5, "A")));
    for (const Bytes& m : irDump(12, irFile(4))) bank.messages.push_back(m);
    return bank;
}

struct ImportHarness : EditorHarness {
    std::filesystem::path file = dir.path() / "bank.kvb";
    ImportHarness() {
        openWindow();
        goOnlineWithPreset();
    }
    bool start(const Bytes& bytes) {
        storage::writeFile(file, bytes);
        std::string error;
        return editor.startBankImport(file, error);
    }
};

TEST(BankImport, RewritesDumpsIntoRestoreMessages) {
    ImportHarness h;
    const BankFile bank = smallBank();
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
    h.loop.advance(100);
    EXPECT_EQ(h.sent.back().bytes[5], 0x77);
    h.receive(sysex::status(sysex::cmd::RestoreAckAlt));
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
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 5B 0A F7"});
    h.loop.advance(100);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Finished successfully!"});
    EXPECT_EQ(h.view.result(Transfer::BankImport), 1);
    EXPECT_FALSE(h.editor.online()) << "reconnects after the import";
    h.sent.clear();
    h.loop.advance(3300);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 55 0A 0F F7"});
}

TEST(BankImport, ContinueAnswerOnTheLastMessageEndsTheImport) {
    ImportHarness h;
    ASSERT_TRUE(h.start(sysex::blockMessage(sysex::cmd::PresetDump, 0, recordWith(5))));
    h.loop.advance(200);
    h.sent.clear();
    h.receive(sysex::status(sysex::cmd::RestoreContinue));
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 5B 0A F7"});
    h.loop.advance(100);
    EXPECT_EQ(h.view.result(Transfer::BankImport), 1);
    EXPECT_FALSE(h.editor.online());
}

TEST(BankImport, RefusalEndsWithCommunicationError) {
    ImportHarness h;
    ASSERT_TRUE(h.start(smallBank().bytes()));
    h.loop.advance(200);
    h.receive(sysex::status(sysex::cmd::RestoreRefused));
    EXPECT_EQ(h.view.result(Transfer::BankImport), 0);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Communication error!"});
    h.sent.clear();
    h.loop.advance(1000);
    EXPECT_TRUE(h.sent.empty());
}

TEST(BankImport, NoAnswerFor5SecondsEndsWithCommunicationError) {
    ImportHarness h;
    ASSERT_TRUE(h.start(smallBank().bytes()));
    h.loop.advance(200);
    h.loop.advance(4800);
    EXPECT_TRUE(h.platform.boxes.empty());
    h.loop.advance(400);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Communication error!"});
    EXPECT_EQ(h.view.result(Transfer::BankImport), 0);
}

// An import holds the tick while it waits, the keep-alive included.
TEST(BankImport, WaitsWhileOffline) {
    EditorHarness h;
    const auto file = h.dir.path() / "bank.kvb";
    storage::writeFile(file, smallBank().bytes());
    std::string error;
    ASSERT_TRUE(h.editor.startBankImport(file, error));
    h.loop.advance(4000);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_TRUE(h.events.isActive(Transfer::BankImport));
}

// A cut last message and data between messages are refused with the real
// files of tests/data/banks (scenarios); these two have no file.
TEST(BankImport, EmptyOrOversizedFilesAreRefused) {
    ImportHarness h;
    EXPECT_FALSE(h.start({}));
    storage::writeFile(h.file, Bytes(BulkBufferCapacity + 1, 0xF7));
    std::string error;
    EXPECT_FALSE(h.editor.startBankImport(h.file, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(h.view.isActive(Transfer::BankImport));
    h.loop.advance(500);
    EXPECT_TRUE(h.sentWith(sysex::cmd::BeginTransfer).empty());
}

TEST(BankImport, CancellingTheQuestionShowsNoDialog) {
    EditorHarness h;
    h.openWindow();
    h.platform.answers.push_back(Answer::Cancel);
    h.editor.menuCommand(menu::ImportBank);
    EXPECT_EQ(h.platform.texts().size(), 1u);
    EXPECT_TRUE(h.platform.requests.empty());
}

// The desktop menu reaches the editor only through menuCommand; these three
// items once fell through to the default case and did nothing.
TEST(MenuCommands, FirmwareImportAndExportItemsAreWired) {
    EditorHarness h;
    h.openWindow();
    h.editor.menuCommand(menu::FirmwareUpdate);
    EXPECT_TRUE(h.editor.online()) << "held online for the loader";
    EXPECT_TRUE(h.view.logged("firmware page"));
    h.loop.advance(3300);
    EXPECT_TRUE(h.sent.empty()) << "no keep-alive on the firmware page";

    h.platform.files.push_back((h.dir.path() / "out.kvb").string());
    h.editor.menuCommand(menu::ExportBank);
    ASSERT_EQ(h.platform.requests.size(), 1u);
    EXPECT_EQ(h.platform.requests[0].mode, FileRequest::Mode::Save);
    EXPECT_EQ(h.platform.requests[0].extension, "kvb");
    EXPECT_EQ(h.platform.requests[0].initialName, "Vornix_Presets_and_IRs");
    EXPECT_TRUE(h.view.isActive(Transfer::BankExport));

    h.editor.menuCommand(menu::ImportBank);
    EXPECT_EQ(h.platform.texts().back(),
              "This operation will overwrite the current Presets!\nAre you sure to continue?");
    EXPECT_EQ(h.platform.requests.size(), 2u);
}

// ---- bank export -------------------------------------------------------------------------

TEST(BankExport, NoAnswerFor5SecondsEndsWithCommunicationErrorAndNoFile) {
    EditorHarness h;
    h.openWindow();
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "out.kvb";
    h.editor.startBankExportTo(file);
    h.loop.advance(100);
    ASSERT_EQ(h.sentWith(sysex::cmd::RequestPreset).size(), 1u);
    h.loop.advance(5200);
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"Communication error!"});
    EXPECT_EQ(h.view.result(Transfer::BankExport), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(BankExport, GoingOfflineCancelsWithoutAFile) {
    EditorHarness h;
    h.goOnlineWithPreset();
    const auto file = h.dir.path() / "out.kvb";
    h.editor.startBankExportTo(file);
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
    h.editor.startBankExportTo(file);
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
    EXPECT_FALSE(std::filesystem::exists(h.editor.dataFolder().presetSlotFile(3)))
        << "dumps are not cached";
}

// ---- firmware ----------------------------------------------------------------------------

struct FirmwareHarness : EditorHarness {
    std::filesystem::path file = dir.path() / "fw.bin";
    bool load(std::size_t bytes) {
        Bytes data(bytes);
        std::iota(data.begin(), data.end(), 0);
        storage::writeFile(file, data);
        std::string error;
        return editor.loadFirmware(file, error);
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
    h.editor.menuCommand(menu::FirmwareUpdate);
    h.editor.openFirmwarePage();
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
    EXPECT_FALSE(h.editor.online());
    EXPECT_TRUE(h.view.logged("firmware page closed after update"));
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
    std::filesystem::create_directories(h.editor.dataFolder().presetsFolder());
    ASSERT_TRUE(storage::writePresetSlotFile(h.editor.dataFolder(), 0, recordWith(1, "Kept")));
    h.editor.loadPresetSlots();
    h.platform.answers.push_back(Answer::Cancel);
    h.editor.factoryReset(sysex::reset::Settings);
    EXPECT_TRUE(h.sent.empty());
    h.editor.factoryReset(sysex::reset::Settings);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 56 0A 02 F7"});
    EXPECT_EQ(h.view.presetRows[0].substr(0, 8), " 00 Kept");
    h.editor.factoryReset(sysex::reset::Presets);
    EXPECT_EQ(h.sentHex().back(), "F0 00 51 21 05 56 0A 01 F7");
    EXPECT_EQ(h.view.presetRows[0], " 00 ");
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>(3, "Are you sure?"));
}

}  // namespace
}  // namespace vornix::testing
