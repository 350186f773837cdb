// The main page and the editor's view on a headless drawing context: what the
// editor writes shows in the controls, RECONNECT acts after its click
// animation, the progress overlay is drawn only while shown, and a text change
// redraws only its own line.
#include <cairo.h>
#include <gtest/gtest.h>

#include "controls/controls.hpp"
#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "resources/resources.hpp"
#include "temp_dir.hpp"
#include "ui/editor_page.hpp"
#include "ui/graphics_view.hpp"

namespace vornix::ui {
namespace {

using igraphics::IMouseMod;
using igraphics::IRECT;

class SilentPlatform : public Platform {
  public:
    void messageBox(const std::string& text, const std::string&, Buttons,
                    std::function<void(Answer)> completion) override {
        messages.push_back(text);
        if (completion) completion(Answer::Ok);
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void openUrl(const std::string&) override {}
    std::vector<std::string> messages;
};

class EditorPage : public ::testing::Test {
  protected:
    EditorPage()
        : editor(loop, storage::DataFolder(dir.path()), platform),
          graphics(editor, loop),
          view(graphics) {
        graphics.setResourceLookup(resources::find);
        buildMainPage(graphics, {[this] {
                          ++reconnects;
                          editor.reconnect();
                      }});
        editor.attachView(&view);
    }

    // Draws the whole window at draw scale 1 and returns the pixel at (x, y) as 0xAARRGGBB.
    std::uint32_t drawAndSample(int x, int y) {
        cairo_surface_t* surface = cairo_image_surface_create(
            CAIRO_FORMAT_ARGB32, igraphics::kLogicalWidth, igraphics::kLogicalHeight);
        cairo_t* cr = cairo_create(surface);
        graphics.setAllDirty();
        graphics.draw(cr, graphics.bounds());
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        const auto* row =
            cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
        const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
        cairo_surface_destroy(surface);
        return pixel;
    }

    testing::TempDir dir;
    VirtualEventLoop loop;
    SilentPlatform platform;
    VornixControl editor;
    igraphics::IGraphics graphics;
    GraphicsView view;
    int reconnects = 0;
};

TEST_F(EditorPage, StartsConnectingWithTheOverlayHidden) {
    EXPECT_EQ(view.text(page_tag::StatusLine1), "");
    EXPECT_EQ(view.text(page_tag::StatusLine2), "Connecting to the device...");
    EXPECT_EQ(view.text(page_tag::StatusLine3), "");
    for (int tag : {page_tag::ProgressCaption, page_tag::ProgressRing, page_tag::ProgressText}) {
        const igraphics::IControl* control = graphics.controlWithTag(tag);
        ASSERT_NE(control, nullptr) << tag;
        EXPECT_EQ(control->group(), "progresscontrols");
        EXPECT_TRUE(control->isHidden()) << tag;
    }
    EXPECT_EQ(view.text(page_tag::ProgressText), "0 %");
    EXPECT_TRUE(view.hasGroup("devicecontrols"));
    EXPECT_FALSE(view.hasGroup(group::About));
}

TEST_F(EditorPage, BuildsOnlyOnce) {
    const int controls = graphics.nControls();
    buildMainPage(graphics, {});
    EXPECT_EQ(graphics.nControls(), controls);
}

TEST_F(EditorPage, ReconnectActsAfterTheClickAnimationAndResetsTheStatus) {
    view.setText(page_tag::StatusLine1, "DEVICE: x");
    view.setText(page_tag::StatusLine2, "VERSION: 1.3");
    view.showGroup(group::Progress);
    const IMouseMod left;
    graphics.onMouseDown(600.f, 40.f, left);
    graphics.onMouseUp(600.f, 40.f, left);
    loop.advance(igraphics::kSplashClickMs / 2);
    EXPECT_EQ(reconnects, 0) << "the button acts when its click animation ends, not at mouse-up";
    loop.advance(igraphics::kSplashClickMs);
    EXPECT_EQ(reconnects, 1);
    EXPECT_EQ(view.text(page_tag::StatusLine1), "");
    EXPECT_EQ(view.text(page_tag::StatusLine2), "Connecting to the device...");
    EXPECT_TRUE(graphics.controlWithTag(page_tag::ProgressRing)->isHidden());
}

TEST_F(EditorPage, ProgressOverlayIsDrawnOnlyWhileShown) {
    constexpr int X = 1050, Y = 420;  // inside the panel, above the ring, beside the caption's text
    const std::uint32_t page = drawAndSample(X, Y);
    view.showGroup(group::Progress);
    const std::uint32_t overlay = drawAndSample(X, Y);
    EXPECT_NE(page, overlay);
    view.hideGroup(group::Progress);
    EXPECT_EQ(drawAndSample(X, Y), page);
}

TEST_F(EditorPage, OverlayTakesClicksMeantForThePageBelow) {
    view.showGroup(group::Progress);
    const igraphics::IControl* hit = graphics.controlAt(1000.f, 750.f);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->group(), "progresscontrols");
    view.hideGroup(group::Progress);
    hit = graphics.controlAt(1000.f, 750.f);
    EXPECT_TRUE(hit == nullptr || hit->group() != "progresscontrols");
}

TEST_F(EditorPage, StatusChangeRedrawsOnlyItsLine) {
    drawAndSample(0, 0);
    IRECT dirty;
    ASSERT_FALSE(graphics.isDirty(dirty));
    view.setText(page_tag::StatusLine3, "SERIAL: VX1");
    ASSERT_TRUE(graphics.isDirty(dirty));
    EXPECT_LE(dirty.W(), 400.f);
    EXPECT_LE(dirty.H(), 30.f);
    view.setText(page_tag::StatusLine3, "SERIAL: VX1");
    drawAndSample(0, 0);
    EXPECT_FALSE(graphics.isDirty(dirty)) << "an unchanged text is not redrawn";
}

TEST_F(EditorPage, ProgressValueAndTextReachTheRing) {
    view.setValue(tag::ProgressKnob, 0.25);
    view.setText(tag::ProgressText, "25 %");
    EXPECT_DOUBLE_EQ(graphics.controlWithTag(page_tag::ProgressRing)->getValue(), 0.25);
    EXPECT_EQ(view.text(page_tag::ProgressText), "25 %");
}

// ---- the rows the editor fills before their pages exist ----

TEST(GraphicsViewRows, KeepsRowTextsAndIgnoresRowsOutsideTheList) {
    VirtualEventLoop loop;
    testing::TempDir dir;
    SilentPlatform platform;
    VornixControl editor(loop, storage::DataFolder(dir.path()), platform);
    igraphics::IGraphics graphics(editor, loop);
    GraphicsView view(graphics);

    view.setPresetRow(0, " 00 Clean");
    view.setPresetRow(127, " 127 Last");
    view.setPresetRow(128, "beyond");
    view.setPresetRow(-1, "before");
    EXPECT_EQ(view.presetRow(0), " 00 Clean");
    EXPECT_EQ(view.presetRow(127), " 127 Last");
    EXPECT_EQ(view.presetRow(128), "");

    view.setUserIrRow(31, "My Cab");
    view.setUserIrRow(32, "beyond");
    EXPECT_EQ(view.userIrRow(31), "My Cab");
    EXPECT_EQ(view.userIrRow(32), "");

    view.setPresetRowSelected(5, true);
    EXPECT_EQ(view.selectedPresetRow(), 5);
    view.setPresetRowSelected(6, false);
    EXPECT_EQ(view.selectedPresetRow(), 5) << "deselecting another row keeps the selection";
    view.setPresetRowSelected(5, false);
    EXPECT_EQ(view.selectedPresetRow(), -1);
}

TEST(GraphicsViewRows, RowTextsReachControlsCarryingTheRowTags) {
    VirtualEventLoop loop;
    testing::TempDir dir;
    SilentPlatform platform;
    VornixControl editor(loop, storage::DataFolder(dir.path()), platform);
    igraphics::IGraphics graphics(editor, loop);
    GraphicsView view(graphics);
    auto* row = graphics.attach(std::make_unique<igraphics::ITextControl>(IRECT(0, 0, 10, 10)),
                                row_tag::PresetFirst + 3);
    auto* cabinet = graphics.attach(std::make_unique<igraphics::ITextControl>(IRECT(0, 0, 10, 10)),
                                    CabinetRowFirstTag + 7);
    editor.attachView(&view);
    view.setPresetRow(3, " 03 Fat");
    view.setCabinetLabel(8, "Aldric V30");
    view.setCabinetLabel(9, "beyond");
    EXPECT_EQ(row->text(), " 03 Fat");
    EXPECT_EQ(cabinet->text(), "Aldric V30");
}

}  // namespace
}  // namespace vornix::ui
