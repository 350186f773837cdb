// The window as a user sees it: drawn whole once, then only where the
// content marked itself dirty, as the desktop shell redraws it. Each case
// pins a drawing fault that showed there and not in a full picture.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/controls.hpp"
#include "editor_harness.hpp"
#include "resources/resources.hpp"
#include "ui/registry.hpp"
#include "ui/window_content.hpp"

namespace vornix::ui {
namespace {

using igraphics::IColor;
using igraphics::IMouseMod;
using igraphics::IRECT;
using testing::EditorHarness;

// A drawing surface of the whole window at scale 1.
class Surface {
  public:
    Surface()
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, igraphics::kLogicalWidth,
                                              igraphics::kLogicalHeight)),
          cr_(cairo_create(surface_)) {}
    ~Surface() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Only the area, as GTK clips a draw to the region it invalidated.
    void draw(igraphics::IGraphics& g, const IRECT& area) {
        cairo_save(cr_);
        cairo_rectangle(cr_, area.L, area.T, area.W(), area.H());
        cairo_clip(cr_);
        g.draw(cr_, area);
        cairo_restore(cr_);
        cairo_surface_flush(surface_);
    }
    IColor at(int x, int y) const {
        const auto* data = cairo_image_surface_get_data(surface_);
        const int stride = cairo_image_surface_get_stride(surface_);
        const auto* p = data + y * stride + x * 4;
        return IColor{p[3], p[2], p[1], p[0]};
    }
    int brightness(int x, int y) const {
        const IColor c = at(x, y);
        return c.R + c.G + c.B;
    }

  private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

class Redraws : public ::testing::Test {
  protected:
    Redraws() {
        h.goOnlineWithPreset(0, 64);
        g().setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight, 1.f);
        settle();
        drawWhole(shown);
    }

    igraphics::IGraphics& g() { return window.graphics(); }
    void settle(int ms = 300) { h.loop.advance(ms); }
    void click(float x, float y) {
        g().onMouseDown(x, y, IMouseMod{});
        g().onMouseUp(x, y, IMouseMod{});
    }
    void drawWhole(Surface& surface) {
        g().setAllDirty();
        surface.draw(g(), g().bounds());
    }
    void drawDirty() {
        for (const IRECT& area : g().dirtyAreas()) shown.draw(g(), area);
    }
    // Pixels of the area where what the user sees differs from a whole drawing.
    int stalePixels(const IRECT& area) {
        drawDirty();
        Surface whole;
        drawWhole(whole);
        int stale = 0;
        for (int y = static_cast<int>(area.T); y < static_cast<int>(area.B); ++y)
            for (int x = static_cast<int>(area.L); x < static_cast<int>(area.R); ++x)
                if (shown.at(x, y) != whole.at(x, y)) ++stale;
        return stale;
    }

    EditorHarness h;
    WindowContent window{h.editor, h.loop, resources::find};
    Surface shown;
};

// Turning a faceplate knob brings its block page up and the invitation to go
// back to the IR page; its lower half once stayed missing.
TEST_F(Redraws, TheInvitationToEditTheIrShowsWholeWhenABlockPageOpens) {
    h.editor.setParameterFromUser(param::Drive, 80);
    settle();
    EXPECT_EQ(stalePixels(IRECT(1340, 640, 1830, 700)), 0);
}

// The firmware page's link changes colour on a click; outside the part that
// was redrawn it once stayed white.
TEST_F(Redraws, TheFirmwareLinkLeavesNoPixelsBehindAfterAClick) {
    h.editor.menuCommand(MenuCommand::FirmwareUpdate);
    settle();
    drawDirty();
    g().onMouseOver(848, 361, IMouseMod{});
    click(848, 361);
    g().onMouseOver(300, 1000, IMouseMod{});
    settle();
    EXPECT_EQ(stalePixels(IRECT(660, 330, 1040, 390)), 0);
}

// The two pictures of the settings and firmware pages once ended at row
// 1080: the bottom 120 rows of the window stayed undimmed.
TEST_F(Redraws, TheSettingsAndFirmwarePagesDimTheWholeWindow) {
    for (MenuCommand command : {MenuCommand::GlobalSettings, MenuCommand::FirmwareUpdate}) {
        SCOPED_TRACE(static_cast<int>(command));
        Surface before;
        drawWhole(before);
        h.editor.menuCommand(command);
        settle();
        Surface page;
        drawWhole(page);
        for (int y : {1085, 1140, 1199})
            for (int x : {10, 600, 1300, 1900})
                EXPECT_LT(page.brightness(x, y), before.brightness(x, y) + 1) << x << ", " << y;
        int darker = 0;
        for (int x = 0; x < igraphics::kLogicalWidth; x += 8)
            darker += page.brightness(x, 1150) < before.brightness(x, 1150) ? 1 : 0;
        EXPECT_GT(darker, igraphics::kLogicalWidth / 8 * 9 / 10) << "row 1150 is dimmed";
        click(command == MenuCommand::GlobalSettings ? 1470.f : 1535.f,
              command == MenuCommand::GlobalSettings ? 240.f : 330.f);
        settle();
    }
}

// A label is cut at its column's sides; "PRESET PROTECTION WRITER" once
// lost the edges of its first and last letters there.
TEST_F(Redraws, ThePresetProtectionLabelFitsItsColumn) {
    const int left = 760, right = 960, top = 550, bottom = 580;
    h.editor.menuCommand(MenuCommand::GlobalSettings);
    settle();
    Surface page;
    drawWhole(page);
    int first = -1, last = -1;
    for (int x = left - 10; x < right + 10; ++x)
        for (int y = top; y < bottom; ++y)
            if (page.at(x, y).R > 200 && page.at(x, y).B > 200) {
                if (first < 0) first = x;
                last = x;
            }
    ASSERT_GE(first, 0) << "no label drawn";
    EXPECT_GT(first, left) << "cut at the left";
    EXPECT_LT(last, right - 1) << "cut at the right";
}

// The settings page's divider above the resets was part of the picture the
// MIDI pages share, where it ran through the LEVEL row (controller 7).
TEST_F(Redraws, TheDividerAboveTheResetsIsTheSettingsPagesOnly) {
    const auto lineAt735 = [](const Surface& s) {
        int differing = 0;
        for (int x : {745, 800, 1400, 1470})
            differing += s.brightness(x, 735) != s.brightness(x, 731) ? 1 : 0;
        return differing;
    };
    h.editor.menuCommand(MenuCommand::GlobalSettings);
    settle();
    Surface settings;
    drawWhole(settings);
    EXPECT_EQ(lineAt735(settings), 4);
    click(1250, 503);  // SETUP beside MIDI CC MODE
    settle();
    Surface cc;
    drawWhole(cc);
    EXPECT_EQ(lineAt735(cc), 0);
}

// One step of a drag on the drive knob of the amplifier page leaves dirty the
// knob, the faceplate knob that turns with it, the value under the knob and
// the readout, and nothing else: the rest of the window is kept as it was.
TEST_F(Redraws, AKnobDragStepLeavesOnlyTheKnobsTheValueAndTheReadoutDirty) {
    h.editor.setParameterFromUser(param::Drive, 64);
    settle();
    drawDirty();
    constexpr float X = 730, Y = 990;
    igraphics::IControl* knob = g().controlAt(X, Y);
    ASSERT_NE(knob, nullptr);
    ASSERT_EQ(knob->paramIdx(), param::Drive);
    std::vector<IRECT> changed = {knob->bounds(), g().controlWithTag(tag::DriveText)->bounds(),
                                  g().controlWithTag(tag::Readout)->bounds()};
    g().forParam(param::Drive, [&](igraphics::IControl& c) {
        if (&c != knob && !c.isHidden()) changed.push_back(c.bounds());
    });
    ASSERT_EQ(changed.size(), 4u) << "one faceplate knob turns with the drive";
    g().onMouseDown(X, Y, IMouseMod{});
    for (float dy : {-30.f, 30.f, -12.f}) {
        SCOPED_TRACE(dy);
        g().onMouseDrag(X, Y, 0.f, dy, IMouseMod{});
        const std::vector<IRECT> dirty = g().dirtyAreas();
        // Each area is one of the four rectangles, or holds the ones it was merged from.
        float areaDirty = 0.f, areaChanged = 0.f;
        for (const IRECT& area : dirty) areaDirty += area.W() * area.H();
        for (const IRECT& r : changed) {
            EXPECT_TRUE(std::any_of(dirty.begin(), dirty.end(),
                                    [&](const IRECT& area) { return area.united(r) == area; }))
                << r.L << "," << r.T << " is not redrawn";
            const bool merged = std::any_of(changed.begin(), changed.end(), [&](const IRECT& o) {
                return &o != &r && o.united(r) == o;
            });
            if (!merged) areaChanged += r.W() * r.H();
        }
        EXPECT_EQ(areaDirty, areaChanged) << "something else is redrawn";
        drawDirty();
    }
    g().onMouseUp(X, Y, IMouseMod{});
}

}  // namespace
}  // namespace vornix::ui
