// The number box, the invisible select area, the editable text, the caption
// and the link: the behaviour the pages build on.
#include <gtest/gtest.h>

#include <cmath>

#include "controls/controls.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

constexpr IRECT kBox{0, 0, 80, 30};
constexpr IMouseMod kShift{true, false, true, false, false};
constexpr IMouseMod kCtrl{true, false, false, true, false};

IVNumberBoxControl* addBox(Context& c, int param) {
    return &c.ui.attach(std::make_unique<IVNumberBoxControl>(kBox, param));
}

void typeIntoBox(Context& c, std::string_view text) {
    c.ui.onMouseDblClick(40, 15, {});
    c.ui.onMouseUp(40, 15, {});
    ASSERT_TRUE(c.ui.textEntry().isOpen());
    while (!c.ui.textEntry().text().empty()) c.ui.onKey(EKey::Backspace);
    c.ui.onTextInput(text);
    c.ui.onKey(EKey::Enter);
}

TEST(NumberBox, TakesRangeAndValueFromItsParameter) {
    Context c;
    auto* box = addBox(c, kMidi);
    EXPECT_EQ(box->minimum(), 0.0);
    EXPECT_EQ(box->maximum(), 127.0);
    EXPECT_EQ(box->realValue(), 64.0);
    EXPECT_EQ(box->numberText(), "64");
    box->setValueFromEditor(0.0);
    EXPECT_EQ(box->numberText(), "0");  // below the constructor's 1..100
    box->setValueFromEditor(1.0);
    EXPECT_EQ(box->numberText(), "127");
    EXPECT_TRUE(c.delegate.changes.empty());
}

TEST(NumberBox, DragsOneUnitPerPixelOrATenthWithShift) {
    Context c;
    auto* box = addBox(c, kMidi);
    dragVertically(c.ui, 40, 15, -10);
    EXPECT_EQ(box->realValue(), 74.0);
    EXPECT_EQ(c.delegate.params[kMidi].value(), 74.0);
    dragVertically(c.ui, 40, 15, -10, kShift);
    EXPECT_NEAR(box->realValue(), 75.0, 1e-9);
    EXPECT_EQ(c.delegate.params[kMidi].value(), 75.0);
    EXPECT_EQ(c.delegate.gestures.size(), 2u);
    EXPECT_FALSE(c.platform.cursorHidden);  // shown again after the drag
}

TEST(NumberBox, WheelStepsAndClampsAtTheEnds) {
    Context c;
    auto* box = addBox(c, kMidi);
    c.ui.onMouseWheel(40, 15, {}, 2.f);
    EXPECT_EQ(box->realValue(), 66.0);
    c.ui.onMouseWheel(40, 15, kCtrl, -10.f);
    EXPECT_NEAR(box->realValue(), 65.0, 1e-9);
    c.ui.onMouseWheel(40, 15, {}, 500.f);
    EXPECT_EQ(box->realValue(), 127.0);
}

TEST(NumberBox, TypedTextIsParsedAndClamped) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"200", 127}, {"abc", 0},     {"12", 12},    {" +7.6 ", 8}, {"-5", 0},
        {"nan", 0},   {"1e999", 127}, {"1e-999", 0}, {"3,5", 3},
    };
    for (const auto& [typed, stored] : cases) {
        Context c;
        addBox(c, kMidi);
        typeIntoBox(c, typed);
        ASSERT_FALSE(c.delegate.changes.empty()) << typed;
        EXPECT_EQ(c.delegate.params[kMidi].value(), stored) << typed;
    }
}

TEST(NumberBox, WithoutParameterKeepsItsOwnRangeAndSendsNothing) {
    Context c;
    int actions = 0;
    auto* box = &c.ui.attach(
        std::make_unique<IVNumberBoxControl>(kBox, kNoParameter, [&](IControl*) { ++actions; }));
    EXPECT_EQ(box->realValue(), 50.0);
    c.ui.onMouseWheel(40, 15, {}, -100.f);
    EXPECT_EQ(box->realValue(), 1.0);
    EXPECT_TRUE(c.delegate.changes.empty());
    EXPECT_GT(actions, 0);
}

TEST(NumberBox, DisabledBoxOpensNoTextEntry) {
    Context c;
    auto* box = addBox(c, kMidi);
    box->disable(true);
    c.ui.onMouseDblClick(40, 15, {});
    EXPECT_FALSE(c.ui.textEntry().isOpen());
}

TEST(InvisibleSelect, ClickReportsMouseDownAndTheRowPosition) {
    Context c;
    auto* sel =
        &c.ui.attach(std::make_unique<IInvisibleSelectControl3>(IRECT(0, 100, 300, 500), kSelect));
    std::vector<std::pair<int, double>> events;
    sel->setAction([&](IControl* ctl) {
        auto* s = static_cast<IInvisibleSelectControl3*>(ctl);
        events.emplace_back(s->lastEventKind(), c.delegate.params[kSelect].value());
    });
    c.ui.onMouseDown(10, 200, {});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].first, 0);
    EXPECT_DOUBLE_EQ(events[0].second, 0.25);
    c.ui.onMouseUp(10, 200, {});
    EXPECT_EQ(events.back().first, 1);
    EXPECT_EQ(sel->modifier(), 0);
}

TEST(InvisibleSelect, ReportsWheelAndDragDirectionsAndModifiers) {
    Context c;
    auto* sel =
        &c.ui.attach(std::make_unique<IInvisibleSelectControl3>(IRECT(0, 100, 300, 500), kSelect));
    c.ui.onMouseWheel(10, 300, {}, 1.f);
    EXPECT_EQ(sel->lastEvent(), ESelectEvent::Wheel);
    EXPECT_TRUE(sel->direction());
    c.ui.onMouseWheel(10, 300, kShift, -1.f);
    EXPECT_FALSE(sel->direction());
    EXPECT_EQ(sel->modifier(), 1);
    const auto sent = c.delegate.changes.size();
    c.ui.onMouseWheel(10, 300, kCtrl, 0.f);  // records, changes no value
    EXPECT_EQ(sel->modifier(), 2);
    EXPECT_EQ(c.delegate.changes.size(), sent);

    c.ui.onMouseDown(10, 300, {});
    c.ui.onMouseDrag(10, 310, 0, 10, {});
    EXPECT_EQ(sel->lastEvent(), ESelectEvent::Drag);
    EXPECT_TRUE(sel->direction());
    c.ui.onMouseDrag(10, 900, 0, -590, {});  // outside the area: the nearest end
    EXPECT_FALSE(sel->direction());
    EXPECT_EQ(c.delegate.params[kSelect].value(), 1.0);
    c.ui.onMouseUp(10, 900, {});
    c.ui.onMouseDblClick(10, 100, {});
    EXPECT_EQ(sel->lastEvent(), ESelectEvent::DoubleClick);
    EXPECT_EQ(c.delegate.params[kSelect].value(), 0.0);
}

TEST(EditableText, CommitShowsTheTextAndRunsTheAction) {
    Context c;
    std::string sent;
    auto* name = &c.ui.attach(
        std::make_unique<IEditableTextControl>(IRECT(0, 0, 200, 30), "Init", IText(20)),
        ControlTag{148}, "maincontrols");
    name->setAction([&](IControl* ctl) { sent = static_cast<ITextControl*>(ctl)->text(); });
    click(c.ui, 10, 10);
    ASSERT_TRUE(c.ui.textEntry().isOpen());
    EXPECT_EQ(c.ui.textEntry().text(), "Init");
    c.ui.onTextInput(" Bass");
    click(c.ui, 1000, 1000);  // a click elsewhere commits
    EXPECT_EQ(name->text(), "Init Bass");
    EXPECT_EQ(sent, "Init Bass");
}

TEST(Caption, MenuOfListedTextsWithTheCurrentOneTicked) {
    Context c;
    auto* cap = &c.ui.attach(std::make_unique<ICaptionControl>(IRECT(0, 0, 100, 20), kChoice));
    EXPECT_EQ(cap->captionText(), "Hall");
    c.ui.onMouseDown(10, 10, IMouseMod{false, true, false, false, false});  // right click too
    c.ui.onMouseUp(10, 10, {});
    ASSERT_TRUE(c.ui.popupMenu().isOpen());
    const auto& items = c.ui.popupMenu().menu().items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_FALSE(items[0].checked);
    EXPECT_TRUE(items[1].checked);
    c.ui.popupMenu().choose(2);
    EXPECT_EQ(c.delegate.params[kChoice].value(), 2.0);
    EXPECT_EQ(cap->captionText(), "Spring");
}

TEST(Caption, DisabledOrHiddenCaptionIgnoresClicksAndNumbersOpenATextEntry) {
    Context c;
    auto* cap = &c.ui.attach(std::make_unique<ICaptionControl>(IRECT(0, 0, 100, 20), kGain));
    cap->disable(true);
    click(c.ui, 10, 10);
    EXPECT_FALSE(c.ui.textEntry().isOpen());
    cap->disable(false);
    cap->hide(true);
    click(c.ui, 10, 10);
    EXPECT_FALSE(c.ui.textEntry().isOpen());
    cap->hide(false);
    click(c.ui, 10, 10);
    ASSERT_TRUE(c.ui.textEntry().isOpen());
    c.ui.onKey(EKey::Home);
    c.ui.onKey(EKey::Delete);
    c.ui.onTextInput("7");
    c.ui.onKey(EKey::Enter);
    EXPECT_EQ(c.delegate.params[kGain].value(), 7.0);  // "5.00 dB" -> "7.00 dB"
}

TEST(Link, OpensItsAddressThroughThePlatform) {
    Context c;
    c.ui.attach(
        std::make_unique<IURLControl>(IRECT(0, 0, 200, 20), "Manual", "https://example.org/"));
    click(c.ui, 10, 10);
    EXPECT_EQ(c.platform.urls, std::vector<std::string>{"https://example.org/"});
}

}  // namespace
}  // namespace igraphics::testing
