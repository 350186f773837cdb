#include "core/parameters.hpp"

#include <cstdio>
#include <string>

namespace vornix {

namespace {

// A stepped 0..127 (or other range) parameter of the catalogue tables.
struct IntSlot {
    int index;
    const char* name;
    int minimum;
    int maximum;
    int defaultValue;
    const char* label;
};

// Preset parameters (indices 0-73), grouped by block as on the pages.
constexpr IntSlot PresetSlots[] = {
    // amplifier and pre-amp
    {1, "Gain", 0, 127, 64, ""},
    {2, "Buzz", 0, 127, 64, ""},
    {3, "Punch", 0, 127, 64, ""},
    {4, "Crunch", 0, 127, 64, ""},
    {5, "Drive", 0, 127, 64, ""},
    {11, "Punch Freq", 0, 127, 64, ""},
    {44, "Buzz Q", 0, 127, 64, ""},
    {45, "Punch Q", 0, 127, 64, ""},
    {46, "Crunch Q", 0, 127, 64, ""},
    {64, "Preset Level", 0, 127, 32, ""},
    {71, "Blend Level", 0, 127, 127, ""},
    {36, "Clean Input Level", 0, 127, 127, ""},
    // equaliser filters
    {6, "Low", 0, 127, 64, ""},
    {48, "Low Q", 0, 127, 64, ""},
    {72, "Low Freq", 0, 127, 64, ""},
    {12, "Mid", 0, 127, 64, ""},
    {13, "Mid Shift", 0, 127, 64, ""},
    {47, "Mid Q", 0, 127, 64, ""},
    {7, "High", 0, 127, 64, ""},
    {49, "High Q", 0, 127, 64, ""},
    {73, "High Freq", 0, 127, 64, ""},
    // compressor
    {10, "Dynamics", 0, 127, 64, ""},
    {25, "Compressor Ratio", 0, 127, 0, "[1:1...16:1]"},
    {26, "Compressor Output Gain", 0, 127, 64, "[-30dB...18dB]"},
    {27, "Compressor Attack", 0, 127, 64, "[0ms...100ms]"},
    {28, "Compressor Release", 0, 127, 64, "[50ms...5000ms]"},
    {50, "Auto Gain", 0, 1, 1, "On/Off"},
    {51, "Lookahead", 0, 1, 0, "On/Off"},
    // gate, expander and master level
    {0, "Level", 0, 127, 64, ""},
    {9, "Gate", 0, 127, 0, ""},
    {37, "Compressor Ratio", 0, 127, 0, "[1:1...16:1]"},
    {38, "Gate Attack", 0, 127, 0, ""},
    {39, "Gate Release", 0, 127, 64, ""},
    {29, "Expander Ratio", 0, 127, 0, "[1:1...1:16]"},
    {30, "Expander Output Gain", 0, 127, 64, "[-30dB...18dB]"},
    {31, "Expander Attack", 0, 127, 64, "[0.5ms...100ms]"},
    {32, "Expander Release", 0, 127, 64, "[50ms...5000ms]"},
    // analog simulation and cabinet impulse responses
    {14, "IR", 0, 127, 0, ""},
    {15, "AnalogSim", 0, 127, 64, ""},
    {33, "Soft Clipping", 0, 127, 127, ""},
    {34, "AnalogSim Gain", 0, 127, 127, "[0...1x]"},
    {35, "Anti-aliasing Filter", 0, 127, 127, ""},
    {40, "IR Mode", 0, 1, 0, ""},
    {41, "IR Mode", 0, 1, 0, ""},
    {42, "User IR Gain", 0, 127, 64, ""},
    {43, "User IR Gain", 0, 127, 64, ""},
    {53, "User IR7 Preset MSB", 0, 127, 0, ""},
    {54, "User IR7 Preset", 0, 127, 0, ""},
    {55, "User IR8 Preset MSB", 0, 127, 0, ""},
    {56, "User IR8 Preset", 0, 127, 0, ""},
    // ambience
    {8, "Reverb", 0, 127, 0, ""},
    {16, "Reverb Room Size", 0, 127, 64, "[Room...Arena]"},
    {17, "Reverb Decay Time", 0, 127, 64, ""},
    {18, "Reverb Diffusion", 0, 127, 100, ""},
    {19, "Reverb Extension Factor", 2, 5, 2, "[2...5 semitones]"},
    {20, "Reverb Fbk. Delay Size", 0, 127, 64, ""},
    {21, "Reverb Fbk. Filter", 0, 127, 127, "[500...5000Hz]"},
    {22, "Reverb Fbk. Damper Factor", 0, 127, 0, ""},
    {23, "Reverb LP Filter", 0, 127, 127, "[500...5000Hz]"},
    {24, "Reverb HP Filter", 0, 127, 0, "[20...2000Hz]"},
    {57, "Reverb Mode", 0, 4, 0, "[Room, Hall, Arena, Spring, Plate]"},
    {58, "Reverb Modulation Depth", 0, 127, 0, ""},
    {59, "Reverb Modulation Rate", 0, 127, 0, "[0...5Hz]"},
    // auto filter, chorus and tuner
    {60, "AutoFiler Level", 0, 1, 0, ""},
    {61, "AutoFiler Level", 0, 127, 64, ""},
    {62, "AF. Attack", 0, 127, 64, ""},
    {63, "AF. Release", 0, 127, 64, ""},
    {65, "Chorus On", 0, 1, 0, ""},
    {66, "Chorus Level", 0, 127, 0, ""},
    {67, "Chorus Level", 0, 127, 0, ""},
    {68, "Chorus Level", 0, 127, 0, ""},
    {69, "Chorus Level", 0, 127, 0, ""},
    {70, "Chorus Level", 0, 127, 64, ""},
    {52, "Tuner", 0, 2, 0, "Off/Mute/Bypass"},
};

std::string formatted(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void initEditorOnly(std::vector<iplug::IParam>& p) {
    p[78].initInt("Compression", 64, 64, 127);
    p[79].initInt("Scroll", 109, 0, 109);
    p[80].initDouble("", 0, 0, 19);  // preset list row under the pointer
    p[81].initDouble("", 0, 0, 9);   // cabinet IR list row
    p[82].initInt("IR", 0, 0, 127);  // IR position slider, inverted onto parameter 14
    std::vector<std::string> banks;
    banks.reserve(9);
    for (int b = 0; b < 8; ++b) banks.push_back(formatted("Custom Bank %d", b + 1));
    banks.push_back("Factory Bank");
    p[86].initEnum("Custom IR Bank", 0, std::move(banks));
    p[87].initDouble("", 0, 0, 16);
    p[88].initDouble("", 0, 0, 16);
}

void initGlobalSettings(std::vector<iplug::IParam>& p) {
    const std::vector<std::string> disabledEnabled{"Disabled", "Enabled"};
    const std::vector<std::string> offOn{"Off", "On"};
    p[89].initEnum("DEFINE MIDI MAPPING", 0, disabledEnabled);
    p[90].initEnum("MIDI THRU MODE", 0, disabledEnabled);
    p[91].initEnum("PATCH OFFSET", 0, {"0-127", "1-128"});
    p[92].initEnum("MIDI CC MODE", 0, disabledEnabled);
    std::vector<std::string> channels{"OMNI"};
    for (int n = 1; n <= 16; ++n) channels.push_back(formatted("Channel %d", n));
    p[93].initEnum("MIDI CC CHANNEL", 0, std::move(channels));
    p[94].initEnum("EDIT POT DISPLAY MODE", 0, {"Digits", "Numerical Value (0-127)"});
    p[95].initEnum("DISENGAGE ALL POTS", 0, {"All pots engaged", "All pots disengaged"});
    std::vector<std::string> tuning;
    for (int n = 0; n <= 24; ++n) tuning.push_back(formatted("%dHz", 428 + n));
    p[96].initEnum("TUNER FREQUENCY", 12, std::move(tuning));
    p[97].initEnum("PRESET PROTECTION WRITER", 0, offOn);
    p[98].initEnum("TUNER DETUNE", 0, {"Disabled", "b", "bb"});
    p[99].initEnum("CABINET BYPASS", 0, offOn);
    p[100].initEnum("SAFE LEVEL", 0, offOn);
}

void initMidiAssignment(std::vector<iplug::IParam>& p) {
    for (int i = 101; i <= 108; ++i) p[i].initInt("", i - 101, 0, 127);
    p[109].initInt("Controller Program", 0, 0, 127);
    p[110].initInt("Kovra Program", 0, 0, 127);
    p[111].initInt("Controller Program", 1, 1, 128);
    p[112].initInt("Kovra Program", 1, 1, 128);
    p[113].initEnum("JACK2 Mode", 0, {"Pedal", "Switches"});
    p[114].initEnum("JACK2 Mode", 0, {"Tip", "Ring"});
    p[115].initEnum("JACK 1 Mode", 0, {"Pedal", "Switches"});
    p[116].initEnum("JACK 1 Polarity", 0, {"Tip", "Ring"});
}

// One expression pedal and foot switch set; `digit` is '1' or '2'.
void initPedalSet(std::vector<iplug::IParam>& p, int first, char digit) {
    std::vector<std::string> channels;
    for (int n = 1; n <= 16; ++n) channels.push_back(std::to_string(n));
    const std::vector<std::string> functionModes{
        "Control", "Note On/Off", "Start", "Stop", "Program Change", "Special Control", "Pedal"};
    auto named = [digit](std::string name) {
        for (char& c : name)
            if (c == '#') c = digit;
        return name;
    };
    p[first + 0].initEnum(named("PEDAL# Midi Channel"), 0, channels);
    p[first + 1].initEnum(named("PEDAL# Mode"), 0, {"Control", "Aftertouch", "Bend"});
    p[first + 2].initInt(named("PEDAL# Controller"), 0, 0, 127);
    p[first + 3].initInt(named("PEDAL# Out Minimum"), 0, 0, 127);
    p[first + 4].initInt(named("PEDAL# Out Maximum"), 0, 0, 127);
    p[first + 5].initInt(named("PEDAL# Calibration Low End"), 0, 0, 127);
    p[first + 6].initInt(named("PEDAL# Calibration High End"), 0, 0, 127);
    p[first + 7].initEnum(named("SWITCHA# Midi Channel"), 0, channels);
    p[first + 8].initEnum(named("SWITCHA# Operation"), 0, {"Momentary", "Latching"});
    p[first + 9].initEnum(named("SWITCHA# Function Mode"), 0, functionModes);
    p[first + 10].initInt(named("SWITCHA# Controller"), 0, 0, 127);
    p[first + 11].initEnum(named("SWITCHB# Midi Channel"), 0, channels);
    p[first + 12].initEnum(named("SWITCHB# Operation"), 0, {"Momentary", "Latching"});
    p[first + 13].initEnum(named("SWITCHB# Function Mode"), 0, functionModes);
    p[first + 14].initInt(named("SWITCHB# Controller"), 0, 0, 127);
    p[first + 15].initInt(named("SWITCH# Special Ctrl Lower"), 0, 0, 127);
    p[first + 16].initInt(named("SWITCH# Special Ctrl Upper"), 0, 0, 127);
}

bool matchesRow(std::span<const int> values, const VoicingRow& row, const VoicingRow& params,
                std::span<const int> columns) {
    for (int column : columns)
        if (values[static_cast<std::size_t>(params[column])] != row[column]) return false;
    return true;
}

}  // namespace

std::vector<iplug::IParam> buildParameterCatalogue() {
    std::vector<iplug::IParam> p(NumParams);
    for (const IntSlot& slot : PresetSlots)
        p[slot.index].initInt(slot.name, slot.defaultValue, slot.minimum, slot.maximum, slot.label);
    initEditorOnly(p);
    initGlobalSettings(p);
    initMidiAssignment(p);
    initPedalSet(p, 134, '1');
    initPedalSet(p, 117, '2');
    return p;
}

bool isReservedParameter(int index) {
    return index == 74 || index == 75 || index == 76 || index == 77 || index == 83 || index == 84 ||
           index == 85;
}

int recogniseAmpModel(std::span<const int> presetValues) {
    // Gain, Crunch, Drive and Preset Level vary within a model; the filter
    // voicing identifies it.
    constexpr int Compared[] = {1, 2, 4, 5, 6, 7};
    for (int model = 0; model < NumAmpModels; ++model)
        if (matchesRow(presetValues, AmpVoicingTable[model], AmpVoicingParams, Compared))
            return model;
    const int buzz = presetValues[param::Buzz];
    if (buzz == 62) return 12;
    if (buzz == 63) return 11;
    return 10;
}

int recogniseAmbienceType(std::span<const int> presetValues) {
    constexpr int Compared[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int type = 0; type < NumAmbienceTypes; ++type)
        if (matchesRow(presetValues, AmbienceVoicingTable[type], AmbienceVoicingParams, Compared))
            return type;
    return NumAmbienceTypes;
}

}  // namespace vornix
