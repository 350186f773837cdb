// The main page and the editor's view on a headless drawing context: what the
// editor writes shows in the controls, RECONNECT acts after its click
// animation, the progress overlay is drawn only while shown, and a text change
// redraws only its own line.
#include <cairo.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "controls/controls.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "resources/resources.hpp"
#include "temp_dir.hpp"
#include "ui/block_panel.hpp"
#include "ui/page_builder.hpp"
#include "ui/page_presenter.hpp"
#include "ui/pages/main_page.hpp"
#include "ui/registry.hpp"

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
        MainPageActions actions;
        actions.reconnect = [this] {
            ++reconnects;
            editor.reconnect();
        };
        buildMainPage(graphics, view, actions);
        editor.link().openWindow(view);
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
    PagePresenter view;
    int reconnects = 0;
};

TEST_F(EditorPage, StartsConnectingWithTheOverlayHidden) {
    EXPECT_EQ(view.text(tag::StatusDevice), "");
    EXPECT_EQ(view.text(tag::StatusVersion), "Connecting to the device...");
    EXPECT_EQ(view.text(tag::StatusSerial), "");
    for (ControlTag t : {tag::ProgressCaption, tag::ProgressRing, tag::ProgressText}) {
        const igraphics::IControl* control = graphics.controlWithTag(t);
        ASSERT_NE(control, nullptr) << t.value();
        EXPECT_EQ(control->group(), group::Progress);
        EXPECT_TRUE(control->isHidden()) << t.value();
    }
    EXPECT_EQ(view.text(tag::ProgressText), "0 %");
    EXPECT_TRUE(view.hasGroup(group::Device));
    // The About page is there, hidden until Help > About.
    ASSERT_TRUE(view.hasGroup(group::About));
    graphics.forGroup(group::About, [](igraphics::IControl& c) { EXPECT_TRUE(c.isHidden()); });
}

// Built and not yet online: the impulse-response page on show, every block
// page hidden with its placeholders in place, the faceplate not reacting.
TEST_F(EditorPage, AfterTheBuildTheImpulseResponsePageIsOnShow) {
    EXPECT_EQ(view.currentBlock(), block::None);
    for (const char* name : BlockPageGroups) {
        SCOPED_TRACE(name);
        int controls = 0;
        graphics.forGroup(name, [&](igraphics::IControl& c) {
            ++controls;
            EXPECT_TRUE(c.isHidden());
        });
        EXPECT_GT(controls, 0);
    }
    EXPECT_TRUE(graphics.controlWithTag(tag::EditIrInvitation)->isHidden());
    EXPECT_TRUE(graphics.controlWithTag(tag::LayerBackground)->isHidden());
    EXPECT_TRUE(graphics.controlWithTag(tag::Readout)->isDisabled());
    EXPECT_EQ(view.text(tag::Readout), "00");
    const std::pair<ControlTag, const char*> placeholders[] = {
        {tag::PreampText, "50.00"},
        {tag::DriveText, "0.00"},
        {tag::GateRatioText, "1:1"},
        {tag::GateReleaseText, "50"},
        {tag::CompressorAttackText, "5"},
        {tag::LevelText, "0%"},
        {tag::CompressorThresholdText, "Bypass"},
        {tag::ChorusFeedbackText, "0"},
        {tag::AnalogSimCaption, "SMOOTHING"},
        {tag::CompressorTitle, "COMPRESSOR"},
    };
    for (const auto& [t, text] : placeholders) EXPECT_EQ(view.text(t), text) << t.value();
    // The ten models and seven types, each in its page's group, none lit.
    for (int m = 0; m < 10; ++m)
        EXPECT_EQ(graphics.controlWithTag(tag::ampModelButton(m))->group(), group::Amplifier);
    for (int t = 0; t < 7; ++t)
        EXPECT_EQ(graphics.controlWithTag(tag::ambienceTypeButton(t))->group(), group::Ambience);
    // The compressor page's value texts go with its knobs, the rest with the page.
    EXPECT_EQ(graphics.controlWithTag(tag::CompressorRatioText)->group(), group::Compressor);
    EXPECT_EQ(graphics.controlWithTag(tag::CompressorThresholdText)->group(),
              group::CompressorFrame);
    EXPECT_EQ(graphics.controlWithTag(tag::AmbienceTimeText)->group(), group::AmbienceTime);
}

// The graph panel's select takes clicks on the panel; a page's knob takes its own.
TEST_F(EditorPage, TheLayoutPutsEachKnobWhereItsPageSaysAndTheSelectOverTheGraphs) {
    const igraphics::IControl* select = graphics.controlAt(1500, 900);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->paramIdx(), param::GraphPanel);
    EXPECT_EQ(select->group(), "");
    graphics.hideGroup(group::ImpulseResponse);
    graphics.showGroup(group::Amplifier);
    EXPECT_EQ(graphics.controlAt(730, 990)->paramIdx(), param::Drive);
    EXPECT_EQ(graphics.controlAt(720, 780)->tag(), tag::ampModelButton(7)) << "second row";
    graphics.showGroup(group::Chorus);
    EXPECT_EQ(graphics.controlAt(455, 810)->paramIdx(), param::ChorusRate);
}

// The build refuses a tag attached twice; here every tag of the window's
// table is on a control of its own, and no other tag is attached.
TEST_F(EditorPage, EachTagOfTheTableIsOnOneControlAndNoOtherTagIsAttached) {
    const std::pair<int, int> runs[] = {
        {1, 1},
        {6, 6},
        {8, 12},
        {17, 17},
        {19, 28},
        {31, 34},
        {36, 53},
        {56, 75},
        {79, 95},
        {97, 103},
        {148, 153},
        {155, 155},
        {160, 160},  // COMPARE in the title bar
        // the editor's own: the preset rows, the flat response's row, the
        // buttons that close the pages laid over the main page
        {1000, 1127},
        {1300, 1300},
        {1400, 1404}};
    std::set<int> expected;
    for (const auto& [first, last] : runs)
        for (int t = first; t <= last; ++t) expected.insert(t);
    std::set<int> attached;
    std::size_t tagged = 0;
    graphics.forAllControls([&](igraphics::IControl& c) {
        if (!c.tag().namesAControl()) return;
        ++tagged;
        attached.insert(c.tag().value());
    });
    EXPECT_EQ(attached, expected);
    EXPECT_EQ(tagged, attached.size());
}

TEST_F(EditorPage, BuildsOnlyOnce) {
    const int controls = graphics.nControls();
    buildMainPage(graphics, view, {});
    EXPECT_EQ(graphics.nControls(), controls);
}

TEST_F(EditorPage, TheDeviceIdentifiesItselfInTheStatusLines) {
    editor.sysExReceived(sysex::identificationReply(13, "VX1-000417"));
    EXPECT_EQ(view.text(tag::StatusDevice), "DEVICE: Quellix Tarmilo Vornix");
    EXPECT_EQ(view.text(tag::StatusVersion), "VERSION: 1.3");
    EXPECT_EQ(view.text(tag::StatusSerial), "SERIAL: VX1-000417" + std::string(22, ' '));
}

// What the host says about reaching the pedal stands in for the connecting
// text, and gives way to the device's own lines once it answers.
TEST_F(EditorPage, TheSearchStatusShowsWhileConnectingOnly) {
    const std::string waiting = "Waiting for the MIDI ports of the pedal...";
    editor.connection().setSearchStatus(waiting);
    EXPECT_EQ(view.text(tag::StatusVersion), waiting);
    editor.sysExReceived(sysex::identificationReply(13, "VX1"));
    editor.connection().setSearchStatus("Looking for the pedal...");
    EXPECT_EQ(view.text(tag::StatusVersion), "VERSION: 1.3");
    editor.connection().setSearchStatus(waiting);
    editor.reconnect();
    EXPECT_EQ(view.text(tag::StatusVersion), waiting);
    editor.connection().setSearchStatus("");
    EXPECT_EQ(view.text(tag::StatusVersion), "Connecting to the device...");
    editor.connection().setSearchStatus(
        "Using the first of 2 such ports:\nPedal:Pedal MIDI 1 28:0");
    EXPECT_EQ(view.text(tag::StatusVersion), "Using the first of 2 such ports:");
    EXPECT_EQ(view.text(tag::StatusSerial), "Pedal:Pedal MIDI 1 28:0");
    editor.sysExReceived(sysex::identificationReply(13, "VX1"));
    EXPECT_EQ(view.text(tag::StatusSerial), "SERIAL: VX1" + std::string(29, ' '));
}

TEST_F(EditorPage, ReconnectActsAfterTheClickAnimationAndResetsTheStatus) {
    editor.sysExReceived(sysex::identificationReply(13, "VX1"));
    view.transferStarted(Transfer::BulkRead);
    const IMouseMod left;
    graphics.onMouseDown(600.f, 40.f, left);
    graphics.onMouseUp(600.f, 40.f, left);
    loop.advance(igraphics::kSplashClickMs / 2);
    EXPECT_EQ(reconnects, 0) << "the button acts when its click animation ends, not at mouse-up";
    loop.advance(igraphics::kSplashClickMs);
    EXPECT_EQ(reconnects, 1);
    EXPECT_FALSE(editor.connection().online());
    EXPECT_EQ(view.text(tag::StatusDevice), "");
    EXPECT_EQ(view.text(tag::StatusVersion), "Connecting to the device...");
    EXPECT_TRUE(graphics.controlWithTag(tag::ProgressRing)->isHidden());
}

TEST_F(EditorPage, ProgressOverlayIsDrawnOnlyWhileATransferRuns) {
    constexpr int X = 1050, Y = 420;  // inside the panel, above the ring, beside the caption's text
    const std::uint32_t page = drawAndSample(X, Y);
    view.transferStarted(Transfer::BankImport);
    const std::uint32_t overlay = drawAndSample(X, Y);
    EXPECT_NE(page, overlay);
    view.transferEnded(Transfer::BankImport, true);
    EXPECT_EQ(drawAndSample(X, Y), page);
}

TEST_F(EditorPage, OverlayTakesClicksMeantForThePageBelow) {
    view.transferStarted(Transfer::BulkRead);
    const igraphics::IControl* hit = graphics.controlAt(1000.f, 750.f);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->group(), group::Progress);
    view.presetRequestUnanswered();
    hit = graphics.controlAt(1000.f, 750.f);
    EXPECT_TRUE(hit == nullptr || hit->group() != group::Progress);
}

TEST_F(EditorPage, StatusChangeRedrawsOnlyItsLine) {
    drawAndSample(0, 0);
    IRECT dirty;
    ASSERT_FALSE(graphics.isDirty(dirty));
    view.identified(1.3, "VX1");
    ASSERT_TRUE(graphics.isDirty(dirty));
    EXPECT_LE(dirty.W(), 400.f);
    EXPECT_LE(dirty.H(), 30.f);
    view.identified(1.3, "VX1");
    drawAndSample(0, 0);
    EXPECT_FALSE(graphics.isDirty(dirty)) << "an unchanged text is not redrawn";
}

// Truncated percentages for the transfers, rounded ones for an IR arriving.
TEST_F(EditorPage, ProgressReachesTheRingAndItsText) {
    struct Case {
        Transfer transfer;
        double fraction;
        const char* text;
    };
    const Case cases[] = {{Transfer::BulkRead, 0.25, "25 %"},
                          {Transfer::BankExport, 0.999, "99 %"},
                          {Transfer::IrDownload, 448.0 / 2436, "18 %"},
                          {Transfer::IrDownload, 0.996, "100 %"}};
    for (const Case& c : cases) {
        view.transferProgress(c.transfer, c.fraction);
        EXPECT_DOUBLE_EQ(graphics.controlWithTag(tag::ProgressRing)->getValue(), c.fraction);
        EXPECT_EQ(view.text(tag::ProgressText), c.text);
    }
}

// ---- page tables ----

// A page whose table names a tag twice is not built with one of the two
// controls out of the tag's reach: the build stops and says which tag.
TEST(PageBuilder, ATableThatRepeatsATagStopsTheBuildAndSaysWhich) {
    VirtualEventLoop loop;
    testing::TempDir dir;
    SilentPlatform platform;
    VornixControl editor(loop, storage::DataFolder(dir.path()), platform);
    igraphics::IGraphics graphics(editor, loop);
    graphics.setResourceLookup(resources::find);
    const KnobCell cells[] = {
        {.size = Cell::Large,
         .x = 380,
         .caption = "GAIN",
         .param = param::Low,
         .valueTag = tag::LowGainText,
         .placeholder = "0.00"},
        {.size = Cell::Large,
         .x = 630,
         .caption = "FREQUENCY",
         .param = param::LowFreq,
         .valueTag = tag::LowGainText,
         .placeholder = "0.00"},
    };
    const BlockPage page{.group = group::LowFilter,
                         .frameGroup = group::LowFilter,
                         .title = "LOW FILTER",
                         .cells = cells};
    try {
        attachBlockPage(graphics, page);
        ADD_FAILURE() << "the page was built";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "control tag 36 is attached twice");
    }
    const igraphics::IControl* holder = graphics.controlWithTag(tag::LowGainText);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->bounds().L, 380.f) << "the first cell's text keeps the tag";
}

// ---- the rows the editor fills before their pages exist ----

TEST(PagePresenterRows, KeepsRowTextsAndIgnoresRowsOutsideTheList) {
    VirtualEventLoop loop;
    testing::TempDir dir;
    SilentPlatform platform;
    VornixControl editor(loop, storage::DataFolder(dir.path()), platform);
    igraphics::IGraphics graphics(editor, loop);
    PagePresenter view(graphics);

    view.presetRowChanged(0, " 00 Clean");
    view.presetRowChanged(127, " 127 Last");
    view.presetRowChanged(128, "beyond");
    view.presetRowChanged(-1, "before");
    EXPECT_EQ(view.presetRow(0), " 00 Clean");
    EXPECT_EQ(view.presetRow(127), " 127 Last");
    EXPECT_EQ(view.presetRow(128), "");

    view.userIrRowChanged(31, "My Cab");
    view.userIrRowChanged(32, "beyond");
    EXPECT_EQ(view.userIrRow(31), "My Cab");
    EXPECT_EQ(view.userIrRow(32), "");
}

TEST(PagePresenterRows, RowTextsReachControlsCarryingTheRowTags) {
    VirtualEventLoop loop;
    testing::TempDir dir;
    SilentPlatform platform;
    VornixControl editor(loop, storage::DataFolder(dir.path()), platform);
    igraphics::IGraphics graphics(editor, loop);
    PagePresenter view(graphics);
    auto& row = graphics.attach(std::make_unique<igraphics::ITextControl>(IRECT(0, 0, 10, 10)),
                                tag::presetRow(3));
    auto& cabinet = graphics.attach(std::make_unique<igraphics::ITextControl>(IRECT(0, 0, 10, 10)),
                                    tag::cabinetRow(8));
    editor.link().openWindow(view);
    view.presetRowChanged(3, " 03 Fat");
    view.cabinetNameChanged(8, "Aldric V30");
    view.cabinetNameChanged(9, "beyond");
    EXPECT_EQ(row.text(), " 03 Fat");
    EXPECT_EQ(cabinet.text(), "Aldric V30");
    // Cabinet row 8 is also where position 8 names the user IR it plays.
    view.irPositionNameChanged(8, "My Cab");
    EXPECT_EQ(cabinet.text(), "My Cab");
}

}  // namespace
}  // namespace vornix::ui
