// The IR panel's side of the library: a WAV made into the current preset's
// user IR, stores under cabinet numbers, the IR shown for each selector value
// and the IRs the editor asks the device for.
#include <gtest/gtest.h>

#include "editor_harness.hpp"
#include "ir/ir_library.hpp"
#include "ir/ir_slot_file.hpp"
#include "storage/file_io.hpp"

namespace vornix::testing {
namespace {

std::string wav(const std::string& name) {
    return testDataPath("wav/" + name).string();
}

Bytes setParam(int index, int value) {
    return sysex::setParameter(static_cast<std::uint8_t>(deviceNumber(index)),
                               static_cast<std::uint8_t>(value));
}

// ---- IMPORT of a position -----------------------------------------------------------

struct ImportCase {
    UserIrTarget position;
    int high, low;  // slot halves as parameters
    int number;     // the user IR number for preset 12
};

// The file an upload carried, from its chunks.
Bytes uploadedFile(const EditorHarness& h) {
    Bytes stream;
    for (const Bytes& m : h.sentBytes()) {
        const int command = commandKey(m);
        if (command == sysex::cmd::IrFirst)
            stream.insert(stream.end(), m.begin() + sysex::at::IrFirstData, m.end() - 1);
        else if (command == sysex::cmd::IrMiddle)
            stream.insert(stream.end(), m.begin() + sysex::at::IrChunkData, m.end() - 1);
        else if (command == sysex::cmd::IrLast)
            stream.insert(stream.end(), m.begin() + sysex::at::IrChunkData, m.end() - 3);
    }
    return sysex::unpackStream(stream);
}

// The name page of user IRs 0-7 with one named row.
Bytes namePageWith(int row, const std::string& name) {
    std::array<std::uint8_t, 256> block;
    block.fill(' ');
    const auto padded = sysex::padName(name);
    std::copy(padded.begin(), padded.end(), block.begin() + 32 * row);
    return sysex::blockMessage(sysex::cmd::IrNamePage, 0, block);
}

TEST(UserIrImport, WavBecomesThePresetsOwnUserIrAndIsUploaded) {
    const ImportCase cases[] = {
        {UserIrTarget::Ir7, param::Ir7SlotHigh, param::Ir7SlotLow, 12},
        {UserIrTarget::Ir8, param::Ir8SlotHigh, param::Ir8SlotLow, 128 + 12},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.number);
        EditorHarness h;
        h.openWindow();
        h.goOnlineWithPreset(12);
        const Result imported =
            h.editor.userIrs().importUserIr(c.position, wav("pcm16_mono_44100.wav"));
        ASSERT_TRUE(imported.ok()) << imported.error();
        EXPECT_EQ(h.editor.userIrs().irUploadTarget(), static_cast<unsigned>(c.number));
        // The high half goes out first, even when unchanged; the low half waits for 5F.
        ASSERT_EQ(h.sentBytes(), std::vector<Bytes>{setParam(c.high, c.number >> 7)});
        h.sent.clear();
        h.receive(sysex::status(sysex::cmd::ParameterAck));
        EXPECT_EQ(h.sentBytes(), std::vector<Bytes>{setParam(c.low, c.number & 0x7F)});
        EXPECT_EQ(h.editor.intValue(c.low), 12);
        // Cached under the number, named after the file.
        const auto cached =
            storage::readFile(h.editor.cache().folder().irFile(static_cast<unsigned>(c.number)));
        ASSERT_EQ(cached.size(), 2436u);
        EXPECT_EQ(ir::irSlotFileName(cached), "pcm16_mono_44100");
        EXPECT_EQ(h.editor.userIrs().irNames().userName(static_cast<unsigned>(c.number)),
                  "pcm16_mono_44100");
        const int position = c.position == UserIrTarget::Ir7 ? 7 : 8;
        EXPECT_EQ(h.view.positionNames[position], "pcm16_mono_44100");
        EXPECT_EQ(h.editor.userIrs().userIrName(position), "pcm16_mono_44100");
        EXPECT_EQ(h.view.userIrRows[c.number % 32], "pcm16_mono_44100");
        // The upload: a header, then ten more chunks once the device accepts it.
        h.sent.clear();
        h.loop.advance(100);
        const auto first = h.sentWith(sysex::cmd::IrFirst);
        ASSERT_EQ(first.size(), 1u);
        EXPECT_EQ(sysex::read14(first[0], sysex::at::IrNumber), static_cast<unsigned>(c.number));
        h.receive(sysex::status(sysex::cmd::IrHeaderAccepted));
        h.loop.advance(2000);
        EXPECT_EQ(h.sentWith(sysex::cmd::IrMiddle).size() + h.sentWith(sysex::cmd::IrLast).size(),
                  10u);
        EXPECT_EQ(uploadedFile(h), cached);
    }
}

TEST(UserIrImport, UnreadableWavIsRefusedWithItsReasonAndNothingStored) {
    EditorHarness h;
    h.openWindow();
    h.goOnlineWithPreset(4);
    const auto before = h.editor.userIrs().irSamples();
    const Result imported =
        h.editor.userIrs().importUserIr(UserIrTarget::Ir7, wav("no_data_chunk.wav"));
    EXPECT_FALSE(imported.ok());
    EXPECT_EQ(imported.error(), "not a WAV file: no 'data' chunk");
    EXPECT_EQ(h.platform.texts(), std::vector<std::string>{"not a WAV file: no 'data' chunk"});
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(4)));
    EXPECT_TRUE(h.editor.userIrs().irSamples() == before);
    EXPECT_TRUE(h.view.positionNames.empty());
    h.receive(sysex::status(sysex::cmd::ParameterAck));
    h.loop.advance(1000);
    EXPECT_TRUE(h.sentWith(sysex::cmd::IrFirst).empty()) << "nothing uploaded";
}

// The WAV is asked for first: a cancelled dialog leaves the position's
// number, on the device too, as it was.
TEST(UserIrImport, CancelledDialogChangesNothingOnTheDevice) {
    EditorHarness h;
    h.openWindow();
    h.goOnlineWithPreset(5);
    const Result imported = h.editor.userIrs().importUserIr(UserIrTarget::Ir8, std::nullopt);
    EXPECT_FALSE(imported.ok());
    ASSERT_EQ(h.platform.requests.size(), 1u);
    EXPECT_EQ(h.platform.requests[0].extension, "wav");
    EXPECT_TRUE(h.sent.empty());
    h.receive(sysex::status(sysex::cmd::ParameterAck));
    EXPECT_TRUE(h.sent.empty());
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(133)));
}

TEST(UserIrImport, OfflineCachesButDoesNotUpload) {
    EditorHarness h;
    const Result imported =
        h.editor.userIrs().importUserIr(UserIrTarget::Ir7, wav("pcm24_mono_48000.wav"));
    ASSERT_TRUE(imported.ok()) << imported.error();
    EXPECT_TRUE(std::filesystem::exists(h.editor.cache().folder().irFile(0)));
    EXPECT_EQ(h.editor.userIrs().userIrName(7), "pcm24_mono_48000");
    h.goOnline();
    h.loop.advance(1000);
    EXPECT_TRUE(h.sentWith(sysex::cmd::IrFirst).empty());
}

// ---- stores under cabinet numbers ------------------------------------------------------

TEST(StoreIr, CabinetNumber390WritesFactoryFile7AndRelabelsCabinet7) {
    EditorHarness h;
    h.openWindow();
    ASSERT_TRUE(h.editor.userIrs().readWavIntoIr(wav("pcm16_mono_44100.wav")).ok());
    h.editor.userIrs().storeIr(sysex::padName("New Seven"), 390);
    const auto file = h.editor.cache().folder().factoryIrFolder() / "007.dat";
    EXPECT_EQ(storage::readFile(file).size(), 2436u);
    EXPECT_FALSE(std::filesystem::exists(h.editor.cache().folder().irFile(390 - 384)));
    EXPECT_EQ(h.view.cabinetNames[7], "New Seven");
    EXPECT_EQ(h.editor.userIrs().irNames().cabinetName(7), "New Seven");
    EXPECT_TRUE(h.view.userIrRows.empty()) << "no position was being edited";
}

// ---- the IR shown for the selector ---------------------------------------------------------

// Cabinet k gets an IR whose first sample is k / 10 and the rest silent.
void cacheCabinets(EditorHarness& h) {
    for (int k = 1; k <= 8; ++k) {
        ir::IrSampleBuffer samples{};
        samples[0] = k / 10.0;
        const auto encoded =
            ir::encodeIrSlotFile(sysex::padName("Cab" + std::to_string(k)), samples);
        ASSERT_TRUE(ir::storeIrFile(h.editor.cache().folder(), static_cast<unsigned>(383 + k),
                                    encoded.bytes));
    }
}

double cabinetFirstSample(EditorHarness& h, int k) {
    const auto decoded =
        ir::readIrSlotFile(h.editor.cache().folder().irFile(static_cast<unsigned>(383 + k)));
    return decoded ? decoded->samples[0] : -1;
}

TEST(IrSelection, FlatResponseCabinetsAndCrossFadesReachTheView) {
    EditorHarness h;
    h.openWindow();
    h.endBulkUpdate();
    cacheCabinets(h);
    struct Case {
        int value;
        int lo, hi;
        double weightHi;  // v - lo
    };
    // v = floor(value / 127 * 80) / 10
    const Case cases[] = {{0, 0, 0, 0},  {1, 0, 0, 0},     {8, 0, 1, 0.5}, {16, 1, 1, 0},
                          {64, 4, 4, 0}, {100, 6, 7, 0.2}, {127, 8, 8, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        h.view.impulseShown = 0;
        h.editor.userIrs().showIrSelection(c.value);
        const auto& out = h.editor.userIrs().irSamples();
        const double lo = c.lo == 0 ? 1.0 : cabinetFirstSample(h, c.lo);
        const double hi = c.hi == 0 ? 1.0 : cabinetFirstSample(h, c.hi);
        EXPECT_NEAR(out[0], (1 - c.weightHi) * lo + c.weightHi * hi, 1e-6);
        EXPECT_EQ(out[1], 0.0);
        EXPECT_EQ(h.view.impulseShown, out.size());
        EXPECT_TRUE(h.view.impulseByUser);
    }
}

TEST(IrSelection, DuringABulkUpdateItIsNotTheUsersChoice) {
    EditorHarness h;
    cacheCabinets(h);
    h.editor.userIrs().showIrSelection(64);  // no window: computed all the same
    EXPECT_NEAR(h.editor.userIrs().irSamples()[0], cabinetFirstSample(h, 4), 1e-9);
    h.openWindow();
    ASSERT_TRUE(h.editor.sound().BulkUpdate);
    h.editor.userIrs().showIrSelection(16);
    EXPECT_FALSE(h.view.impulseByUser);
    EXPECT_EQ(h.view.impulseShown, 4096u);
}

TEST(IrSelection, Position7PlaysTheUserIrWhenItsModeIsOn) {
    EditorHarness h;
    h.openWindow();
    h.endBulkUpdate();
    cacheCabinets(h);
    ir::IrSampleBuffer samples{};
    samples[0] = 0.25;
    ASSERT_TRUE(ir::storeIrFile(h.editor.cache().folder(), 21,
                                ir::encodeIrSlotFile(sysex::padName("User"), samples).bytes));
    h.editor.setParameterFromUser(param::Ir7SlotLow, 21);
    h.editor.setParameterFromUser(param::Ir7Mode, 1);
    h.editor.userIrs().showIrSelection(112);  // v = 7.0
    EXPECT_NEAR(h.editor.userIrs().irSamples()[0],
                ir::readIrSlotFile(h.editor.cache().folder().irFile(21))->samples[0], 1e-9);
    // Without a cache file the position stays a unit impulse.
    h.editor.setParameterFromUser(param::Ir7SlotLow, 22);
    h.editor.userIrs().showIrSelection(112);
    EXPECT_EQ(h.editor.userIrs().irSamples()[0], 1.0);
}

// ---- IRs the editor asks the device for ------------------------------------------------------

TEST(MissingUserIrs, Position7ThenPosition8AreRequestedAfterTheDownload) {
    EditorHarness h;
    h.goOnline();
    auto rec = recordWith(64);
    rec[sysex::record::Ir7Mode] = 1;
    rec[sysex::record::Ir7Bank] = 0;
    rec[sysex::record::Ir7Number] = 3;
    rec[sysex::record::Ir8Mode] = 1;
    rec[sysex::record::Ir8Bank] = 1;
    rec[sysex::record::Ir8Number] = 12;
    h.sent.clear();
    h.receivePreset(0, rec);
    EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr), std::vector<Bytes>{sysex::requestIr(3)});
    h.sent.clear();
    for (const Bytes& m : irDump(3, storage::readFile(testDataPath("presets/ir_first.dat"))))
        h.receive(m);
    EXPECT_TRUE(std::filesystem::exists(h.editor.cache().folder().irFile(3)));
    EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr), std::vector<Bytes>{sysex::requestIr(140)});
    // Once 140 is there too, nothing more is asked for.
    h.sent.clear();
    for (const Bytes& m : irDump(140, storage::readFile(testDataPath("presets/ir_second.dat"))))
        h.receive(m);
    EXPECT_TRUE(h.sentWith(sysex::cmd::RequestIr).empty());
}

// The device's IR name rows disagree with the cache for the slot being
// edited (the position of the last WAV import): when the device reports the
// slot, the editor fetches that IR at the next tick, once.
TEST(UserIrCheck, NameRowThatDiffersFromTheCacheRequestsTheIr) {
    struct Case {
        const char* what;
        std::string row;
        std::string cached;  // name in the cache file, empty for none
        bool requested;
    };
    const Case cases[] = {
        {"device holds an IR the cache lacks", "Device Cab", "", true},
        {"device holds another IR than the cache", "Device Cab", "Cached Cab", true},
        {"device slot empty", "Empty Slot 8", "", false},
        {"row matches the cache", "Cached Cab", "Cached Cab", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorHarness h;
        h.openWindow();
        h.goOnlineWithPreset(7);
        h.editor.setParameterFromUser(param::Ir7Mode, 1);
        const Result imported =
            h.editor.userIrs().importUserIr(UserIrTarget::Ir7, wav("pcm16_mono_44100.wav"));
        ASSERT_TRUE(imported.ok()) << imported.error();
        h.receive(sysex::status(sysex::cmd::ParameterAck));
        std::filesystem::remove(h.editor.cache().folder().irFile(7));
        if (!c.cached.empty()) {
            Bytes file = storage::readFile(testDataPath("presets/ir_first.dat"));
            const auto name = sysex::padName(c.cached);
            std::copy(name.begin(), name.end(), file.begin() + ir::irslot::Name);
            ASSERT_TRUE(ir::storeIrFile(h.editor.cache().folder(), 7, file));
        }
        h.receive(namePageWith(7, c.row));
        h.loop.advance(300);
        h.sent.clear();
        h.receive(sysex::parameterChanged(param::Ir7SlotLow, 7));
        EXPECT_TRUE(h.sentWith(sysex::cmd::RequestIr).empty()) << "asked at the next tick";
        h.loop.advance(300);
        EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr).size(), c.requested ? 1u : 0u);
        if (c.requested) {
            EXPECT_EQ(h.sentWith(sysex::cmd::RequestIr)[0], sysex::requestIr(7));
        }
    }
}

TEST(UserIrCheck, NoRequestWhileAWavImportWritesTheSlotOrTheModeIsOff) {
    for (bool modeOn : {true, false}) {
        SCOPED_TRACE(modeOn);
        EditorHarness h;
        h.openWindow();
        h.goOnlineWithPreset(7);
        if (modeOn) h.editor.setParameterFromUser(param::Ir7Mode, 1);
        // A WAV import names the row itself; the acknowledgement then finds it cached.
        const Result imported =
            h.editor.userIrs().importUserIr(UserIrTarget::Ir7, wav("pcm16_mono_44100.wav"));
        ASSERT_TRUE(imported.ok()) << imported.error();
        if (!modeOn) h.receive(namePageWith(7, "Device Cab"));
        h.sent.clear();
        h.receive(sysex::status(sysex::cmd::ParameterAck));
        h.loop.advance(300);
        EXPECT_TRUE(h.sentWith(sysex::cmd::RequestIr).empty());
    }
}

}  // namespace
}  // namespace vornix::testing
