// The script's pointer and keyboard reach the controls as the window's would:
// drags carry the distance from the last point, the second press of a
// double-click is a double-click, typing replaces the open entry's text.
#include "app/script_input.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "controls/text_controls.hpp"
#include "framework/virtual_event_loop.hpp"

namespace vornix::app {
namespace {

class NoParameters : public iplug::IEditorDelegate {
  public:
    int nParams() const override { return 0; }
    iplug::IParam* getParam(int) override { return nullptr; }
    void sendParameterValueFromUI(int, double) override {}
};

// Writes down every event it gets, with what the event carried.
class RecordingControl : public igraphics::IControl {
  public:
    explicit RecordingControl(std::vector<std::string>& log)
        : IControl(igraphics::IRECT(100, 100, 300, 300)), log_(log) {}
    void draw(igraphics::Painter&) override {}
    void onMouseDown(float x, float y, const igraphics::IMouseMod& mod) override {
        write("down", x, y, mod);
    }
    void onMouseUp(float x, float y, const igraphics::IMouseMod& mod) override {
        write("up", x, y, mod);
    }
    void onMouseDrag(float x, float y, float dX, float dY, const igraphics::IMouseMod&) override {
        log_.push_back("drag " + number(x) + " " + number(y) + " by " + number(dX) + " " +
                       number(dY));
    }
    void onMouseDblClick(float x, float y, const igraphics::IMouseMod& mod) override {
        write("double", x, y, mod);
    }
    void onMouseWheel(float, float, const igraphics::IMouseMod& mod, float d) override {
        log_.push_back("wheel " + number(d) + (mod.S ? " shift" : "") + (mod.C ? " ctrl" : ""));
    }
    void onMouseOver(float x, float y, const igraphics::IMouseMod& mod) override {
        write("over", x, y, mod);
    }

  private:
    static std::string number(float v) {
        std::ostringstream text;
        text << v;
        return text.str();
    }
    void write(const char* what, float x, float y, const igraphics::IMouseMod& mod) {
        log_.push_back(std::string(what) + " " + number(x) + " " + number(y) + (mod.L ? " L" : ""));
    }
    std::vector<std::string>& log_;
};

struct Window {
    NoParameters delegate;
    VirtualEventLoop loop;
    igraphics::IGraphics graphics{delegate, loop};
    std::vector<std::string> log;
    int settled = 0;
    ScriptPointer pointer{graphics, [this] { ++settled; }};

    Window() { graphics.attach(std::make_unique<RecordingControl>(log)); }
};

TEST(ScriptPointer, MovesAreDragsOnlyWhileTheButtonIsDown) {
    Window w;
    w.pointer.move({150, 150});
    w.pointer.press({150, 150});
    w.pointer.move({160, 140.5f});
    w.pointer.release({160, 140.5f});
    w.pointer.move({170, 170});
    EXPECT_EQ(w.log, (std::vector<std::string>{"over 150 150", "down 150 150 L",
                                               "drag 160 140.5 by 10 -9.5", "up 160 140.5 L",
                                               "over 170 170"}));
    EXPECT_EQ(w.settled, 5);
}

TEST(ScriptPointer, DragMovesInEvenStepsAndEndsWithTheRelease) {
    Window w;
    w.pointer.drag({100, 200}, {140, 160}, 4);
    EXPECT_EQ(w.log, (std::vector<std::string>{"down 100 200 L", "drag 110 190 by 10 -10",
                                               "drag 120 180 by 10 -10", "drag 130 170 by 10 -10",
                                               "drag 140 160 by 10 -10", "up 140 160 L"}));
}

TEST(ScriptPointer, DoubleClickIsAClickThenADoubleClickPress) {
    Window w;
    w.pointer.doubleClick({200, 200});
    EXPECT_EQ(w.log, (std::vector<std::string>{"down 200 200 L", "up 200 200 L", "double 200 200 L",
                                               "up 200 200 L"}));
}

TEST(ScriptPointer, EachWheelNotchIsOneEvent) {
    Window w;
    w.pointer.wheel({200, 200}, -2, script::Modifier::Shift);
    w.pointer.wheel({200, 200}, 1, script::Modifier::Ctrl);
    EXPECT_EQ(w.log,
              (std::vector<std::string>{"wheel -1 shift", "wheel -1 shift", "wheel 1 ctrl"}));
    EXPECT_EQ(w.settled, 3);
}

TEST(ScriptKeyboard, TypingReplacesTheOpenEntryAndReturnCommitsIt) {
    Window w;
    auto* name = &w.graphics.attach(std::make_unique<igraphics::IEditableTextControl>(
        igraphics::IRECT(400, 400, 600, 440), "Old name"));
    EXPECT_EQ(typeText(w.graphics, "New"), "no text entry is open");
    EXPECT_FALSE(pressKey(w.graphics, script::Key::Return));

    w.pointer.click({500, 420});
    ASSERT_TRUE(w.graphics.textEntry().isOpen());
    EXPECT_EQ(typeText(w.graphics, "Fat Bass"), "");
    EXPECT_EQ(w.graphics.textEntry().text(), "Fat Bass");
    // Tab is taken by the entry and changes nothing.
    EXPECT_TRUE(pressKey(w.graphics, script::Key::Tab));
    EXPECT_TRUE(pressKey(w.graphics, script::Key::BackSpace));
    EXPECT_TRUE(pressKey(w.graphics, script::Key::Return));
    EXPECT_FALSE(w.graphics.textEntry().isOpen());
    EXPECT_EQ(name->text(), "Fat Bas");

    // Typed as a user would: what the entry does not take rings its bell.
    w.pointer.click({500, 420});
    EXPECT_EQ(typeText(w.graphics, std::string(300, 'x')), "");
    EXPECT_EQ(w.graphics.textEntry().text(), std::string(32, 'x'));
    EXPECT_TRUE(pressKey(w.graphics, script::Key::Escape));
    EXPECT_EQ(name->text(), "Fat Bas");
}

}  // namespace
}  // namespace vornix::app
