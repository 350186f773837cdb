// The port watch against a fake set of ports on virtual time: what it reports
// when a watched port goes and comes, and what it leaves alone; and how the
// editor folds those reports into one message each way.
#include "host/port_watch.hpp"

#include "host/device_presence.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "framework/virtual_event_loop.hpp"

namespace vornix::host {
namespace {

constexpr const char* PedalIn = "Pedal Out:Pedal";
constexpr const char* PedalOut = "Pedal In:Pedal";

// The system's port lists as a test sets them; records every open and close.
class FakePorts : public NamedPorts {
  public:
    std::vector<std::string> ports(PortDirection direction) const override {
        return listed.at(direction);
    }
    bool open(PortDirection direction, const std::string& name) override {
        calls.push_back("open " + name);
        const auto& names = listed.at(direction);
        return !refuseOpen && std::find(names.begin(), names.end(), name) != names.end();
    }
    void close(PortDirection direction) override {
        calls.push_back(direction == PortDirection::Input ? "close input" : "close output");
    }
    void unplug() { listed = {{PortDirection::Input, {"Other"}}, {PortDirection::Output, {}}}; }
    void plugIn() {
        listed = {{PortDirection::Input, {"Other", PedalIn}}, {PortDirection::Output, {PedalOut}}};
    }

    std::map<PortDirection, std::vector<std::string>> listed;
    std::vector<std::string> calls;
    bool refuseOpen = false;
};

class PortWatchTest : public ::testing::Test {
  protected:
    PortWatchTest() {
        ports.plugIn();
        watch.watch(PortDirection::Input, PedalIn);
        watch.watch(PortDirection::Output, PedalOut);
    }
    // The texts reported so far, one per look that saw a change.
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& changes : reports) all.push_back(describePortChanges(changes));
        return all;
    }

    VirtualEventLoop loop;
    FakePorts ports;
    std::vector<std::vector<PortChange>> reports;
    PortWatch watch{loop, ports, [this](const auto& changes) { reports.push_back(changes); }};
};

TEST_F(PortWatchTest, UnpluggingIsReportedOnceWithinOneLookAndClosesBothPorts) {
    loop.advance(PortWatch::DefaultPollMs * 3);
    EXPECT_TRUE(reports.empty());
    ports.unplug();
    loop.advance(PortWatch::DefaultPollMs);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(texts()[0], "the MIDI ports Pedal Out:Pedal and Pedal In:Pedal went away");
    EXPECT_TRUE(anyPortWentAway(reports[0]));
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"close input", "close output"}));
    EXPECT_FALSE(watch.present(PortDirection::Input));
    loop.advance(PortWatch::DefaultPollMs * 10);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(PortWatchTest, APortOfTheSameNameIsOpenedAgainAndReportedBack) {
    ports.unplug();
    loop.advance(PortWatch::DefaultPollMs);
    ports.calls.clear();
    ports.plugIn();
    loop.advance(PortWatch::DefaultPollMs);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(texts()[1], "the MIDI ports Pedal Out:Pedal and Pedal In:Pedal are back");
    EXPECT_FALSE(anyPortWentAway(reports[1]));
    EXPECT_EQ(ports.calls, (std::vector<std::string>{std::string("open ") + PedalIn,
                                                     std::string("open ") + PedalOut}));
    EXPECT_TRUE(watch.present(PortDirection::Output));
}

TEST_F(PortWatchTest, AReturningPortThatDoesNotOpenYetIsTriedAgainAndReportedWhenOpen) {
    ports.unplug();
    loop.advance(PortWatch::DefaultPollMs);
    ports.plugIn();
    ports.refuseOpen = true;
    loop.advance(PortWatch::DefaultPollMs * 2);
    EXPECT_EQ(reports.size(), 1u);
    ports.refuseOpen = false;
    loop.advance(PortWatch::DefaultPollMs);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].size(), 2u);
}

TEST_F(PortWatchTest, DirectionsGoAndComeOnTheirOwn) {
    // A device whose input and output are separate clients may take them
    // down one look apart, and bring one back while the other is still gone.
    ports.listed[PortDirection::Output].clear();
    loop.advance(PortWatch::DefaultPollMs);
    ports.unplug();
    ports.listed[PortDirection::Output] = {PedalOut};
    loop.advance(PortWatch::DefaultPollMs);
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "the MIDI port Pedal In:Pedal went away",
                           "the MIDI port Pedal Out:Pedal went away; the MIDI port Pedal "
                           "In:Pedal is back"}));
    EXPECT_EQ(reports[1][0].direction, PortDirection::Input);
    EXPECT_EQ(reports[1][1].direction, PortDirection::Output);
}

TEST_F(PortWatchTest, OtherPortsAndUnwatchedDirectionsAreLeftAlone) {
    ports.listed[PortDirection::Input] = {PedalIn, "Another", "Third"};
    loop.advance(PortWatch::DefaultPollMs);
    ports.listed[PortDirection::Input] = {PedalIn};
    loop.advance(PortWatch::DefaultPollMs);
    EXPECT_TRUE(reports.empty());

    watch.watch(PortDirection::Output, "off");
    ports.listed[PortDirection::Output].clear();
    loop.advance(PortWatch::DefaultPollMs);
    ports.listed[PortDirection::Output] = {PedalOut};
    loop.advance(PortWatch::DefaultPollMs);
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(ports.calls.empty());
}

TEST_F(PortWatchTest, AChosenPortNotListedYetIsOpenedWhenItAppears) {
    watch.watch(PortDirection::Input, "Later:Pedal");
    EXPECT_FALSE(watch.present(PortDirection::Input));
    loop.advance(PortWatch::DefaultPollMs);
    EXPECT_TRUE(reports.empty());
    ports.listed[PortDirection::Input].push_back("Later:Pedal");
    loop.advance(PortWatch::DefaultPollMs);
    EXPECT_EQ(texts(), std::vector<std::string>{"the MIDI port Later:Pedal is back"});
}

// ALSA numbers a pedal anew when it is plugged into another socket.
TEST_F(PortWatchTest, APedalBackUnderOtherNumbersIsOpenedUnderTheNameOfToday) {
    ports.listed = {{PortDirection::Input, {"Pedal:Pedal MIDI 1 24:0"}},
                    {PortDirection::Output, {}}};
    watch.watch(PortDirection::Input, "Pedal:Pedal MIDI 1 24:0");
    watch.watch(PortDirection::Output, "off");
    ports.listed[PortDirection::Input].clear();
    loop.advance(PortWatch::DefaultPollMs);
    ports.calls.clear();
    ports.listed[PortDirection::Input] = {"Pedal:Pedal MIDI 1 28:0", "Pedal:Pedal MIDI 1 32:0"};
    loop.advance(PortWatch::DefaultPollMs);
    EXPECT_EQ(ports.calls, std::vector<std::string>{"open Pedal:Pedal MIDI 1 28:0"});
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1][0].name, "Pedal:Pedal MIDI 1 28:0");
    EXPECT_EQ(reports[1][0].matching, 2u);
    // Gone again: it is the port opened that is missed, not the stored name.
    ports.listed[PortDirection::Input] = {"Pedal:Pedal MIDI 1 32:0"};
    loop.advance(PortWatch::DefaultPollMs);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(texts()[2], "the MIDI port Pedal:Pedal MIDI 1 28:0 went away");
}

TEST_F(PortWatchTest, NothingIsLookedAtOnceTheWatchIsGone) {
    auto own =
        std::make_unique<PortWatch>(loop, ports, [this](const auto& c) { reports.push_back(c); });
    own->watch(PortDirection::Input, PedalIn);
    own.reset();
    watch.watch(PortDirection::Input, "off");
    watch.watch(PortDirection::Output, "off");
    ports.unplug();
    loop.advance(PortWatch::DefaultPollMs * 2);
    EXPECT_TRUE(reports.empty());
}

// ---- one message each way ---------------------------------------------------------

PortChange gone(PortDirection direction, const char* name) {
    return {direction, name, false};
}
PortChange back(PortDirection direction, const char* name) {
    return {direction, name, true};
}

TEST(DevicePresenceTest, PortsGoingAndComingLooksApartGiveOneMessageEachWay) {
    DevicePresence presence;
    EXPECT_EQ(presence.update({gone(PortDirection::Output, PedalOut)}),
              "the MIDI port Pedal In:Pedal went away");
    EXPECT_EQ(presence.update({gone(PortDirection::Input, PedalIn)}), "");
    EXPECT_TRUE(presence.away());
    EXPECT_EQ(presence.update({back(PortDirection::Input, PedalIn)}), "");
    EXPECT_TRUE(presence.away());
    EXPECT_EQ(presence.update({back(PortDirection::Output, PedalOut)}),
              "the MIDI ports Pedal In:Pedal and Pedal Out:Pedal are back");
    EXPECT_FALSE(presence.away());
}

TEST(DevicePresenceTest, APortThatFlickersWhileTheDeviceIsAwayIsNamedOnce) {
    DevicePresence presence;
    EXPECT_NE(presence.update(
                  {gone(PortDirection::Input, PedalIn), gone(PortDirection::Output, PedalOut)}),
              "");
    EXPECT_EQ(presence.update({back(PortDirection::Input, PedalIn)}), "");
    EXPECT_EQ(presence.update({gone(PortDirection::Input, PedalIn)}), "");
    EXPECT_EQ(presence.update(
                  {back(PortDirection::Input, PedalIn), back(PortDirection::Output, PedalOut)}),
              "the MIDI ports Pedal Out:Pedal and Pedal In:Pedal are back");
    // The next time round starts afresh.
    EXPECT_EQ(presence.update({gone(PortDirection::Input, PedalIn)}),
              "the MIDI port Pedal Out:Pedal went away");
}

}  // namespace
}  // namespace vornix::host
