// The preset column driven by the pointer at its places on the page, against
// the recording port: the scroll bar and the wheel move the rows, a press on
// a row recalls it (or stores into it while SAVE waits), the device's answer
// moves the highlight and scrolls its row into view, the name field sends the
// whole preset, and the file buttons run the preset-file flows.
#include <gtest/gtest.h>

#include "controls/text_controls.hpp"
#include "editor_harness.hpp"
#include "golden_page.hpp"
#include "resources/resources.hpp"
#include "ui/preset_list.hpp"
#include "ui/registry.hpp"
#include "ui/window_content.hpp"

namespace vornix::ui {
namespace {

using igraphics::IMouseMod;
using testing::EditorHarness;

constexpr float ListX = 130.f;
constexpr float ListTop = 228.f;
constexpr float WindowBottom = 1200.f;
constexpr float SaveX = 869 + 24, SaveY = 314 + 24;
constexpr float ImportX = 70, ExportX = 190, FileButtonsY = 190;
constexpr float NameX = 140, NameY = 132;

class PresetColumn : public ::testing::Test {
  protected:
    explicit PresetColumn(bool online = true) {
        if (online) h.goOnlineWithPreset(0, 64);
        window = std::make_unique<WindowContent>(h.editor, h.loop, resources::find);
        tick();
    }

    igraphics::IGraphics& g() { return window->graphics(); }
    PresetList& list() { return window->view().presetList(); }
    void tick(int ticks = 1) { h.loop.advance(ticks * IdleTickMs); }
    void click(float x, float y) {
        g().onMouseDown(x, y, IMouseMod{});
        g().onMouseUp(x, y, IMouseMod{});
    }
    // A click on the row drawn `rowsDown` rows below the top of the list.
    void clickWindowRow(int rowsDown, float into = 24.f) {
        click(ListX, ListTop + preset_list::RowPitch * static_cast<float>(rowsDown) + into);
    }
    void scrollTo(int topRow) {
        h.editor.setParameterFromUser(param::Scroll, preset_list::MaxTopRow - topRow);
    }
    void wheel(int notches, IMouseMod mod = {}) {
        for (int i = 0; i < std::abs(notches); ++i)
            g().onMouseWheel(ListX, 600, mod, notches > 0 ? 1.f : -1.f);
    }
    igraphics::IControl& row(int i) { return *g().controlWithTag(tag::presetRow(i)); }
    bool whollyShown(int i) {
        const auto& r = row(i).bounds();
        return !row(i).isHidden() && r.T >= ListTop && r.B <= WindowBottom;
    }
    igraphics::IColor rowColour(int i) {
        return static_cast<igraphics::ITextControl&>(row(i)).textStyle().color;
    }
    std::vector<sysex::Bytes> sentNow() { return h.sentBytes(); }

    EditorHarness h;
    std::unique_ptr<WindowContent> window;
};

class OfflinePresetColumn : public PresetColumn {
  protected:
    OfflinePresetColumn() : PresetColumn(false) {}
};

TEST_F(PresetColumn, TheScrollBarShowsNineteenWholeRowsFromItsTopRow) {
    EXPECT_EQ(h.editor.intValue(param::Scroll), 109);
    for (int i = 0; i <= 18; ++i) EXPECT_TRUE(whollyShown(i)) << i;
    EXPECT_FALSE(row(19).isHidden());
    EXPECT_LT(row(19).bounds().T, WindowBottom);
    EXPECT_GT(row(19).bounds().B, WindowBottom);  // cut by the window's edge

    scrollTo(109);
    for (int i = 109; i <= 127; ++i) EXPECT_TRUE(whollyShown(i)) << i;
    EXPECT_TRUE(row(108).isHidden());
    EXPECT_EQ(row(109).bounds().T, ListTop);
}

// The bar is dragged by its handle: to the bottom shows the end of the list.
TEST_F(PresetColumn, DraggingTheScrollBarDownShowsTheLastRows) {
    g().onMouseDown(280, 236, IMouseMod{});
    g().onMouseDrag(280, 1250, 0, 1014, IMouseMod{true});
    g().onMouseUp(280, 1250, IMouseMod{});
    EXPECT_EQ(h.editor.intValue(param::Scroll), 0);
    EXPECT_EQ(list().topRow(), 109);
    EXPECT_TRUE(whollyShown(127));
}

TEST_F(PresetColumn, APressSelectsTheRowUnderThePointerAndTheAnswerMakesItCurrent) {
    scrollTo(30);
    clickWindowRow(0, 10);
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(30)});
    h.sent.clear();
    clickWindowRow(0, 60);
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(31)});
    EXPECT_EQ(list().highlightedRow(), 31);
    EXPECT_EQ(rowColour(31), preset_list::HighlightedRowText);
    EXPECT_EQ(rowColour(30), preset_list::RowText);
    EXPECT_EQ(h.editor.sound().currentPreset, 0) << "the device's answer moves the number";

    h.receivePreset(31, testing::recordWith(70, "Growler"));
    EXPECT_EQ(h.editor.sound().currentPreset, 31);
    EXPECT_EQ(window->view().text(tag::Readout), "31");
    EXPECT_EQ(window->view().text(tag::PresetName).substr(0, 7), "Growler");
    EXPECT_EQ(list().topRow(), 30) << "a row picked on screen is not scrolled to";

    h.sent.clear();
    clickWindowRow(1);  // the highlighted row, again
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(31)});
}

TEST_F(PresetColumn, OnlyThePressActsDragsReleasesAndDoubleClicksDoNothing) {
    g().onMouseDown(ListX, ListTop + 124, IMouseMod{});
    g().onMouseDrag(ListX, ListTop + 324, 0, 200, IMouseMod{true});
    g().onMouseUp(ListX, ListTop + 324, IMouseMod{});
    g().onMouseDblClick(ListX, ListTop + 424, IMouseMod{});
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::selectPreset(2)});
    EXPECT_EQ(list().highlightedRow(), 2);
}

TEST_F(PresetColumn, TheWheelScrollsThreeRowsANotchOrOneWithShiftOrCtrl) {
    scrollTo(5);
    wheel(+1);
    EXPECT_EQ(list().topRow(), 2);
    wheel(+2);  // clamped at the top on the second
    EXPECT_EQ(list().topRow(), 0);
    EXPECT_EQ(h.editor.intValue(param::Scroll), 109);
    EXPECT_TRUE(whollyShown(0));

    IMouseMod shift;
    shift.S = true;
    IMouseMod ctrl;
    ctrl.C = true;
    wheel(-1, shift);
    wheel(-1, ctrl);
    EXPECT_EQ(list().topRow(), 2);
    wheel(-1);
    EXPECT_EQ(list().topRow(), 5);
    scrollTo(108);
    wheel(-1);
    EXPECT_EQ(list().topRow(), 109);
    EXPECT_TRUE(sentNow().empty());
}

// The wheel once dimmed the readout as if the sound had changed: the preset
// it came from holds values the editor clamps. A knob still dims it.
TEST_F(PresetColumn, TheWheelLeavesTheReadoutLitAndAKnobDimsIt) {
    const auto readoutAlpha = [this] {
        return static_cast<igraphics::ITextControl&>(*g().controlWithTag(tag::Readout))
            .textStyle()
            .color.A;
    };
    ASSERT_EQ(readoutAlpha(), 255);
    wheel(-3);
    wheel(+1);
    tick();
    EXPECT_EQ(readoutAlpha(), 255);
    h.editor.setParameterFromUser(param::Drive, 70);
    tick();
    EXPECT_EQ(readoutAlpha(), 100);
    wheel(-1);
    tick();
    EXPECT_EQ(readoutAlpha(), 100) << "the wheel does not undo an edit either";
}

TEST_F(PresetColumn, SaveThenARowStoresIntoThatRowWithoutASelect) {
    scrollTo(30);
    click(SaveX, SaveY);
    clickWindowRow(10);
    EXPECT_EQ(sentNow(), std::vector<sysex::Bytes>{sysex::storePreset(40)});

    // The store blinks through its commit cycles, then the answer is cached.
    bool wentDark = false;
    for (int i = 0; i < 40; ++i) {
        tick();
        wentDark = wentDark || g().controlWithTag(tag::Readout)->isHidden();
    }
    EXPECT_TRUE(wentDark);
    h.receivePreset(40, testing::recordWith(64, "Kept"));
    EXPECT_EQ(h.events.storedSlots, std::vector<int>{40});
}

TEST_F(PresetColumn, TheDevicesCurrentPresetIsHighlightedAndScrolledIntoView) {
    EXPECT_EQ(list().highlightedRow(), 0);
    h.receivePreset(50, testing::recordWith(64));
    EXPECT_EQ(list().highlightedRow(), 50);
    EXPECT_EQ(list().topRow(), 50);
    EXPECT_EQ(row(50).bounds().T, ListTop);
    h.receivePreset(120, testing::recordWith(64));
    EXPECT_EQ(list().topRow(), 109);
    EXPECT_EQ(rowColour(50), preset_list::RowText);
}

// A window opened again shows the list where it was left, with the current
// preset highlighted, and the faceplate of the device it is online with.
TEST_F(PresetColumn, AWindowOpenedAgainKeepsTheScrollTheHighlightAndTheDevice) {
    h.receivePreset(60, testing::recordWith(64));
    scrollTo(70);
    window.reset();
    h.editor.uiClosed();
    window = std::make_unique<WindowContent>(h.editor, h.loop, resources::find);
    EXPECT_EQ(list().topRow(), 70);
    EXPECT_TRUE(row(69).isHidden());
    EXPECT_EQ(list().highlightedRow(), 60);
    EXPECT_FALSE(g().controlWithTag(tag::SaveSwitch)->isDisabled());
    EXPECT_EQ(window->view().text(tag::StatusSerial).rfind("SERIAL: VX1-7", 0), 0u);
}

TEST_F(PresetColumn, TheNameFieldSendsTheWholePresetUnderItsNewName) {
    h.receivePreset(7, testing::recordWith(33, "Old"));
    h.sent.clear();
    click(NameX, NameY);
    ASSERT_TRUE(g().textEntry().isOpen());
    g().textEntry().cancel();
    click(NameX, NameY);
    for (int i = 0; i < 40; ++i) g().onKey(igraphics::EKey::Backspace);
    g().textEntry().insert("Thunder");
    g().onKey(igraphics::EKey::Enter);

    ASSERT_EQ(h.sent.size(), 1u);
    const sysex::BlockParse sent = sysex::parseBlockMessage(h.sent[0].bytes);
    ASSERT_EQ(sent.error, sysex::ParseError::None);
    EXPECT_EQ(sent.view.command, sysex::cmd::EditBuffer);
    EXPECT_EQ(sent.view.number, 7);
    const auto name = sent.view.block.subspan(sysex::record::Name, sysex::NameBytes);
    EXPECT_EQ(std::string(name.begin(), name.end()), "Thunder" + std::string(25, ' '));
    EXPECT_EQ(sent.view.block[sysex::record::paramByte(param::Level)], 33);
    EXPECT_EQ(h.editor.sound().presetName, "Thunder");
}

TEST_F(PresetColumn, TheFileButtonsExportAndImportThePreset) {
    const std::string file = (h.dir.path() / "Round trip.kvp").string();
    h.platform.files.push_back(file);
    click(ExportX, FileButtonsY);
    EXPECT_TRUE(h.platform.requests.empty()) << "the button acts when its animation ends";
    tick(6);
    ASSERT_EQ(h.platform.requests.size(), 1u);
    EXPECT_EQ(h.platform.requests[0].mode, FileRequest::Mode::Save);
    ASSERT_TRUE(std::filesystem::exists(file));

    h.platform.files.push_back(file);
    click(ImportX, FileButtonsY);
    tick(6);
    ASSERT_EQ(h.platform.requests.size(), 2u);
    EXPECT_EQ(h.platform.requests[1].mode, FileRequest::Mode::Open);
    for (int i = 0; i < 100 && h.events.importResults.empty(); ++i) tick();
    EXPECT_EQ(h.events.importResults, std::vector<std::string>{"ok"});
    EXPECT_EQ(window->view().text(tag::PresetName), "Round trip");
}

TEST_F(OfflinePresetColumn, AClickOnlyMovesTheHighlightAndTheNameStillGoesOut) {
    clickWindowRow(3);
    EXPECT_EQ(list().highlightedRow(), 3);
    EXPECT_TRUE(sentNow().empty());

    click(SaveX, SaveY);  // greyed offline: the list stores nothing either
    clickWindowRow(4);
    EXPECT_TRUE(sentNow().empty());

    click(NameX, NameY);
    g().onKey(igraphics::EKey::Enter);
    EXPECT_EQ(h.sentWith(sysex::cmd::EditBuffer).size(), 1u);
}

TEST_F(PresetColumn, RendersTheListFilledAndLayerB) {
    for (int slot = 0; slot < NumPresets; ++slot)
        window->view().presetRowChanged(
            slot, " " + std::to_string(slot) + " Preset " + std::to_string(slot));
    h.receivePreset(3, testing::recordWith(64, "Round Bottom"));
    EXPECT_TRUE(testing::matchesGoldenPage(g(), "preset-list"));
    click(1459 + 37, 322 + 37);
    EXPECT_TRUE(testing::matchesGoldenPage(g(), "layer-b"));
}

}  // namespace
}  // namespace vornix::ui
