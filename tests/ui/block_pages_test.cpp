// The block pages driven by the pointer at their layout's coordinates, with
// the editor online: a knob sends its parameter and shows its value text, a
// parameter's page comes up when the user touches it but not when the device
// sets it, and the model and type buttons load their voicings and follow the
// sound. Each page is also compared with its reference picture.
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/text_controls.hpp"
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
using testing::recordWith;

constexpr int Model1Buzz = 63;  // the Buzz that marks a preset close to model 1

class LivePage : public ::testing::Test {
  protected:
    LivePage() : window(h.editor, h.loop, resources::find) {
        h.goOnlineWithPreset(0, 64);
        settle();
    }

    igraphics::IGraphics& g() { return window.graphics(); }
    PagePresenter& view() { return window.view(); }
    BlockPanel& panel() { return view().panel(); }
    // The idle tick moves queued values into the controls.
    void settle() { h.loop.advance(IdleTickMs); }

    void click(float x, float y) {
        g().onMouseDown(x, y, IMouseMod{});
        g().onMouseUp(x, y, IMouseMod{});
        settle();
    }
    void dragUp(float x, float y, float pixels) {
        g().onMouseDown(x, y, IMouseMod{});
        for (float moved = 0; moved < pixels; moved += 4)
            g().onMouseDrag(x, y - moved - 4, 0, -4, IMouseMod{});
        g().onMouseUp(x, y - pixels, IMouseMod{});
        settle();
    }
    // As the faceplate's knob would: a user's edit.
    void touch(int param, int value) {
        h.editor.setParameterFromUser(param, value);
        settle();
    }
    bool groupShown(const char* name) {
        bool shown = false;
        g().forGroup(name, [&](igraphics::IControl& c) { shown = shown || !c.isHidden(); });
        return shown;
    }
    double valueOfTag(ControlTag tag) { return g().controlWithTag(tag)->getValue(); }
    std::vector<sysex::Bytes> edits() { return h.sentWith(sysex::cmd::SetParameter); }

    void receivePresetWith(std::initializer_list<std::pair<int, int>> values) {
        sysex::PresetRecord rec = recordWith(64);
        for (auto [param, value] : values)
            rec[sysex::record::paramByte(param)] = static_cast<std::uint8_t>(value);
        h.receivePreset(0, rec);
        settle();
    }
    void receiveAmpVoicing(int model) {
        sysex::PresetRecord rec = recordWith(64);
        for (std::size_t column = 0; column < AmpVoicingParams.size(); ++column)
            rec[sysex::record::paramByte(AmpVoicingParams[column])] =
                static_cast<std::uint8_t>(AmpVoicingTable[static_cast<std::size_t>(model)][column]);
        h.receivePreset(0, rec);
        settle();
    }

    EditorHarness h;
    WindowContent window;
};

// The page a parameter's touch brings up, one knob on it (its centre), and
// the text that knob's value shows.
struct Knob {
    const char* page;
    ParamIndex opener;  // a parameter whose touch brings up the page
    float x, y;
    ParamIndex param;
    ControlTag tag;
    std::string (*text)(int);
};

TEST_F(LivePage, EveryKnobSendsItsParameterAndShowsItsValue) {
    using namespace display;
    const Knob knobs[] = {
        {group::Amplifier, param::Drive, 480, 990, param::Gain, tag::PreampText, atLeastOnePercent},
        {group::Amplifier, param::Drive, 730, 990, param::Drive, tag::DriveText, atLeastOnePercent},
        {group::Amplifier, param::Drive, 980, 990, param::Crunch, tag::PresenceText, percent},
        {group::Ambience, param::Reverb, 480, 990, param::Reverb, tag::AmbienceLevelText,
         reverbLevel},
        {group::Ambience, param::Reverb, 730, 990, param::DecayTime, tag::AmbienceDecayText,
         percent},
        {group::AnalogSim, param::AnalogSim, 730, 920, param::AnalogSim, tag::AnalogSimText,
         [](int v) { return analogSim(v).value; }},
        {group::GateAndLevel, param::Level, 480, 920, param::Gate, tag::GateThresholdText,
         gateThreshold},
        {group::GateAndLevel, param::Level, 730, 920, param::GateRatio, tag::GateRatioText,
         gateRatioText},
        {group::GateAndLevel, param::Level, 980, 920, param::GateRelease, tag::GateReleaseText,
         releaseTime},
        {group::Compressor, param::Dynamics, 455, 810, param::CompressorRatio,
         tag::CompressorRatioText, compressorRatioText},
        {group::Compressor, param::Dynamics, 635, 810, param::CompressorGain,
         tag::CompressorGainText, compressorGain},
        {group::Compressor, param::Dynamics, 815, 810, param::CompressorAttack,
         tag::CompressorAttackText, attackTime},
        {group::Compressor, param::Dynamics, 995, 810, param::CompressorRelease,
         tag::CompressorReleaseText, releaseTime},
        {group::LowFilter, param::Low, 480, 920, param::Low, tag::LowGainText, bandGain},
        {group::LowFilter, param::Low, 730, 920, param::LowFreq, tag::LowFreqText, lowFrequency},
        {group::LowFilter, param::Low, 980, 920, param::LowQ, tag::LowQText, lowQuality},
        {group::MidFilter, param::MidShift, 480, 920, param::Mid, tag::MidGainText, bandGain},
        {group::HighFilter, param::High, 480, 920, param::High, tag::HighGainText, bandGain},
        {group::AutoFilter, param::AutoFilterLevel, 480, 920, param::AutoFilterLevel,
         tag::AutoFilterLevelText, autoFilterLevel},
        {group::AutoFilter, param::AutoFilterLevel, 980, 920, param::AutoFilterRelease,
         tag::AutoFilterReleaseText, percent},
        {group::Chorus, param::ChorusLevel, 455, 810, param::ChorusRate, tag::ChorusRateText,
         chorusRate},
        {group::Chorus, param::ChorusLevel, 995, 810, param::ChorusFeedback,
         tag::ChorusFeedbackText, bipolarPercent},
    };
    for (const Knob& knob : knobs) {
        SCOPED_TRACE(::testing::Message() << knob.page << " parameter " << knob.param);
        touch(knob.opener, h.editor.intValue(knob.opener) == 70 ? 71 : 70);
        ASSERT_TRUE(groupShown(knob.page));
        const int block = panel().currentBlock();
        h.sent.clear();
        dragUp(knob.x, knob.y, 40);
        const int v = h.editor.intValue(knob.param);
        ASSERT_FALSE(edits().empty());
        EXPECT_EQ(edits().back(),
                  sysex::setParameter(static_cast<std::uint8_t>(deviceNumber(knob.param)),
                                      static_cast<std::uint8_t>(v)));
        EXPECT_EQ(view().text(knob.tag), knob.text(v));
        EXPECT_EQ(panel().currentBlock(), block) << "the page stays";
    }
}

TEST_F(LivePage, TheCompressorSwitchesToggleTheirParameters) {
    touch(param::Dynamics, 30);
    const int autoGain = h.editor.intValue(param::AutoGain);
    click(535, 960);
    EXPECT_EQ(h.editor.intValue(param::AutoGain), 1 - autoGain);
    const int lookahead = h.editor.intValue(param::Lookahead);
    click(895, 960);
    EXPECT_EQ(h.editor.intValue(param::Lookahead), 1 - lookahead);
    h.sent.clear();
    click(1050, 960);  // between the knobs and switches: nothing
    EXPECT_TRUE(h.sent.empty());
}

TEST_F(LivePage, ADeviceValueShowsWithoutBeingSentBackOrSwitchingThePage) {
    touch(param::Drive, 20);
    h.sent.clear();
    h.receive(sysex::parameterChanged(param::Dynamics, 127));
    h.receive(sysex::parameterChanged(param::Gate, 1));
    settle();
    EXPECT_EQ(view().text(tag::CompressorThresholdText), "-60.0dB");
    EXPECT_EQ(view().text(tag::GateThresholdText), "-99.5");
    EXPECT_EQ(panel().currentBlock(), block::Amplifier);
    EXPECT_TRUE(h.sent.empty());
}

TEST_F(LivePage, TheLevelKnobBringsTheDynamicsGraphAndDriveTheFrequencyGraph) {
    touch(param::Level, 100);
    EXPECT_TRUE(groupShown(group::GateAndLevel));
    EXPECT_FALSE(groupShown(group::IrDisplay));
    EXPECT_EQ(view().text(tag::LevelText), "79%");
    EXPECT_TRUE(groupShown(group::Main)) << "the dynamics graph";
    touch(param::Drive, 90);
    EXPECT_TRUE(groupShown(group::Amplifier));
    EXPECT_FALSE(groupShown(group::GateAndLevel));
    EXPECT_TRUE(groupShown(group::IrDisplay));
}

TEST_F(LivePage, AClickOnTheGraphPanelBringsTheImpulseResponsePage) {
    touch(param::Dynamics, 40);
    ASSERT_EQ(panel().currentBlock(), block::Compressor);
    EXPECT_FALSE(g().controlWithTag(tag::EditIrInvitation)->isHidden());
    click(1500, 900);
    EXPECT_EQ(panel().currentBlock(), block::ImpulseResponse);
    EXPECT_FALSE(groupShown(group::Compressor));
    EXPECT_FALSE(groupShown(group::CompressorFrame));
    EXPECT_TRUE(groupShown(group::IrDisplay));
    EXPECT_TRUE(g().controlWithTag(tag::EditIrInvitation)->isHidden());
}

TEST_F(LivePage, TheOwnerOfAChangeComesUpOnlyWhenItIsNotOnShow) {
    touch(param::CompressorRatio, 20);
    ASSERT_EQ(panel().currentBlock(), block::Compressor);
    // Hidden behind the user's back (as a reopened window would show): a
    // parameter of the block named current does not bring it again.
    g().hideGroup(group::Compressor);
    touch(param::CompressorRatio, 30);
    EXPECT_FALSE(groupShown(group::Compressor));
    EXPECT_EQ(view().text(tag::CompressorRatioText), display::compressorRatioText(30));
}

TEST_F(LivePage, PickingAModelLoadsItsVoicingAsOneWholePreset) {
    touch(param::Drive, 20);
    h.sent.clear();
    click(860, 745);  // model 3
    EXPECT_EQ(valueOfTag(tag::ampModelButton(3)), 1.0);
    for (int m : {0, 1, 2, 4, 9}) EXPECT_EQ(valueOfTag(tag::ampModelButton(m)), 0.0) << m;
    EXPECT_FALSE(panel().punchMode());
    for (std::size_t column = 0; column < AmpVoicingParams.size(); ++column)
        EXPECT_EQ(h.editor.intValue(AmpVoicingParams[column]), AmpVoicingTable[3][column])
            << "parameter " << AmpVoicingParams[column];
    EXPECT_EQ(h.sentWith(sysex::cmd::EditBuffer).size(), 1u);
    EXPECT_TRUE(edits().empty()) << "no single edits beside the whole preset";
    EXPECT_EQ(view().text(tag::PreampText), display::atLeastOnePercent(20));

    h.sent.clear();
    click(860, 745);  // the lit one
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(valueOfTag(tag::ampModelButton(3)), 1.0) << "still lit after its release";
}

TEST_F(LivePage, APunchModelTurnsTheMidBandIntoThePunchFilter) {
    touch(param::Drive, 20);
    click(580, 745);  // model 1
    EXPECT_TRUE(panel().punchMode());
    EXPECT_EQ(h.editor.intValue(param::Mid), 64) << "the mid band goes flat";
    const std::string midGain = view().text(tag::MidGainText);
    touch(param::Mid, 100);
    EXPECT_EQ(view().text(tag::MidGainText), midGain);
    EXPECT_EQ(panel().currentBlock(), block::Amplifier);
    touch(param::Punch, 100);
    EXPECT_EQ(panel().currentBlock(), block::PunchFilter);
    EXPECT_EQ(view().text(tag::PunchGainText), "14.0");
    touch(param::MidShift, 127);
    EXPECT_EQ(panel().currentBlock(), block::MidFilter);
    EXPECT_EQ(view().text(tag::MidFreqText), "2.00k");
    click(720, 780);  // back on the amplifier page: model 7
    touch(param::Drive, 30);
    click(720, 780);
    EXPECT_FALSE(panel().punchMode());
}

TEST_F(LivePage, TheLitButtonFollowsPresetsFromTheDevice) {
    receiveAmpVoicing(5);
    EXPECT_EQ(panel().litAmpButton(), 5);
    // Close to models 1 and 2 by Buzz alone: their buttons, with the punch filter.
    receivePresetWith({{param::Buzz, Model1Buzz}});
    EXPECT_EQ(panel().litAmpButton(), 1);
    EXPECT_TRUE(panel().punchMode());
    receivePresetWith({{param::Buzz, 62}});
    EXPECT_EQ(panel().litAmpButton(), 2);
    receivePresetWith({{param::Buzz, 30}});
    EXPECT_EQ(panel().litAmpButton(), -1);
    EXPECT_FALSE(panel().punchMode());
    for (int m = 0; m < 10; ++m) EXPECT_EQ(valueOfTag(tag::ampModelButton(m)), 0.0) << m;
}

TEST_F(LivePage, APresetFromTheDeviceSwitchesOnlyTheMidBandPageOnShow) {
    touch(param::MidShift, 80);
    ASSERT_EQ(panel().currentBlock(), block::MidFilter);
    receiveAmpVoicing(2);
    EXPECT_EQ(panel().currentBlock(), block::PunchFilter);
    EXPECT_TRUE(groupShown(group::PunchFilter));
    EXPECT_EQ(view().text(tag::PunchFreqText), "238") << "the punch band is computed with it";
    touch(param::Reverb, 50);
    receiveAmpVoicing(4);
    EXPECT_EQ(panel().currentBlock(), block::Ambience);
}

TEST_F(LivePage, TheEchoTypesShowTheDelayTime) {
    touch(param::Reverb, 50);
    EXPECT_FALSE(groupShown(group::AmbienceTime));
    h.sent.clear();
    click(420, 780);  // echo
    EXPECT_TRUE(groupShown(group::AmbienceTime));
    EXPECT_EQ(h.sentWith(sysex::cmd::EditBuffer).size(), 1u);
    EXPECT_EQ(h.editor.intValue(param::RoomSize), AmbienceVoicingTable[5][0]);
    touch(param::Reverb, 60);
    EXPECT_TRUE(groupShown(group::AmbienceTime)) << "the level keeps the echo's time";
    click(420, 745);  // room
    EXPECT_FALSE(groupShown(group::AmbienceTime));
    EXPECT_EQ(valueOfTag(tag::ambienceTypeButton(0)), 1.0);
}

TEST_F(LivePage, TheReadoutShowsEditsDimmedAndThePresetNumberAfterAWhile) {
    const auto colour = [&] {
        return dynamic_cast<igraphics::ITextControl*>(g().controlWithTag(tag::Readout))
            ->textStyle()
            .color;
    };
    EXPECT_EQ(view().text(tag::Readout), "00");
    EXPECT_EQ(colour().A, 255);
    touch(param::Drive, 90);
    EXPECT_EQ(view().text(tag::Readout), "90");
    EXPECT_EQ(colour().A, 100) << "dimmed while the sound differs from the preset";
    // touch() ran one idle tick; the 61st after the edit brings the number back.
    h.loop.advance((ReadoutTimeoutTicks - 1) * IdleTickMs);
    EXPECT_EQ(view().text(tag::Readout), "90");
    h.loop.advance(IdleTickMs);
    EXPECT_EQ(view().text(tag::Readout), "00");
    touch(param::PatchOffset, 1);
    EXPECT_EQ(view().text(tag::Readout), "01");
}

// Each block page as drawn, against its reference picture.
TEST_F(LivePage, RendersEveryBlockPage) {
    const std::pair<const char*, int> pages[] = {
        {"amplifier", param::Drive},
        {"ambience", param::Reverb},
        {"analog-sim", param::AnalogSim},
        {"gate-and-level", param::Level},
        {"compressor", param::Dynamics},
        {"low-filter", param::Low},
        {"mid-filter", param::MidShift},
        {"high-filter", param::High},
        {"auto-filter", param::AutoFilterLevel},
        {"chorus", param::ChorusLevel},
    };
    receiveAmpVoicing(6);
    for (const auto& [name, opener] : pages) {
        touch(opener, 90);
        EXPECT_TRUE(testing::matchesGoldenPage(g(), std::string("block-") + name));
    }
}

}  // namespace
}  // namespace vornix::ui
