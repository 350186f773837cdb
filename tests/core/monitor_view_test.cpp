// What the MIDI monitor's list shows of the capture: the filters, applied in
// order as rows are appended, and the texts of a row and its detail.
#include "core/monitor_view.hpp"

#include <gtest/gtest.h>

#include "framework/virtual_event_loop.hpp"

namespace vornix {
namespace {

const sysex::Bytes Identify = sysex::requestPage(sysex::page::Identify);
const sysex::Bytes Answer = sysex::identificationReply(13, "VX1-000417");

struct Traffic {
    VirtualEventLoop loop;
    TrafficCapture capture{loop};

    void sent(const sysex::Bytes& m) { capture.messageSent(m); }
    void received(const sysex::Bytes& m) { capture.messageReceived(m); }
    // The names of the messages the filter lets through, oldest first.
    std::vector<std::string> shown(const MonitorFilter& filter) const {
        MonitorFilterPass pass(filter);
        std::vector<std::string> names;
        for (const CapturedMessage& m : capture.messages())
            if (pass.shows(m)) names.push_back(m.name);
        return names;
    }
};

TEST(MonitorFilter, HidesIdentifyRequestsRepeatedWithoutAnAnswer) {
    Traffic t;
    t.sent(Identify);
    t.sent(Identify);  // the pedal was not there yet
    t.sent(Identify);
    t.received(Answer);
    t.sent(Identify);  // RECONNECT: a new search, shown
    t.sent(sysex::requestPreset(4));
    t.sent(Identify);
    MonitorFilter filter;
    filter.hideRepeatedIdentify = true;
    const std::vector<std::string> expected{"identify", t.capture.messages()[3].name, "identify",
                                            "request preset 4"};
    EXPECT_EQ(t.shown(filter), expected);
    EXPECT_EQ(t.shown({}).size(), 7u);
}

TEST(MonitorFilter, KeepsOnlyProblemsAndSearchesNamesAndBytes) {
    Traffic t;
    t.sent(sysex::requestPreset(12));
    t.received(sysex::Bytes{0xF0, 0x00, 0x51, 0x21, 0x05, 0x4E, 0x0A, 0xF7});  // unknown command
    t.received(sysex::status(sysex::cmd::RestoreAck));
    // "40 0a 0c" is in the hex of request preset 12.
    struct Case {
        bool onlyProblems;
        std::string search;
        std::size_t shown;
    } cases[] = {
        {true, "", 1},      {false, "PRESET 12", 1}, {false, "40 0a 0c", 1},
        {false, "0x4e", 1}, {true, "preset", 0},     {false, "nothing like it", 0},
        {false, "", 3},
    };
    for (const Case& c : cases) {
        MonitorFilter filter;
        filter.onlyProblems = c.onlyProblems;
        filter.search = c.search;
        EXPECT_EQ(t.shown(filter).size(), c.shown) << "search \"" << c.search << '"';
    }
}

TEST(MonitorView, ShortensTheFirstBytesAndGroupsLargeNumbers) {
    const sysex::Bytes request = sysex::requestPreset(12);
    EXPECT_EQ(firstBytesText(request, 12), "F0 00 51 21 05 40 0A 0C F7");
    EXPECT_EQ(firstBytesText(request, 4), "F0 00 51 21 ...");
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(999), "999");
    EXPECT_EQ(groupedNumber(100000), "100,000");
    EXPECT_EQ(groupedNumber(1234567), "1,234,567");
}

TEST(MonitorView, StatusSaysHowManyTheCaptureDropped) {
    VirtualEventLoop loop;
    TrafficCapture capture(loop, 2);
    capture.messageSent(sysex::requestPreset(1));
    EXPECT_EQ(monitorStatus(1, capture), "1 of 1 messages");
    capture.messageSent(sysex::requestPreset(2));
    capture.messageSent(sysex::requestPreset(3));
    EXPECT_EQ(monitorStatus(0, capture),
              "0 of 2 messages; the oldest 1 dropped (at most 2 are held)");
}

TEST(MonitorView, DetailShowsEveryByteSixteenALine) {
    VirtualEventLoop loop;
    TrafficCapture capture(loop);
    loop.advance(2500);
    capture.messageReceived(Answer);
    const std::string detail = detailText(capture.messages().front());
    EXPECT_EQ(detail.rfind("2.500 s  received, " + std::to_string(Answer.size()) + " bytes\n" +
                               capture.messages().front().name + "\n\n0000  F0 00 51 21",
                           0),
              0u)
        << detail;
    EXPECT_NE(detail.find("\n0016  "), std::string::npos) << detail;
    EXPECT_EQ(detail.find(sysex::toHex(std::span(Answer).first(17))), std::string::npos)
        << "sixteen bytes a line";
}

}  // namespace
}  // namespace vornix
