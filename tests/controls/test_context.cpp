// Building the window: tags, groups, hit order, visibility, layers and scale.
#include <gtest/gtest.h>

#include "controls/controls.hpp"
#include "controls/text_format.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

// Counts the presses it receives.
class Probe : public IControl {
  public:
    explicit Probe(const IRECT& r, int param = kNoParameter) : IControl(r, param) {}
    void draw(Painter&) override {}
    void onMouseDown(float, float, const IMouseMod&) override { ++presses; }
    int presses = 0;
};

Probe* addProbe(IGraphics& ui, const IRECT& r, ControlTag tag = kNoTag,
                std::string_view group = {}) {
    return &ui.attach(std::make_unique<Probe>(r), tag, group);
}

// A page that attaches a taken tag has a fault: the build stops there and
// says which tag, and the control that holds it keeps it.
TEST(ControlTags, SecondUseOfATagIsRefusedLoudly) {
    Context c;
    Probe* first = addProbe(c.ui, IRECT(0, 0, 10, 10), ControlTag{7});
    try {
        addProbe(c.ui, IRECT(0, 0, 10, 10), ControlTag{7});
        ADD_FAILURE() << "a taken tag was attached";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "control tag 7 is attached twice");
    }
    EXPECT_EQ(c.ui.nControls(), 1);
    EXPECT_EQ(c.ui.controlWithTag(ControlTag{7}), first);
    EXPECT_EQ(c.ui.controlWithTag(ControlTag{8}), nullptr);
    // Untagged controls never collide.
    addProbe(c.ui, IRECT(0, 0, 10, 10));
    addProbe(c.ui, IRECT(0, 0, 10, 10));
    EXPECT_EQ(c.ui.nControls(), 3);
    EXPECT_FALSE(c.ui.setTextOf(ControlTag{99}, "x"));
    EXPECT_THROW(c.ui.attach(std::unique_ptr<IControl>()), std::invalid_argument);
    EXPECT_EQ(c.ui.nControls(), 3);
}

TEST(ControlGroups, MatchExactlyInAttachmentOrder) {
    Context c;
    addProbe(c.ui, IRECT(), ControlTag{1}, "midiprogramcontrols");
    addProbe(c.ui, IRECT(), ControlTag{2}, "midiprogramcontrolsofs0");
    addProbe(c.ui, IRECT(), ControlTag{3}, "MidiProgramControls");
    addProbe(c.ui, IRECT(), ControlTag{4}, "midiprogramcontrols");
    addProbe(c.ui, IRECT(), ControlTag{5}, "");
    std::vector<ControlTag> seen;
    c.ui.forGroup("midiprogramcontrols", [&](IControl& ctl) { seen.push_back(ctl.tag()); });
    EXPECT_EQ(seen, (std::vector<ControlTag>{ControlTag{1}, ControlTag{4}}));
    seen.clear();
    c.ui.forGroup("", [&](IControl& ctl) { seen.push_back(ctl.tag()); });
    c.ui.forGroup("nosuchgroup", [&](IControl& ctl) { seen.push_back(ctl.tag()); });
    EXPECT_TRUE(seen.empty());

    IControl& first = *c.ui.controlWithTag(ControlTag{1});
    IControl& second = *c.ui.controlWithTag(ControlTag{2});
    c.ui.hideGroup("midiprogramcontrols");
    EXPECT_TRUE(first.isHidden());
    EXPECT_FALSE(second.isHidden());
    c.ui.disableGroup("midiprogramcontrolsofs0");
    EXPECT_TRUE(second.isDisabled());
    c.ui.enableGroup("midiprogramcontrolsofs0");
    c.ui.showGroup("midiprogramcontrols");
    EXPECT_FALSE(first.isHidden() || second.isDisabled());
}

TEST(ControlParams, ForParamAndDisableForParamReachOnlyBoundControls) {
    Context c;
    auto* a = &c.ui.attach(std::make_unique<Probe>(IRECT(), kGain));
    auto* b = &c.ui.attach(std::make_unique<Probe>(IRECT(), kSteps));
    auto* d = &c.ui.attach(std::make_unique<Probe>(IRECT(), kGain));
    c.ui.disableForParam(kGain, true);
    EXPECT_TRUE(a->isDisabled());
    EXPECT_FALSE(b->isDisabled());
    EXPECT_TRUE(d->isDisabled());
    int n = 0;
    c.ui.forParam(kNoParameter, [&](IControl&) { ++n; });
    EXPECT_EQ(n, 0);
}

TEST(HitTesting, LaterControlsTakeTheMouseFirstSkippingHiddenAndDisabled) {
    Context c;
    Probe* below = addProbe(c.ui, IRECT(0, 0, 100, 100));
    Probe* above = addProbe(c.ui, IRECT(50, 50, 150, 150));
    click(c.ui, 60, 60);
    EXPECT_EQ(above->presses, 1);
    EXPECT_EQ(below->presses, 0);
    above->hide(true);
    click(c.ui, 60, 60);
    EXPECT_EQ(below->presses, 1);
    above->hide(false);
    above->disable(true);
    click(c.ui, 60, 60);
    EXPECT_EQ(below->presses, 2);
    EXPECT_EQ(above->presses, 1);
    click(c.ui, 500, 500);  // nothing there: nothing happens
}

TEST(HitTesting, TextPassesTheMouseThroughButPanelsAndPicturesStopIt) {
    Context c;
    Probe* page = addProbe(c.ui, IRECT(0, 0, 400, 400));
    c.ui.attach(std::make_unique<ITextControl>(IRECT(0, 0, 100, 100), "label"));
    click(c.ui, 50, 50);
    EXPECT_EQ(page->presses, 1);
    c.ui.attach(std::make_unique<IPanelControl>(IRECT(100, 100, 200, 200), COLOR_BLACK), kNoTag,
                "progresscontrols");
    click(c.ui, 150, 150);
    EXPECT_EQ(page->presses, 1);
    c.ui.hideGroup("progresscontrols");
    click(c.ui, 150, 150);
    EXPECT_EQ(page->presses, 2);
}

TEST(PanelChildren, FollowThePanelsHiddenAndDisabledState) {
    Context c;
    Probe* child = nullptr;
    auto* panel = &c.ui.attach(std::make_unique<IPanelControl>(
        IRECT(0, 0, 100, 100), COLOR_BLACK, false, [&](IContainerBase* self, const IRECT& r) {
            child =
                static_cast<Probe*>(self->addChildControl(std::make_unique<Probe>(r.shrunk(10))));
        }));
    ASSERT_NE(child, nullptr);
    click(c.ui, 50, 50);
    EXPECT_EQ(child->presses, 1);
    panel->hide(true);
    EXPECT_TRUE(child->isHidden());
    panel->hide(false);
    panel->disable(true);
    EXPECT_TRUE(child->isDisabled());
    click(c.ui, 50, 50);
    EXPECT_EQ(child->presses, 1);
}

TEST(DirtyTracking, RedrawsTheUnionOfChangedControlsOnly) {
    Context c;
    auto* a = &c.ui.attach(std::make_unique<ITextControl>(IRECT(10, 10, 20, 20), "a"));
    auto* b = &c.ui.attach(std::make_unique<ITextControl>(IRECT(100, 200, 150, 220), "b"));
    IRECT r;
    ASSERT_TRUE(c.ui.isDirty(r));
    EXPECT_EQ(r, c.ui.bounds());  // first frame: everything
    EXPECT_NE(pixelAt(c.ui, 0, 0), IColor{});
    EXPECT_FALSE(c.ui.isDirty(r));

    a->setText("a");  // unchanged: nothing to draw
    EXPECT_FALSE(c.ui.isDirty(r));
    a->setText("x");
    b->hide(true);
    ASSERT_TRUE(c.ui.isDirty(r));
    EXPECT_EQ(r, IRECT(10, 10, 150, 220));
    // Drawn area by area, far-apart changes leave what lies between alone;
    // overlapping ones are one area.
    EXPECT_EQ(c.ui.dirtyAreas(), (std::vector{IRECT(10, 10, 20, 20), IRECT(100, 200, 150, 220)}));
    auto* over = &c.ui.attach(std::make_unique<ITextControl>(IRECT(15, 15, 40, 40), "o"));
    EXPECT_EQ(c.ui.dirtyAreas(), (std::vector{IRECT(100, 200, 150, 220), IRECT(10, 10, 40, 40)}));
    over->hide(true);
    pixelAt(c.ui, 0, 0);
    EXPECT_FALSE(c.ui.isDirty(r));
}

// A moved control leaves its old place to be drawn again; a place off the
// window, or one a hidden control moves through, is not worth a frame.
TEST(DirtyTracking, AMovedControlClearsItsOldPlace) {
    Context c;
    auto* row = &c.ui.attach(std::make_unique<ITextControl>(IRECT(10, 10, 60, 30), "row"));
    IRECT r;
    pixelAt(c.ui, 0, 0);
    row->setBounds(IRECT(10, 100, 60, 120));
    EXPECT_EQ(c.ui.dirtyAreas(), (std::vector{IRECT(10, 10, 60, 30), IRECT(10, 100, 60, 120)}));
    pixelAt(c.ui, 0, 0);
    row->setBounds(IRECT(10, 5000, 60, 5020));
    pixelAt(c.ui, 0, 0);
    row->setBounds(IRECT(10, 100, 60, 120));
    pixelAt(c.ui, 0, 0);
    EXPECT_FALSE(c.ui.isDirty(r)) << "an old place below the window stayed dirty";

    row->hide(true);
    row->setBounds(IRECT(10, 200, 60, 220));
    EXPECT_EQ(c.ui.dirtyAreas(), std::vector{IRECT(10, 100, 60, 120)});
    pixelAt(c.ui, 0, 0);
    row->setBounds(IRECT(10, 300, 60, 320));
    EXPECT_FALSE(c.ui.isDirty(r));
}

TEST(DisabledControls, DrawAtAQuarterOpacity) {
    Context c;
    c.ui.setBackgroundColor(COLOR_BLACK);
    auto* panel = &c.ui.attach(std::make_unique<IPanelControl>(IRECT(0, 0, 10, 10), COLOR_WHITE));
    EXPECT_EQ(pixelAt(c.ui, 5, 5).R, 255);
    panel->disable(true);
    EXPECT_NEAR(pixelAt(c.ui, 5, 5).R, 64, 1);
}

TEST(TextBytes, OnlyWellFormedUtf8ReachesTheDrawing) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"Plain Tone", "Plain Tone"},
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},            // two bytes, kept
        {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},      // three bytes, kept
        {"\xF0\x9F\x8E\xB8", "\xF0\x9F\x8E\xB8"},  // four bytes, kept
        {"Caf\xE9", "Caf?"},                       // Latin-1
        {"\xC3", "?"},                             // cut sequence
        {"\xC0\xAF", "??"},                        // overlong '/'
        {"\xED\xA0\x80", "???"},                   // a surrogate
        {"\xF4\x90\x80\x80", "????"},              // past U+10FFFF
        {"\xBF\xFF\xFE", "???"},                   // stray continuation, never a lead
    };
    for (const Case& c : cases) EXPECT_EQ(validUtf8(c.in), c.out) << c.in;
}

// cairo refuses an invalid string by disabling the whole drawing context:
// a preset name in Latin-1 once left every control drawn after it blank.
TEST(TextBytes, ANameInAnyBytesLeavesTheRestOfTheFrameDrawn) {
    Context c;
    c.ui.setBackgroundColor(COLOR_BLACK);
    c.ui.attach(std::make_unique<ITextControl>(
        IRECT(0, 0, 100, 20), std::string("Caf\xE9 \xFF\xC3"), IText(14, COLOR_WHITE)));
    c.ui.attach(std::make_unique<IPanelControl>(IRECT(0, 40, 10, 50), COLOR_WHITE));
    EXPECT_EQ(pixelAt(c.ui, 5, 45).R, 255);
}

TEST(PopupMenu, IsServedBeforeAnyControlAndReportsTheChoice) {
    Context c;
    Probe* page = addProbe(c.ui, c.ui.bounds());
    PopupMenu menu;
    menu.addItem("One");
    menu.addItem("Two", true);
    std::optional<int> chosen;
    bool called = false;
    c.ui.createPopupMenu(menu, IRECT(100, 100, 200, 120), [&](std::optional<int> i) {
        called = true;
        chosen = i;
    });
    const IRECT second = c.ui.popupMenu().itemBounds(1);
    click(c.ui, second.MW(), second.MH());
    EXPECT_TRUE(called);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(page->presses, 0);

    called = false;
    c.ui.createPopupMenu(menu, IRECT(100, 100, 200, 120), [&](std::optional<int> i) {
        called = true;
        chosen = i;
    });
    click(c.ui, 1000, 1000);  // outside dismisses without choosing
    EXPECT_TRUE(called);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(page->presses, 0);
}

TEST(TextEntry, EditsWholeCharactersAndCommitsOnEnterOrCancelsOnEscape) {
    Context c;
    std::string committed = "-";
    c.ui.createTextEntry(IText(), IRECT(0, 0, 100, 20), "ab\xC3\xA9",  // "abé"
                         [&](const std::string& t) { committed = t; });
    EXPECT_TRUE(c.ui.onKey(EKey::Backspace));
    EXPECT_EQ(c.ui.textEntry().text(), "ab");
    c.ui.onTextInput("c\nd");  // control characters are dropped
    c.ui.onKey(EKey::Enter);
    EXPECT_EQ(committed, "abcd");
    EXPECT_FALSE(c.ui.textEntry().isOpen());

    c.ui.createTextEntry(IText(), IRECT(0, 0, 100, 20), "keep",
                         [&](const std::string& t) { committed = t; });
    c.ui.onKey(EKey::Escape);
    EXPECT_EQ(committed, "abcd");
    EXPECT_FALSE(c.ui.onKey(EKey::Enter));
}

TEST(MessageBox, CompletionGetsTheAnswerBeforeReturning) {
    Context c;
    c.platform.answer = EMsgBoxResult::Cancel;
    int result = 0;
    const auto r = c.ui.showMessageBox("Sure?", "", EMsgBoxType::OKCancel,
                                       [&](EMsgBoxResult a) { result = static_cast<int>(a); });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(r, EMsgBoxResult::Cancel);
    EXPECT_EQ(c.platform.boxes, std::vector<std::string>{"Sure?"});

    // Without a desktop a question is never taken as agreed.
    c.ui.setPlatform(nullptr);
    EXPECT_EQ(c.ui.showMessageBox("Sure?", "", EMsgBoxType::OKCancel), EMsgBoxResult::Cancel);
    EXPECT_EQ(c.ui.showMessageBox("Done", "", EMsgBoxType::OK), EMsgBoxResult::OK);
}

TEST(FileDialog, CancelledDialogGivesAnEmptyName) {
    Context c;
    std::string file = "old.kvp", folder = "/tmp", seen = "-";
    c.ui.promptForFile(file, folder, EFileAction::Open, "kvp",
                       [&](const std::string& f) { seen = f; });
    EXPECT_EQ(seen, "");
    c.platform.chosenFile = "/home/u/a.kvp";
    c.platform.chosenFolder = "/home/u";
    c.ui.promptForFile(file, folder, EFileAction::Save, "kvp");
    EXPECT_EQ(file, "/home/u/a.kvp");
    EXPECT_EQ(folder, "/home/u");
}

TEST(CornerResizer, DragRescalesAndDoubleClickRestoresScaleOne) {
    Context c;
    c.ui.attachCornerResizer();
    Probe* page = addProbe(c.ui, c.ui.bounds());
    c.ui.onMouseDown(1915, 1195, {});
    c.ui.onMouseDrag(960, 600, -955, -595, {});
    c.ui.onMouseUp(960, 600, {});
    EXPECT_NEAR(c.ui.drawScale(), 0.5, 0.001);
    EXPECT_EQ(c.platform.width, 960);
    EXPECT_EQ(c.ui.width(), 1920.f);  // logical size never changes
    c.ui.onMouseDblClick(1915, 1195, {});
    EXPECT_EQ(c.ui.drawScale(), 1.0);
    EXPECT_EQ(c.platform.width, 1920);
    EXPECT_EQ(page->presses, 0);
}

TEST(DrawScale, LogicalCoordinatesStayTheSameAtHalfScale) {
    Context c;
    c.ui.setBackgroundColor(COLOR_BLACK);
    c.ui.attach(std::make_unique<IPanelControl>(IRECT(100, 100, 200, 200), COLOR_WHITE));
    c.ui.setDrawScale(1920, 1200, 0.5f);
    EXPECT_EQ(pixelAt(c.ui, 150, 150, 0.5).R, 255);
    EXPECT_EQ(pixelAt(c.ui, 250, 150, 0.5).R, 0);
}

TEST(WindowLifetime, RemovingAllControlsEndsAnOpenMenuFirst) {
    Context c;
    c.ui.attach(std::make_unique<ICaptionControl>(IRECT(0, 0, 100, 20), kChoice));
    click(c.ui, 10, 10);
    ASSERT_TRUE(c.ui.popupMenu().isOpen());
    c.ui.removeAllControls();
    EXPECT_FALSE(c.ui.popupMenu().isOpen());
    EXPECT_EQ(c.ui.nControls(), 0);
    click(c.ui, 10, 10);
}

}  // namespace
}  // namespace igraphics::testing
