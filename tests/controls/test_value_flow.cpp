// Values between gestures, the plug-in and the controls that share a
// parameter; knob gestures; clicks and their animation on virtual time.
#include <gtest/gtest.h>

#include "controls/controls.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

constexpr IRECT kKnobRect{0, 0, 100, 100};
constexpr IMouseMod kShift{true, false, true, false, false};
constexpr IMouseMod kCtrl{true, false, false, true, false};

IVKnobControl* addKnob(Context& c, int param, const IRECT& r = kKnobRect) {
    return &c.ui.attach(std::make_unique<IVKnobControl>(r, param));
}

TEST(ValueFlow, GestureReachesThePluginThenPeersThenTheAction) {
    Context c;
    std::vector<std::string> order;
    auto* knob = addKnob(c, kSteps);
    auto* peer = &c.ui.attach(std::make_unique<IVSliderControl>(IRECT(200, 0, 240, 200), kSteps));
    knob->setAction([&](IControl*) {
        order.push_back("action");
        EXPECT_EQ(peer->getValue(), 0.75);  // peers already follow
    });
    knob->setValueFromUserInput(0.8);  // 3.2 steps: the plug-in stores 3
    ASSERT_EQ(c.delegate.changes.size(), 1u);
    EXPECT_EQ(c.delegate.changes[0].index, kSteps);
    EXPECT_EQ(c.delegate.changes[0].value, 3.0);
    EXPECT_EQ(order, std::vector<std::string>{"action"});
}

TEST(ValueFlow, ControlsStartFromThePluginsValues) {
    Context c;
    c.delegate.params[kMidi].set(127);
    auto* knob = addKnob(c, kMidi);
    EXPECT_EQ(knob->getValue(), 1.0);
    EXPECT_TRUE(c.delegate.changes.empty());
}

TEST(ValueFlow, EditorValuesAreIgnoredWhileTheUserDrags) {
    Context c;
    auto* knob = addKnob(c, kGain);
    c.ui.onMouseDown(50, 50, {});
    knob->setValueFromEditor(0.9);
    EXPECT_EQ(knob->getValue(), 0.5);
    c.ui.onMouseUp(50, 50, {});
    knob->setValueFromEditor(0.9);
    EXPECT_EQ(knob->getValue(), 0.9);
    EXPECT_TRUE(c.delegate.changes.empty());  // editor values are never sent back
}

TEST(ValueFlow, QueuedPluginValuesArriveOnTheTwentyMillisecondTimer) {
    Context c;
    auto* a = addKnob(c, kGain);
    auto* b = addKnob(c, kGain, IRECT(200, 0, 300, 100));
    c.ui.startIdleTimer();
    c.delegate.queueValueForUI(kGain, 0.25);
    c.loop.advance(19);
    EXPECT_EQ(a->getValue(), 0.5);
    c.loop.advance(1);
    EXPECT_EQ(a->getValue(), 0.25);
    EXPECT_EQ(b->getValue(), 0.25);
    EXPECT_FALSE(c.delegate.hasQueuedValues());
}

TEST(KnobGestures, DragUpMovesByHeightTimesGearingAndTenTimesFinerWithShiftOrCtrl) {
    Context c;
    auto* knob = addKnob(c, kGain);  // gearing 4, 100 px high: 400 px for the full travel
    dragVertically(c.ui, 50, 50, -40);
    EXPECT_NEAR(knob->getValue(), 0.6, 1e-9);
    dragVertically(c.ui, 50, 50, -40, kShift);
    EXPECT_NEAR(knob->getValue(), 0.61, 1e-9);
    dragVertically(c.ui, 50, 50, 40, kCtrl);
    EXPECT_NEAR(knob->getValue(), 0.60, 1e-9);
    dragVertically(c.ui, 50, 50, 4000);  // clamped at the bottom
    EXPECT_EQ(knob->getValue(), 0.0);
    EXPECT_EQ(c.delegate.params[kGain].value(), 0.0);
}

TEST(KnobGestures, SteppedParameterMovesInWholeSteps) {
    Context c;
    auto* knob = addKnob(c, kSteps);  // 5 states: one step is 0.25 = 100 px of drag
    std::vector<double> seen;
    knob->setAction([&](IControl* k) { seen.push_back(k->getValue()); });
    dragVertically(c.ui, 50, 50, -160);
    EXPECT_EQ(knob->getValue(), 1.0);  // 0.5 + 0.4 snaps to 1.0 (4)
    EXPECT_EQ(seen, (std::vector<double>{0.75, 1.0}));
    EXPECT_EQ(c.delegate.params[kSteps].value(), 4.0);
}

TEST(KnobGestures, WheelMovesOneHundredthOrOneStepPerNotch) {
    Context c;
    auto* gain = addKnob(c, kGain);
    auto* steps = addKnob(c, kSteps, IRECT(200, 0, 300, 100));
    c.ui.onMouseWheel(50, 50, {}, 1.f);
    EXPECT_NEAR(gain->getValue(), 0.51, 1e-9);
    c.ui.onMouseWheel(50, 50, kShift, -1.f);
    EXPECT_NEAR(gain->getValue(), 0.509, 1e-9);
    c.ui.onMouseWheel(250, 50, {}, -1.f);
    EXPECT_EQ(steps->getValue(), 0.25);
    c.ui.onMouseWheel(250, 50, {}, 0.2f);  // a fraction of a notch is still one step
    EXPECT_EQ(steps->getValue(), 0.5);
}

TEST(KnobGestures, DoubleClickRestoresTheDefault) {
    Context c;
    auto* knob = addKnob(c, kMidi);
    knob->setValueFromUserInput(1.0);
    c.ui.onMouseDblClick(50, 50, {});
    c.ui.onMouseUp(50, 50, {});
    EXPECT_EQ(c.delegate.params[kMidi].value(), 64.0);
    EXPECT_NEAR(knob->getValue(), 64.0 / 127.0, 1e-9);
}

TEST(KnobGestures, BitmapKnobsShareTheGestureAndHideNothing) {
    Context c;
    IBitmap none;  // a missing picture: the knob is empty but still works by code
    auto* knob = &c.ui.attach(std::make_unique<IBKnobControl>(kKnobRect, none, kSteps));
    EXPECT_TRUE(knob->bounds().empty());
    knob->setValueFromUserInput(0.25);
    EXPECT_EQ(c.delegate.params[kSteps].value(), 1.0);
    EXPECT_FALSE(c.platform.cursorHidden);
}

TEST(ClickAnimation, EndActionRunsOneHundredMillisecondsAfterThePress) {
    Context c;
    int ended = 0;
    auto* button = &c.ui.attach(std::make_unique<IVButtonControl>(IRECT(0, 0, 100, 40)));
    button->setEndAction([&](IControl*) { ++ended; });
    c.ui.onMouseDown(10, 10, {});
    EXPECT_EQ(button->getValue(), 1.0);
    c.loop.advance(30);
    c.ui.onMouseUp(10, 10, {});
    EXPECT_EQ(ended, 0);  // not at mouse-up
    EXPECT_EQ(button->getValue(), 1.0);
    EXPECT_TRUE(button->isAnimating());
    c.loop.advance(69);
    EXPECT_EQ(ended, 0);
    c.loop.advance(1);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(button->getValue(), 0.0);
    EXPECT_FALSE(button->isAnimating());
    c.loop.advance(1000);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(c.loop.untilNextTimer(), -1);  // the frame timer stops with the last animation
}

TEST(ClickAnimation, ButtonWithoutAnimationComesBackUpOnRelease) {
    Context c;
    int actions = 0;
    auto* button = &c.ui.attach(std::make_unique<IVButtonControl>(
        IRECT(0, 0, 100, 40), [&](IControl*) { ++actions; }, "GO"));
    click(c.ui, 10, 10);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(button->getValue(), 0.0);
}

TEST(ClickAnimation, ClosingTheWindowMidAnimationCancelsTheEndAction) {
    Context c;
    int ended = 0;
    {
        IGraphics ui(c.delegate, c.loop);
        auto* b = &ui.attach(std::make_unique<IVButtonControl>(IRECT(0, 0, 100, 40)));
        b->setEndAction([&](IControl*) { ++ended; });
        ui.onMouseDown(10, 10, {});
    }
    c.loop.advance(200);
    EXPECT_EQ(ended, 0);
}

TEST(PictureButton, RunsItsActionOnPressAndAgainOnRelease) {
    Context c;
    std::vector<double> values;
    auto* b = &c.ui.attach(std::make_unique<IBButtonControl>(
        0, 0, IBitmap(), [&](IControl* ctl) { values.push_back(ctl->getValue()); }));
    b->setBounds(IRECT(0, 0, 50, 50));  // no picture in this test: give it an area
    click(c.ui, 10, 10);
    EXPECT_EQ(values, (std::vector<double>{1.0, 0.0}));
}

TEST(Switches, TwoStatesToggleAndMoreStatesWrapAfterTheLast) {
    Context c;
    auto* toggle = &c.ui.attach(std::make_unique<IVSlideSwitchControl>(IRECT(0, 0, 100, 30)));
    click(c.ui, 10, 10);
    EXPECT_EQ(toggle->getValue(), 1.0);
    click(c.ui, 10, 10);
    EXPECT_EQ(toggle->getValue(), 0.0);

    auto* choice =
        &c.ui.attach(std::make_unique<IVSwitchControl>(IRECT(0, 100, 100, 130), kChoice));
    EXPECT_EQ(choice->selectedState(), 1);  // from the parameter's default
    std::vector<double> stored;
    for (int i = 0; i < 3; ++i) {
        click(c.ui, 10, 110);
        stored.push_back(c.delegate.params[kChoice].value());
    }
    EXPECT_EQ(stored, (std::vector<double>{2, 0, 1}));
}

TEST(RotatedKnob, AngleFollowsTheValueOverThreeHundredDegrees) {
    Context c;
    auto* knob = &c.ui.attach(std::make_unique<IBKnobRotaterControl>(kKnobRect, IBitmap(), kGain));
    EXPECT_EQ(knob->angle(), 0.0);  // default 5 of 0..10: unrotated
    knob->setValueFromEditor(0.0);
    EXPECT_EQ(knob->angle(), -150.0);
    knob->setValueFromEditor(1.0);
    EXPECT_EQ(knob->angle(), 150.0);
    EXPECT_EQ(knob->gearing(), 4.0);
}

}  // namespace
}  // namespace igraphics::testing
