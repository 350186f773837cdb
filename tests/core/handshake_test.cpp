#include <gtest/gtest.h>

#include "editor_harness.hpp"

namespace vornix::testing {
namespace {

const std::string Identify = "F0 00 51 21 05 55 0A 0F F7";

std::vector<std::int64_t> identifyTimes(const EditorHarness& h) {
    std::vector<std::int64_t> times;
    for (const auto& m : h.sent)
        if (sysex::toHex(m.bytes) == Identify) times.push_back(m.at);
    return times;
}

TEST(KeepAlive, FirstRequestAt3300MsThenEvery3300Ms) {
    EditorHarness h;
    h.loop.advance(3299);
    EXPECT_TRUE(h.sent.empty());
    h.loop.advance(1);
    h.loop.advance(3300 * 2);
    EXPECT_EQ(identifyTimes(h), (std::vector<std::int64_t>{3300, 6600, 9900}));
    EXPECT_EQ(h.sent.size(), 3u);
}

TEST(KeepAlive, NoneWhileOnlineOrDisabled) {
    EditorHarness h;
    h.goOnline();
    h.sent.clear();
    h.loop.advance(10000);
    EXPECT_TRUE(identifyTimes(h).empty());

    EditorHarness settings;
    settings.editor.menuCommand(MenuCommand::GlobalSettings);  // turns the keep-alive off
    settings.loop.advance(10000);
    EXPECT_TRUE(identifyTimes(settings).empty());
    settings.editor.reconnect();
    settings.loop.advance(3300);
    EXPECT_EQ(identifyTimes(settings).size(), 1u);
}

// A port of the pedal just opened: asked at once, and the keep-alive counts
// its 3.3 s from there, so the two never go out back to back.
TEST(KeepAlive, IdentifyNowAsksAtOnceAndRestartsTheCount) {
    EditorHarness h;
    h.loop.advance(2000);
    h.editor.connection().identifyNow();
    h.loop.advance(3300);
    EXPECT_EQ(identifyTimes(h), (std::vector<std::int64_t>{2000, 5300}));
}

TEST(KeepAlive, IdentifyNowAsksNothingOnlineOrWhileTheSearchIsOff) {
    EditorHarness online;
    online.goOnline();
    online.sent.clear();
    online.editor.connection().identifyNow();
    EXPECT_TRUE(online.sent.empty());

    EditorHarness settings;
    settings.editor.menuCommand(MenuCommand::GlobalSettings);
    settings.editor.connection().identifyNow();
    EXPECT_TRUE(identifyTimes(settings).empty());
}

TEST(Identification, AcceptedVersionGoesOnlineAndAsksForChecksums) {
    EditorHarness h;
    h.goOnline(109);
    EXPECT_TRUE(h.editor.connection().online());
    EXPECT_TRUE(h.events.online);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 55 0A 03 F7"});
    EXPECT_EQ(h.events.answeredVersions, std::vector<double>{10.9});
    EXPECT_DOUBLE_EQ(h.events.identifiedVersion, 10.9);
    EXPECT_EQ(h.events.serial, "VX1-7" + std::string(27, ' '));
}

TEST(Identification, VersionsOutsideOneToTenStayOfflineWithAMessage) {
    struct Case {
        std::uint8_t version;
        const char* message;
    };
    const Case cases[] = {
        {9, "Please upgrade Vornix to actual version 10."},
        {0, "Please upgrade Vornix to actual version 10."},
        {110, "Editor version out of date. Please download the most recent version."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.version));
        EditorHarness h;
        h.openWindow();
        h.goOnline(c.version);
        EXPECT_FALSE(h.editor.connection().online());
        EXPECT_EQ(h.events.refusals, std::vector<std::string>{c.message});
        EXPECT_TRUE(h.sent.empty());
        EXPECT_TRUE(h.platform.boxes.empty())
            << "shown by the next idle tick, not inside the handler";
        h.loop.advance(20);
        EXPECT_EQ(h.platform.texts(), std::vector<std::string>{c.message});
        // The keep-alive goes on.
        h.loop.advance(3300);
        EXPECT_EQ(identifyTimes(h).size(), 1u);
    }
}

TEST(Identification, WindowClosedDropsTheVersionMessage) {
    EditorHarness h;
    h.goOnline(9);
    h.loop.advance(100);
    EXPECT_TRUE(h.platform.boxes.empty());
}

TEST(Identification, BadChecksumShowsTheVersionButStaysOffline) {
    EditorHarness h;
    h.openWindow();
    Bytes reply = sysex::identificationReply(13, "X");
    reply[100] ^= 1;
    h.receive(reply);
    EXPECT_FALSE(h.editor.connection().online());
    EXPECT_EQ(h.events.answeredVersions, std::vector<double>{1.3});
    EXPECT_EQ(h.events.serial, "");
    EXPECT_TRUE(h.sent.empty());
}

TEST(Identification, SecondReplyWhileOnlineIsIgnored) {
    EditorHarness h;
    h.goOnline();
    h.sent.clear();
    h.goOnline(9);  // would be refused if it counted as an identification
    EXPECT_TRUE(h.editor.connection().online());
    EXPECT_TRUE(h.sent.empty());
    h.loop.advance(100);
    EXPECT_TRUE(h.events.messages.empty());
}

TEST(Reconnect, GoesOfflineAndLooksForTheDeviceAgain) {
    EditorHarness h;
    h.goOnline();
    h.editor.reconnect();
    EXPECT_FALSE(h.editor.connection().online());
    EXPECT_FALSE(h.events.online);
    EXPECT_TRUE(h.events.logged("connecting"));
    h.sent.clear();
    h.loop.advance(3300);
    EXPECT_EQ(identifyTimes(h).size(), 1u);
}

// One lost reply while connecting once left the editor waiting for good.
TEST(StartUp, AnUnansweredPageRequestIsAskedAgainThreeTimes) {
    const std::string Checksums = "F0 00 51 21 05 55 0A 03 F7";
    const std::string Settings = "F0 00 51 21 05 55 0A 00 F7";
    EditorHarness h;
    h.goOnline();
    h.loop.advance(1200);
    EXPECT_EQ(h.sentHex(), (std::vector<std::string>{Checksums, Checksums}));
    h.sent.clear();
    h.receive(
        sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Checksums, sysex::PageBlock{}));
    h.loop.advance(6000);
    EXPECT_EQ(h.sentHex(), std::vector<std::string>(4, Settings))
        << "the request and three repeats";
    h.sent.clear();
    h.receive(
        sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Settings, sysex::PageBlock{}));
    h.loop.advance(6000);
    // The device's current preset, the last step, is asked for again too.
    std::vector<std::string> expected{"F0 00 51 21 05 5B 0A F7"};
    expected.insert(expected.end(), 4, "F0 00 51 21 05 40 0A 00 F7");
    EXPECT_EQ(h.sentHex(), expected);
    h.sent.clear();
    h.receivePreset(0, recordWith(64));
    h.loop.advance(6000);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(h.events.synchronisations, 1);
}

// A repeated answer to a request asked again does not restart a running read.
TEST(StartUp, ALateSecondChecksumPageLeavesTheReadAlone) {
    EditorHarness h;
    h.goOnline();
    sysex::PresetChecksums differing{};
    differing[3] = {1, 2};
    const Bytes page = sysex::blockMessage(sysex::cmd::GlobalPage, sysex::page::Checksums,
                                           sysex::buildChecksumPage(differing));
    h.receive(page);
    h.loop.advance(200);  // begin transfer, then the request of slot 3
    h.receive(page);
    h.loop.advance(200);
    EXPECT_EQ(h.sentWith(sysex::cmd::BeginTransfer).size(), 1u);
    EXPECT_EQ(h.sentWith(sysex::cmd::RequestPreset), std::vector<Bytes>{sysex::requestPreset(3)});
}

}  // namespace
}  // namespace vornix::testing
