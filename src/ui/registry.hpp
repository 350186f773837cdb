#pragma once
// Every control tag and group name of the window, each under one name. A tag
// names one control for the life of the window; a group is the set of
// controls that are shown, hidden, greyed and enabled together.
#include <array>

namespace vornix::ui {

namespace tag {
inline constexpr int None = -1;
// faceplate
inline constexpr int Readout = 1;
inline constexpr int RightFootswitch = 59;
inline constexpr int LeftFootswitch = 60;
inline constexpr int SaveSwitch = 61;
inline constexpr int CentreFootswitch = 62;
inline constexpr int LayerSwitch = 63;
inline constexpr int LayerLamp = 64;
inline constexpr int LayerBackground = 103;
// block pages: titles and value texts
inline constexpr int CompressorTitle = 6;
inline constexpr int CompressorThresholdText = 8;
inline constexpr int CompressorRatioText = 9;
inline constexpr int CompressorGainText = 10;
inline constexpr int CompressorAttackText = 11;
inline constexpr int CompressorReleaseText = 12;
inline constexpr int GateRatioText = 17;
inline constexpr int GateReleaseText = 19;
inline constexpr int GateThresholdText = 20;
inline constexpr int AnalogSimText = 21;
inline constexpr int AnalogSimCaption = 22;
inline constexpr int PunchGainText = 31;
inline constexpr int PunchQText = 32;
inline constexpr int PunchFreqText = 33;
inline constexpr int PresenceText = 34;
inline constexpr int LowGainText = 36;
inline constexpr int LowQText = 37;
inline constexpr int LowFreqText = 38;
inline constexpr int MidGainText = 39;
inline constexpr int MidQText = 40;
inline constexpr int MidFreqText = 41;
inline constexpr int HighGainText = 42;
inline constexpr int HighQText = 43;
inline constexpr int HighFreqText = 44;
inline constexpr int AmbienceLevelText = 45;
inline constexpr int AmbienceDecayText = 46;
inline constexpr int AmbienceTimeText = 47;
inline constexpr int DriveText = 48;
inline constexpr int PreampText = 49;
inline constexpr int LevelText = 50;
inline constexpr int AutoFilterLevelText = 51;
inline constexpr int AutoFilterAttackText = 52;
inline constexpr int AutoFilterReleaseText = 53;
inline constexpr int ChorusLevelText = 97;
inline constexpr int ChorusRateText = 98;
inline constexpr int ChorusDepthText = 99;
inline constexpr int ChorusDelayText = 100;
inline constexpr int ChorusFeedbackText = 101;
// picture buttons: ambience types 0-6 and amplifier models 0-9
inline constexpr int AmbienceTypeFirst = 79;
inline constexpr int AmpModelFirst = 86;
// impulse-response page
inline constexpr int Ir7ModeSwitch = 23;
inline constexpr int Ir8ModeSwitch = 24;
inline constexpr int Ir7GainKnob = 25;
inline constexpr int Ir8GainKnob = 26;
inline constexpr int Ir7GainText = 27;
inline constexpr int Ir8GainText = 28;
inline constexpr int IrPositionSlider = 65;
inline constexpr int Ir7Import = 66;
inline constexpr int Ir8Import = 67;
// Cabinet list rows 1-8 (row 0, the flat response, has no tag); rows 7 and 8
// show the user IR a preset plays there.
inline constexpr int CabinetRowFirst = 68;
constexpr int cabinetRow(int cabinet) {
    return CabinetRowFirst + cabinet - 1;
}
inline constexpr int EditIrInvitation = 102;
// preset column
inline constexpr int PresetName = 148;
// overlays
inline constexpr int ProgressCaption = 56;
inline constexpr int ProgressRing = 57;
inline constexpr int ProgressText = 58;
inline constexpr int FirmwareText = 149;
inline constexpr int FirmwareRing = 150;
inline constexpr int FirmwareBackground = 155;
// title bar: the connection texts
inline constexpr int StatusDevice = 151;
inline constexpr int StatusVersion = 152;
inline constexpr int StatusSerial = 153;
// Rows with tags of their own, above every tag of the pages.
inline constexpr int PresetRowFirst = 1000;   // preset list rows 0-127
inline constexpr int UserIrRowFirst = 1200;   // user IR name rows 0-31
inline constexpr int FlatResponseRow = 1300;  // cabinet list row 0
// The buttons that close the pages laid over the main page (Escape presses
// the one of the page on top).
inline constexpr int AboutClose = 1400;  // the whole About page
inline constexpr int ProgramMapBack = 1401;
inline constexpr int MidiCcBack = 1402;
inline constexpr int GlobalSettingsClose = 1403;
inline constexpr int FirmwareClose = 1404;
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
