#pragma once
// Every control tag and group name of the window, each under one name. A tag
// names one control for the life of the window; a group is the set of
// controls that are shown, hidden, greyed and enabled together. Tags are
// ControlTags, never ints, so no parameter index or row number passes for one.
#include <array>

#include "controls/control_tag.hpp"

namespace vornix::ui {

using igraphics::ControlTag;

namespace tag {
inline constexpr ControlTag None = igraphics::kNoTag;
// faceplate
inline constexpr ControlTag Readout{1};
inline constexpr ControlTag RightFootswitch{59};
inline constexpr ControlTag LeftFootswitch{60};
inline constexpr ControlTag SaveSwitch{61};
inline constexpr ControlTag CentreFootswitch{62};
inline constexpr ControlTag LayerSwitch{63};
inline constexpr ControlTag LayerLamp{64};
inline constexpr ControlTag LayerBackground{103};
// block pages: titles and value texts
inline constexpr ControlTag CompressorTitle{6};
inline constexpr ControlTag CompressorThresholdText{8};
inline constexpr ControlTag CompressorRatioText{9};
inline constexpr ControlTag CompressorGainText{10};
inline constexpr ControlTag CompressorAttackText{11};
inline constexpr ControlTag CompressorReleaseText{12};
inline constexpr ControlTag GateRatioText{17};
inline constexpr ControlTag GateReleaseText{19};
inline constexpr ControlTag GateThresholdText{20};
inline constexpr ControlTag AnalogSimText{21};
inline constexpr ControlTag AnalogSimCaption{22};
inline constexpr ControlTag PunchGainText{31};
inline constexpr ControlTag PunchQText{32};
inline constexpr ControlTag PunchFreqText{33};
inline constexpr ControlTag PresenceText{34};
inline constexpr ControlTag LowGainText{36};
inline constexpr ControlTag LowQText{37};
inline constexpr ControlTag LowFreqText{38};
inline constexpr ControlTag MidGainText{39};
inline constexpr ControlTag MidQText{40};
inline constexpr ControlTag MidFreqText{41};
inline constexpr ControlTag HighGainText{42};
inline constexpr ControlTag HighQText{43};
inline constexpr ControlTag HighFreqText{44};
inline constexpr ControlTag AmbienceLevelText{45};
inline constexpr ControlTag AmbienceDecayText{46};
inline constexpr ControlTag AmbienceTimeText{47};
inline constexpr ControlTag DriveText{48};
inline constexpr ControlTag PreampText{49};
inline constexpr ControlTag LevelText{50};
inline constexpr ControlTag AutoFilterLevelText{51};
inline constexpr ControlTag AutoFilterAttackText{52};
inline constexpr ControlTag AutoFilterReleaseText{53};
inline constexpr ControlTag ChorusLevelText{97};
inline constexpr ControlTag ChorusRateText{98};
inline constexpr ControlTag ChorusDepthText{99};
inline constexpr ControlTag ChorusDelayText{100};
inline constexpr ControlTag ChorusFeedbackText{101};
// Picture buttons: ambience types 0-6 from 79 and amplifier models 0-9 from
// 86, each button's tag its choice counted from the first.
inline constexpr ControlTag AmbienceTypeFirst{79};
inline constexpr ControlTag AmpModelFirst{86};
// The tag `n` places after `first`, in a run of tags.
constexpr ControlTag nth(ControlTag first, int n) {
    return ControlTag{first.value() + n};
}
// How many places `tag` lies after `first`.
constexpr int placeAfter(ControlTag first, ControlTag tag) {
    return tag.value() - first.value();
}
constexpr ControlTag ambienceTypeButton(int type) {
    return nth(AmbienceTypeFirst, type);
}
constexpr ControlTag ampModelButton(int model) {
    return nth(AmpModelFirst, model);
}
// impulse-response page
inline constexpr ControlTag Ir7ModeSwitch{23};
inline constexpr ControlTag Ir8ModeSwitch{24};
inline constexpr ControlTag Ir7GainKnob{25};
inline constexpr ControlTag Ir8GainKnob{26};
inline constexpr ControlTag Ir7GainText{27};
inline constexpr ControlTag Ir8GainText{28};
inline constexpr ControlTag IrPositionSlider{65};
inline constexpr ControlTag Ir7Import{66};
inline constexpr ControlTag Ir8Import{67};
// Cabinet list rows 1-8 (row 0, the flat response, has no tag); rows 7 and 8
// show the user IR a preset plays there.
inline constexpr ControlTag CabinetRowFirst{68};
constexpr ControlTag cabinetRow(int cabinet) {
    return nth(CabinetRowFirst, cabinet - 1);
}
inline constexpr ControlTag EditIrInvitation{102};
// preset column
inline constexpr ControlTag PresetName{148};
// overlays
inline constexpr ControlTag ProgressCaption{56};
inline constexpr ControlTag ProgressRing{57};
inline constexpr ControlTag ProgressText{58};
inline constexpr ControlTag FirmwareText{149};
inline constexpr ControlTag FirmwareRing{150};
inline constexpr ControlTag FirmwareBackground{155};
// title bar: the connection texts
inline constexpr ControlTag StatusDevice{151};
inline constexpr ControlTag StatusVersion{152};
inline constexpr ControlTag StatusSerial{153};
// title bar: COMPARE, lit and reading "B: STORED" while B plays
inline constexpr ControlTag Compare{160};
// Rows with tags of their own, above every tag of the pages.
inline constexpr ControlTag PresetRowFirst{1000};   // preset list rows 0-127
inline constexpr ControlTag UserIrRowFirst{1200};   // user IR name rows 0-31
inline constexpr ControlTag FlatResponseRow{1300};  // cabinet list row 0
constexpr ControlTag presetRow(int row) {
    return nth(PresetRowFirst, row);
}
constexpr ControlTag userIrRow(int row) {
    return nth(UserIrRowFirst, row);
}
// The buttons that close the pages laid over the main page (Escape presses
// the one of the page on top).
inline constexpr ControlTag AboutClose{1400};  // the whole About page
inline constexpr ControlTag ProgramMapBack{1401};
inline constexpr ControlTag MidiCcBack{1402};
inline constexpr ControlTag GlobalSettingsClose{1403};
inline constexpr ControlTag FirmwareClose{1404};
}  // namespace tag

namespace group {
inline constexpr const char* Background = "background";
inline constexpr const char* Main = "maincontrols";
inline constexpr const char* Faceplate = "bcontrols";
inline constexpr const char* LayerLamp = "filterled";
inline constexpr const char* Device = "devicecontrols";
inline constexpr const char* Progress = "progresscontrols";
inline constexpr const char* Firmware = "firmwarecontrols";
inline constexpr const char* FirmwareBackground = "fwbgcontrols";
inline constexpr const char* FirmwareUpdate = "fwupdatecontrols";
inline constexpr const char* GlobalSettings = "globalsettingscontrols";
inline constexpr const char* About = "aboutcontrols";
inline constexpr const char* IrDisplay = "irdisplay";
// The block pages. The compressor page is two groups shown together: its knobs
// with their value texts, and the rest of the page.
inline constexpr const char* Amplifier = "drivecontrols";
inline constexpr const char* GateAndLevel = "levelcontrols";
inline constexpr const char* CompressorFrame = "dynamicscontrols";
inline constexpr const char* Compressor = "compcontrols";
inline constexpr const char* Ambience = "ambiencecontrols";
// The ambience page's TIME knob, shown only for the echo types.
inline constexpr const char* AmbienceTime = "ambiencecontrols2";
inline constexpr const char* AnalogSim = "analogsimcontrols";
inline constexpr const char* PunchFilter = "punchfiltercontrols";
inline constexpr const char* LowFilter = "lowfiltercontrols";
inline constexpr const char* MidFilter = "midfiltercontrols";
inline constexpr const char* HighFilter = "highfiltercontrols";
inline constexpr const char* AutoFilter = "autofiltercontrols";
inline constexpr const char* Chorus = "choruscontrols";
inline constexpr const char* ImpulseResponse = "ircontrols";
// The faceplate's knob layers, shown two at a time and enabled together with
// it: the knobs of layer A or B, and the mid-band knobs of that layer for the
// punch filter ("pre") or the mid filter ("post").
inline constexpr const char* KnobsA = "bcontrolsa";
inline constexpr const char* KnobsB = "bcontrolsb";
inline constexpr const char* PunchKnobsA = "prebcontrolsa";
inline constexpr const char* MidKnobsA = "postbcontrolsa";
inline constexpr const char* PunchKnobsB = "prebcontrolsb";
inline constexpr const char* MidKnobsB = "postbcontrolsb";
inline constexpr std::array<const char*, 6> KnobLayers{KnobsA,    KnobsB,      PunchKnobsA,
                                                       MidKnobsA, PunchKnobsB, MidKnobsB};
// The MIDI pages: the CC page, and the program map page as its common part
// and the pair of number boxes for each numbering of the presets.
inline constexpr const char* MidiCc = "midicccontrols";
inline constexpr const char* ProgramMap = "midiprogramcontrols";
inline constexpr const char* ProgramMapFrom0 = "midiprogramcontrolsofs0";
inline constexpr const char* ProgramMapFrom1 = "midiprogramcontrolsofs1";
inline constexpr std::array<const char*, 4> MidiPages{MidiCc, ProgramMap, ProgramMapFrom0,
                                                      ProgramMapFrom1};
}  // namespace group

}  // namespace vornix::ui
