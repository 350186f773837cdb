// The MIDI monitor's capture: the editor's traffic both ways with the loop's
// time and the decoder's names, bounded with the oldest dropped, and saved as
// .syx (which the bank file splitter splits into the same messages) or text.
#include "core/traffic_capture.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "editor_harness.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"

namespace vornix {
namespace {

using testing::bytesOf;
using testing::EditorHarness;

std::string lineOf(const CapturedMessage& m) {
    return m.line();
}

TEST(TrafficCapture, HoldsWhatTheEditorSendsAndReceivesWithTimeAndNames) {
    EditorHarness h;
    TrafficCapture capture(h.loop);
    h.editor.link().events().add(capture);
    h.loop.advance(1500);
    h.editor.link().send(sysex::requestPreset(12));
    h.loop.advance(20);
    // Not a message the editor handles: held all the same.
    h.receive(bytesOf({0xF0, 0x00, 0x51, 0x21, 0x05, 0x4E, 0x0A, 1, 2, 3, 4, 0xF7}));
    ASSERT_EQ(capture.messages().size(), 2u);
    EXPECT_EQ(lineOf(capture.messages()[0]),
              "1.500 > request preset 12  F0 00 51 21 05 40 0A 0C F7");
    EXPECT_EQ(lineOf(capture.messages()[1]),
              "1.520 < unknown command 0x4E, 12 bytes  F0 00 51 21 05 4E 0A 01 02 03 04 F7");
    EXPECT_FALSE(capture.messages()[0].isProblem());
    EXPECT_TRUE(capture.messages()[1].isProblem());
}

TEST(TrafficCapture, UsesTheCataloguesParameterNames) {
    EditorHarness h;
    TrafficCapture capture(h.loop);
    h.editor.link().events().add(capture);
    h.receive(sysex::parameterChanged(param::Drive, 77));
    ASSERT_FALSE(capture.messages().empty());
    EXPECT_EQ(capture.messages()[0].name, "parameter Drive (index 5) changed to 77");
}

TEST(TrafficCapture, DropsTheOldestPastItsLimitAndCountsThem) {
    VirtualEventLoop loop;
    TrafficCapture capture(loop, 3);
    for (int slot = 0; slot < 5; ++slot)
        capture.messageSent(sysex::requestPreset(static_cast<std::uint8_t>(slot)));
    ASSERT_EQ(capture.messages().size(), 3u);
    EXPECT_EQ(capture.dropped(), 2u);
    EXPECT_EQ(capture.messages().front().name, "request preset 2");
    EXPECT_EQ(capture.messages().front().sequence, 3u);
    EXPECT_EQ(capture.nextSequence(), 6u);
    // The window asks for what came since its last batch.
    const auto since = capture.from(5);
    ASSERT_EQ(since.size(), 1u);
    EXPECT_EQ(since[0]->name, "request preset 4");
    EXPECT_EQ(capture.from(1).size(), 3u);
    EXPECT_TRUE(capture.from(6).empty());

    capture.clear();
    EXPECT_TRUE(capture.messages().empty());
    EXPECT_EQ(capture.dropped(), 0u);
    capture.messageSent(sysex::endTransfer());
    EXPECT_EQ(capture.messages().front().sequence, 6u);
}

TEST(TrafficCapture, ASavedSyxSplitsIntoTheSameMessages) {
    testing::TempDir dir;
    VirtualEventLoop loop;
    TrafficCapture capture(loop);
    const std::vector<sysex::Bytes> messages{
        sysex::requestPreset(3),
        sysex::blockMessage(sysex::cmd::PresetDump, 3, testing::recordWith(64, "Saved")),
        sysex::status(sysex::cmd::RestoreAck), sysex::identificationReply(13, "VX1-1")};
    for (std::size_t i = 0; i < messages.size(); ++i)
        i % 2 ? capture.messageReceived(messages[i]) : capture.messageSent(messages[i]);
    // Not SysEx: left out, or it would run into the next message.
    capture.messageReceived(bytesOf({0x90, 0x40, 0x7F}));

    const auto file = dir.path() / "traffic.SYX";
    ASSERT_TRUE(saveCapture(file, capture.all()).ok());
    const auto bytes = storage::readFile(file);
    const storage::BankFileSplit split = storage::splitBankFile(bytes);
    ASSERT_TRUE(split.ok()) << split.error;
    ASSERT_EQ(split.starts.size(), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::size_t end = i + 1 < split.starts.size() ? split.starts[i + 1] : bytes.size();
        EXPECT_EQ(sysex::Bytes(bytes.begin() + std::ptrdiff_t(split.starts[i]),
                               bytes.begin() + std::ptrdiff_t(end)),
                  messages[i])
            << "message " << i;
    }
}

TEST(TrafficCapture, SavesTextOneDecodedLineAMessage) {
    testing::TempDir dir;
    VirtualEventLoop loop;
    TrafficCapture capture(loop);
    capture.messageSent(sysex::beginTransfer());
    loop.advance(100);
    capture.messageReceived(sysex::status(sysex::cmd::IrHeaderAccepted));
    const auto file = dir.path() / "traffic.txt";
    ASSERT_TRUE(saveCapture(file, capture.all()).ok());
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "0.000 > begin transfer  F0 00 51 21 05 5A 0A F7\n"
              "0.100 < IR header accepted, send the data  F0 00 51 21 05 63 00 F7\n");
    EXPECT_FALSE(saveCapture(dir.path() / "missing" / "x.syx", capture.all()).ok());
}

}  // namespace
}  // namespace vornix
