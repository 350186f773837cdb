// The impulse-response page driven by the pointer at its places, against the
// recording port: the cabinet rows and the microphone slider pick the IR
// position, MODE hands positions 7 and 8 to the preset's user IRs, IMPORT
// turns a WAV into one, and the graphs follow what they show.
#include <gtest/gtest.h>

#include "device/value_texts.hpp"
#include "editor_harness.hpp"
#include "golden_page.hpp"
#include "resources/resources.hpp"
#include "ui/registry.hpp"
#include "ui/window_content.hpp"

namespace vornix::ui {
namespace {

using igraphics::IMouseMod;
using testing::EditorHarness;

constexpr float RowX = 600;
float rowY(int row) {
    return 713 + 50.f * static_cast<float>(row) + 21;
}
constexpr float SliderX = 405, SliderTopY = 732, SliderTrackBottom = 1149;
constexpr float Mode7X = 770, Mode7Y = 1086;
constexpr float ImportX = 1019, Import8Y = 1137;

class IrPage : public ::testing::Test {
  protected:
    IrPage() : window(h.editor, h.loop, resources::find) {
        h.events.impulsesComputed = 0;
        h.goOnlineWithPreset(5, 64);
        tick();
    }

    igraphics::IGraphics& g() { return window.graphics(); }
    void tick(int ticks = 1) { h.loop.advance(ticks * IdleTickMs); }
    void click(float x, float y) {
        g().onMouseDown(x, y, IMouseMod{});
        g().onMouseUp(x, y, IMouseMod{});
    }
    // Hands the window the value changes the editor queued for its controls.
    void settle() { tick(); }
    std::string readout() { return window.view().text(tag::Readout); }
    bool enabled(ControlTag tag) { return !g().controlWithTag(tag)->isDisabled(); }
    std::vector<sysex::Bytes> edits(int index) {
        std::vector<sysex::Bytes> out;
        for (const auto& m : h.sentWith(sysex::cmd::SetParameter))
            if (m[sysex::at::Command + 2] == deviceNumber(index)) out.push_back(m);
        return out;
    }

    EditorHarness h;
    WindowContent window;
};

TEST_F(IrPage, EachRowLandsOnOneCabinetAndTheReadoutCountsInTens) {
    const int values[] = {1, 16, 32, 48, 64, 80, 96, 112, 127};
    for (int row = 0; row < 9; ++row) {
        click(RowX, rowY(row));
        EXPECT_EQ(h.editor.intValue(param::Ir), values[row]) << row;
        char expected[4];
        std::snprintf(expected, sizeof expected, "%02d", row * 10);
        EXPECT_EQ(readout(), expected) << row;
    }
    EXPECT_EQ(edits(param::Ir).size(), 9u);
    EXPECT_EQ(edits(param::Ir).back(), sysex::setParameter(deviceNumber(param::Ir), 127));
}

TEST_F(IrPage, OnlyAPressOnTheListActs) {
    click(RowX, rowY(2));
    h.sent.clear();
    g().onMouseDown(RowX, rowY(4), IMouseMod{});
    g().onMouseDrag(RowX, rowY(6), 0, 100, IMouseMod{true});
    g().onMouseUp(RowX, rowY(6), IMouseMod{});
    g().onMouseWheel(RowX, rowY(7), IMouseMod{}, 1.f);
    EXPECT_EQ(h.editor.intValue(param::Ir), 64) << "the press on row 4 only";
    EXPECT_EQ(h.sent.size(), 1u);
}

// The slider is inverted: at its top the flat response, at its bottom 127.
// A position from the device moves the handle without moving the slider's
// own parameter.
TEST_F(IrPage, TheMicrophoneSliderIsInvertedAndFollowsTheDevice) {
    const int sliderParameter = h.editor.intValue(param::IrSlider);
    h.receive(sysex::parameterChanged(param::Ir, 64));
    settle();
    EXPECT_EQ(h.editor.intValue(param::IrSlider), sliderParameter);
    EXPECT_NEAR(g().controlWithTag(tag::IrPositionSlider)->getValue(), 1 - 64 / 127.0, 1e-6);
    EXPECT_EQ(readout(), "40");

    const float handle = SliderTrackBottom - 15 - 402 * static_cast<float>(1 - 64 / 127.0);
    g().onMouseDown(SliderX, handle, IMouseMod{});
    g().onMouseDrag(SliderX, SliderTopY - 300, 0, SliderTopY - 300 - handle, IMouseMod{true});
    EXPECT_EQ(h.editor.intValue(param::Ir), 0);
    EXPECT_EQ(readout(), "00");
    g().onMouseDrag(SliderX, SliderTrackBottom + 600, 0, 900, IMouseMod{true});
    g().onMouseUp(SliderX, SliderTrackBottom + 600, IMouseMod{});
    EXPECT_EQ(h.editor.intValue(param::Ir), 127);
    EXPECT_EQ(readout(), "80");
}

TEST_F(IrPage, ModeHandsThePositionToItsUserIrAndBack) {
    auto record = testing::recordWith(64);
    const auto name = sysex::padName("Room Mic");
    std::copy(name.begin(), name.end(), record.begin() + sysex::record::Ir7Name);
    h.receivePreset(5, record);
    settle();
    EXPECT_FALSE(enabled(tag::Ir7GainKnob));
    EXPECT_FALSE(enabled(tag::Ir7Import));
    EXPECT_EQ(window.view().text(tag::cabinetRow(7)), h.editor.userIrs().irNames().cabinetName(7));

    click(Mode7X, Mode7Y);
    settle();
    EXPECT_EQ(h.editor.intValue(param::Ir7Mode), 1);
    EXPECT_TRUE(enabled(tag::Ir7GainKnob));
    EXPECT_TRUE(enabled(tag::Ir7Import));
    EXPECT_FALSE(enabled(tag::Ir8Import));
    click(Mode7X, Mode7Y);
    settle();
    EXPECT_EQ(h.editor.intValue(param::Ir7Mode), 0);
    EXPECT_FALSE(enabled(tag::Ir7GainKnob));
    EXPECT_EQ(window.view().text(tag::cabinetRow(7)), h.editor.userIrs().irNames().cabinetName(7));
}

// Below position 7 nothing a MODE switch changes can be heard: the IR shown
// is computed again only from 96 up.
TEST_F(IrPage, ModeRecomputesTheResponseOnlyWhereTheUserIrsPlay) {
    for (const auto& [position, recomputes] : {std::pair{95, false}, std::pair{96, true}}) {
        SCOPED_TRACE(position);
        h.editor.setParameterFromUser(param::Ir, position);
        const int before = h.events.impulsesComputed;
        h.editor.setParameterFromUser(param::Ir8Mode, 1);
        h.editor.setParameterFromUser(param::Ir8Mode, 0);
        EXPECT_EQ(h.events.impulsesComputed - before, recomputes ? 2 : 0);
    }
}

TEST_F(IrPage, ImportOfPosition8StoresThePresetsUserIrAndAssignsItOnTheDevice) {
    h.editor.setParameterFromUser(param::Ir8Mode, 1);
    h.sent.clear();
    h.platform.files.push_back(testing::testDataPath("wav/pcm16_mono_44100.wav").string());
    click(ImportX, Import8Y);
    tick(6);
    EXPECT_TRUE(std::filesystem::exists(h.editor.cache().folder().irFile(133)));
    EXPECT_EQ(window.view().text(tag::cabinetRow(8)), "pcm16_mono_44100");
    EXPECT_EQ(edits(param::Ir8SlotHigh),
              std::vector<sysex::Bytes>{sysex::setParameter(deviceNumber(param::Ir8SlotHigh), 1)});
    EXPECT_TRUE(edits(param::Ir8SlotLow).empty()) << "the low half waits for the device";
    h.receive(sysex::status(sysex::cmd::ParameterAck));
    EXPECT_EQ(edits(param::Ir8SlotLow),
              std::vector<sysex::Bytes>{sysex::setParameter(deviceNumber(param::Ir8SlotLow), 5)});

    h.sent.clear();
    click(ImportX, Import8Y);  // the dialog cancelled
    tick(6);
    EXPECT_EQ(h.platform.requests.size(), 2u);
    EXPECT_TRUE(edits(param::Ir8SlotHigh).empty());
    h.receive(sysex::status(sysex::cmd::ParameterAck));
    EXPECT_TRUE(edits(param::Ir8SlotLow).empty());
}

// The dynamics graph follows the thresholds and ratios as they turn; the
// compressor's ratio only while its page shows it.
TEST_F(IrPage, TheDynamicsGraphFollowsTheThresholdsAndRatios) {
    const igraphics::IDynamicsResponseGraph& graph = *window.view().dynamicsGraph();
    h.editor.setParameterFromUser(param::CompressorRatio, 127);
    EXPECT_EQ(graph.compRatio(), 1.0) << "the compressor page is not on show";
    h.editor.setParameterFromUser(param::Dynamics, 90);
    EXPECT_FALSE(graph.isHidden());
    h.editor.setParameterFromUser(param::CompressorRatio, 127);
    EXPECT_EQ(graph.compRatio(), 20.0);
    h.editor.setParameterFromUser(param::GateRatio, 127);
    EXPECT_EQ(graph.gateSlope(), 0.1);
    // A gate threshold above the compressor's drags the compressor's knee along.
    h.editor.setParameterFromUser(param::Dynamics, 127);  // -60 dB
    h.editor.setParameterFromUser(param::Gate, 127);      // -30 dB
    EXPECT_EQ(graph.knees().gate, igraphics::dynamics::levelToKnee(-30));
    EXPECT_EQ(graph.knees().compressor, igraphics::dynamics::levelToKnee(-30));
    h.editor.setParameterFromUser(param::Dynamics, 60);
    EXPECT_TRUE(testing::matchesGoldenPage(g(), "compressor-curve"));
}

TEST_F(IrPage, RendersThePageWithAUserIr) {
    h.editor.setParameterFromUser(param::Ir8Mode, 1);
    h.platform.files.push_back(testing::testDataPath("wav/pcm16_mono_44100.wav").string());
    click(ImportX, Import8Y);
    tick(6);
    click(RowX, rowY(8));
    settle();
    g().onMouseOver(1500, 900, IMouseMod{});
    EXPECT_TRUE(window.view().frequencyGraph()->pointerInside());
    EXPECT_TRUE(testing::matchesGoldenPage(g(), "impulse-response"));
}

}  // namespace
}  // namespace vornix::ui
