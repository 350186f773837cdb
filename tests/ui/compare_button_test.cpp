// COMPARE in the title bar: a click switches to B and back, the button is lit
// and names B while B plays, and the page around it stays where it was.
#include <gtest/gtest.h>

#include "controls/vector_controls.hpp"
#include "editor_harness.hpp"
#include "golden_page.hpp"
#include "resources/resources.hpp"
#include "ui/registry.hpp"
#include "ui/window_content.hpp"

namespace vornix::ui {
namespace {

using igraphics::IMouseMod;

constexpr float CompareX = 477.f, CompareY = 40.f;

class CompareButtonTest : public ::testing::Test {
  protected:
    CompareButtonTest() {
        h.goOnlineWithPreset(3, 64);
        h.editor.setParameterFromUser(param::Drive, 90);
        window = std::make_unique<WindowContent>(h.editor, h.loop, resources::find);
        tick(10);
        h.sent.clear();
    }
    igraphics::IGraphics& g() { return window->graphics(); }
    void tick(int ticks = 1) { h.loop.advance(ticks * IdleTickMs); }
    // A click, then the press animation after which the button acts.
    void clickCompare() {
        g().onMouseDown(CompareX, CompareY, IMouseMod{});
        g().onMouseUp(CompareX, CompareY, IMouseMod{});
        tick(50);
    }
    const igraphics::IVButtonControl& button() {
        return dynamic_cast<const igraphics::IVButtonControl&>(*g().controlWithTag(tag::Compare));
    }

    testing::EditorHarness h;
    std::unique_ptr<WindowContent> window;
};

TEST_F(CompareButtonTest, AClickPlaysBLitAndASecondPlaysTheEditAgain) {
    EXPECT_EQ(button().label(), "COMPARE");
    clickCompare();
    EXPECT_EQ(button().label(), "B: STORED");
    EXPECT_EQ(button().getValue(), 1.0);
    clickCompare();
    EXPECT_EQ(button().label(), "COMPARE");
    EXPECT_EQ(button().getValue(), 0.0);
    EXPECT_EQ(h.sentWith(sysex::cmd::EditBuffer).size(), 2u);
    EXPECT_EQ(h.sent.size(), 2u);
}

TEST_F(CompareButtonTest, RendersLitBesideReconnect) {
    clickCompare();
    EXPECT_TRUE(testing::matchesGoldenPage(g(), "compare-lit"));
}

}  // namespace
}  // namespace vornix::ui
