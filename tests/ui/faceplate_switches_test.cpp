// The faceplate's switches pressed by the pointer at their places on the
// page, against the recording port: the footswitches step the number and
// select once per release (auto-repeat on the editor's 20 ms clock), SAVE and
// the centre footswitch act on their second release with the readout blinking
// in between, and the layer-B switch acts on the press. Offline behaviour is
// driven through the editor's switch interface, as the page is greyed then.
#include <gtest/gtest.h>

#include "editor_harness.hpp"
#include "resources/resources.hpp"
#include "ui/registry.hpp"
#include "ui/window_content.hpp"

namespace vornix::ui {
namespace {

using igraphics::IMouseMod;
using testing::EditorHarness;

struct Point {
    float x;
    float y;
};
// The centres of the switches: top-left corners plus half the picture
// (SAVE 48 square, the footswitches 74).
constexpr Point SaveAt{869 + 24, 314 + 24};
constexpr Point LayerAt{1459 + 37, 322 + 37};
constexpr Point DownAt{733 + 37, 510 + 37};
constexpr Point CentreAt{1100 + 37, 510 + 37};
constexpr Point UpAt{1460 + 37, 510 + 37};
constexpr Point LampAt{1170 + 12, 256 + 12};

class FaceplateSwitches : public ::testing::Test {
  protected:
    FaceplateSwitches() : window(h.editor, h.loop, resources::find) {
        h.goOnlineWithPreset(0, 64);
        tick();
    }

    igraphics::IGraphics& g() { return window.graphics(); }
    void tick(int ticks = 1) { h.loop.advance(ticks * IdleTickMs); }
    void press(Point p) { g().onMouseDown(p.x, p.y, IMouseMod{}); }
    void release(Point p) { g().onMouseUp(p.x, p.y, IMouseMod{}); }
    void click(Point p) {
        press(p);
        release(p);
    }
    std::string readout() { return window.view().text(tag::Readout); }
    bool readoutShown() { return !g().controlWithTag(tag::Readout)->isHidden(); }
    bool shown(ControlTag tag) { return !g().controlWithTag(tag)->isHidden(); }
    std::vector<sysex::Bytes> selects() { return h.sentWith(sysex::cmd::SelectPreset); }
    std::vector<sysex::Bytes> sentNow() { return h.sentBytes(); }
    // Ticks until the readout stops blinking, counting how often it went dark.
    int darkSpellsWithin(int ticks) {
        int spells = 0;
        bool was = readoutShown();
        for (int i = 0; i < ticks; ++i) {
            tick();
            if (was && !readoutShown()) ++spells;
            was = readoutShown();
        }
        return spells;
    }

    EditorHarness h;
    WindowContent window;
};

TEST_F(FaceplateSwitches, FootswitchesStepWithWrapAndSelectOncePerRelease) {
    h.receive(sysex::parameterChanged(param::Level, 90));  // the sound differs now
    tick();
    ASSERT_TRUE(h.editor.sound().ModifiedFlag);

    press(DownAt);
    EXPECT_EQ(readout(), "127");  // 0 wraps to the top
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_EQ(g().controlWithTag(tag::LeftFootswitch)->getValue(), 1.0);
    EXPECT_TRUE(sentNow().empty()) << "the select waits for the release";
    release(DownAt);
    EXPECT_EQ(g().controlWithTag(tag::LeftFootswitch)->getValue(), 0.0);
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(127)});

    h.sent.clear();
    click(UpAt);  // 127 wraps to the bottom
    click(UpAt);
    EXPECT_EQ(readout(), "01");
    EXPECT_EQ(h.editor.sound().currentPreset, 1);
    EXPECT_EQ(sentNow(),
              (std::vector<sysex::Bytes>{sysex::selectPreset(0), sysex::selectPreset(1)}));
}

TEST_F(FaceplateSwitches, ThePatchOffsetAddsToTheNumberShownButNotToTheOneSent) {
    h.editor.setParameterFromUser(param::PatchOffset, 1);
    click(DownAt);
    click(UpAt);
    EXPECT_EQ(readout(), "01");
    EXPECT_EQ(selects().back(), sysex::selectPreset(0));
}

// The first repeat 24 ticks after the press, then every 4 ticks to the 40th,
// then every tick; the select goes out once, on the release.
TEST_F(FaceplateSwitches, AHeldFootswitchRepeatsOnTheIdleClockAndSelectsOnce) {
    press(UpAt);
    std::vector<int> stepsAt;
    std::string last = readout();
    for (int t = 1; t <= 50; ++t) {
        tick();
        if (readout() != last) stepsAt.push_back(t);
        last = readout();
        ASSERT_TRUE(readoutShown());
    }
    std::vector<int> expected{24, 28, 32, 36, 40};
    for (int t = 41; t <= 50; ++t) expected.push_back(t);
    EXPECT_EQ(stepsAt, expected);
    EXPECT_TRUE(selects().empty());

    release(UpAt);
    const int reached = 1 + static_cast<int>(expected.size());
    EXPECT_EQ(readout(), std::to_string(reached));
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(reached)});
    tick(30);
    EXPECT_EQ(h.editor.sound().currentPreset, reached) << "no repeat after the release";
}

TEST_F(FaceplateSwitches, SaveTwiceStoresTheNumberShownAndBlinksThroughTheCommit) {
    click(SaveAt);
    EXPECT_TRUE(h.editor.faceplate().savePending());
    EXPECT_GE(darkSpellsWithin(8), 1) << "a pending store blinks";
    click(DownAt);
    click(DownAt);
    EXPECT_EQ(readout(), "126");
    click(SaveAt);
    EXPECT_TRUE(readoutShown());
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::storePreset(126)})
        << "no select while the store was pending";

    // The blinking ends on the 11th start of a cycle of 8 ticks, wherever in
    // its cycle the store went out.
    int ticks = 0, spells = 0;
    for (bool was = true; h.editor.faceplate().savePending() && ticks < 200; ++ticks) {
        tick();
        if (was && !readoutShown()) ++spells;
        was = readoutShown();
    }
    EXPECT_GT(ticks, 10 * 8);
    EXPECT_LE(ticks, 11 * 8);
    EXPECT_GE(spells, 10);
    EXPECT_EQ(darkSpellsWithin(40), 0);
    EXPECT_TRUE(readoutShown());
}

TEST_F(FaceplateSwitches, CentreTwiceRecallsTheNumberShown) {
    click(CentreAt);
    EXPECT_TRUE(h.editor.faceplate().recallPending());
    EXPECT_GE(darkSpellsWithin(16), 1) << "a pending recall blinks";
    click(UpAt);
    click(UpAt);
    EXPECT_TRUE(selects().empty());
    click(CentreAt);
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(2)});
    EXPECT_FALSE(h.editor.faceplate().recallPending());
    EXPECT_EQ(darkSpellsWithin(40), 0);
}

TEST_F(FaceplateSwitches, AHeldFootswitchKeepsTheBlinkingReadoutLit) {
    click(SaveAt);
    press(DownAt);
    for (int t = 0; t < 40; ++t) {
        tick();
        ASSERT_TRUE(readoutShown()) << "tick " << t;
    }
    release(DownAt);
    EXPECT_TRUE(selects().empty());
    EXPECT_GE(darkSpellsWithin(8), 1) << "blinking again once released";
}

TEST_F(FaceplateSwitches, LayerBActsOnThePressAndTheDeviceReportIsNotEchoed) {
    EXPECT_FALSE(shown(tag::LayerLamp));
    press(LayerAt);
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::switchLayer(true)});
    EXPECT_EQ(g().controlWithTag(tag::LayerSwitch)->getValue(), 1.0);
    EXPECT_TRUE(shown(tag::LayerLamp));
    EXPECT_TRUE(shown(tag::LayerBackground));
    release(LayerAt);
    EXPECT_EQ(sentNow().size(), 1u);
    EXPECT_EQ(g().controlWithTag(tag::LayerSwitch)->getValue(), 0.0);

    click(LampAt);  // the lamp is no switch
    EXPECT_EQ(sentNow().size(), 1u);

    click(LayerAt);
    EXPECT_EQ(sentNow().back(), sysex::switchLayer(false));
    EXPECT_FALSE(shown(tag::LayerLamp));
    EXPECT_FALSE(shown(tag::LayerBackground));

    h.sent.clear();
    h.receive(sysex::parameterChanged(LayerBReportNumber, 1));
    EXPECT_TRUE(h.editor.sound().LayerB);
    EXPECT_TRUE(shown(tag::LayerLamp));
    EXPECT_TRUE(shown(tag::LayerBackground));
    EXPECT_TRUE(sentNow().empty());
}

// Offline the page is greyed; a link that drops while it is used leaves the
// switches working on the editor's state without sending, but the layer switch.
TEST(FaceplateOffline, FootswitchesAndSaveSendNothingTheLayerSwitchStillSends) {
    EditorHarness h;
    h.endBulkUpdate();
    const auto clickSwitch = [&](FaceSwitch s) {
        h.editor.faceplate().press(s);
        h.editor.faceplate().release(s);
    };
    clickSwitch(FaceSwitch::Up);
    clickSwitch(FaceSwitch::Save);
    clickSwitch(FaceSwitch::Save);
    clickSwitch(FaceSwitch::Centre);
    clickSwitch(FaceSwitch::Centre);
    EXPECT_EQ(h.editor.sound().currentPreset, 1);
    EXPECT_FALSE(h.editor.faceplate().savePending());
    EXPECT_FALSE(h.editor.faceplate().recallPending());
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(h.events.presetNumbersShown, std::vector<int>{1});

    clickSwitch(FaceSwitch::LayerB);
    EXPECT_EQ(h.sentBytes(), std::vector<sysex::Bytes>{sysex::switchLayer(true)});
    EXPECT_TRUE(h.events.layerB);
}

}  // namespace
}  // namespace vornix::ui

namespace vornix::ui {
namespace {

// The device switched to layer B while no window was open: the next window
// shows layer B, and the switch brings layer A back (it used to send layer B
// again, which the device already was in).
TEST(FaceplateLayer, AWindowOpenedLaterShowsTheLayerTheDeviceIsIn) {
    EditorHarness h;
    h.goOnlineWithPreset(0, 64);
    h.receive(sysex::parameterChanged(LayerBReportNumber, 1));
    EXPECT_TRUE(h.sent.empty());
    ASSERT_TRUE(h.editor.sound().LayerB);
    WindowContent window(h.editor, h.loop, resources::find);
    igraphics::IGraphics& g = window.graphics();
    EXPECT_FALSE(g.controlWithTag(tag::LayerLamp)->isHidden());
    EXPECT_FALSE(g.controlWithTag(tag::LayerBackground)->isHidden());
    // (The new window's faceplate waits, greyed, for the next online event.)
    h.editor.faceplate().press(FaceSwitch::LayerB);
    EXPECT_EQ(h.sentBytes(), std::vector<sysex::Bytes>{sysex::switchLayer(false)});
    EXPECT_TRUE(g.controlWithTag(tag::LayerLamp)->isHidden());
}

}  // namespace
}  // namespace vornix::ui
