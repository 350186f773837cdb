#include <gtest/gtest.h>

#include "core/parameters.hpp"

namespace vornix {
namespace {

const std::vector<iplug::IParam>& catalogue() {
    static const std::vector<iplug::IParam> params = buildParameterCatalogue();
    return params;
}

TEST(Catalogue, RangesDefaultsAndNames) {
    struct Case {
        int index;
        const char* name;
        double minimum, maximum, defaultValue;
    };
    const Case cases[] = {
        {0, "Level", 0, 127, 64},
        {14, "IR", 0, 127, 0},
        {19, "Reverb Extension Factor", 2, 5, 2},
        {52, "Tuner", 0, 2, 0},
        {57, "Reverb Mode", 0, 4, 0},
        {64, "Preset Level", 0, 127, 32},
        {78, "Compression", 64, 127, 64},
        {79, "Scroll", 0, 109, 109},
        {93, "MIDI CC CHANNEL", 0, 16, 0},
        {96, "TUNER FREQUENCY", 0, 24, 12},
        {101, "", 0, 127, 0},
        {108, "", 0, 127, 7},
        {111, "Controller Program", 1, 128, 1},
        {112, "Kovra Program", 1, 128, 1},
        {117, "PEDAL2 Midi Channel", 0, 15, 0},
        {134, "PEDAL1 Midi Channel", 0, 15, 0},
        {150, "SWITCH1 Special Ctrl Upper", 0, 127, 0},
        {133, "SWITCH2 Special Ctrl Upper", 0, 127, 0},
    };
    ASSERT_EQ(catalogue().size(), 151u);
    for (const Case& c : cases) {
        const iplug::IParam& p = catalogue()[static_cast<std::size_t>(c.index)];
        SCOPED_TRACE(c.index);
        EXPECT_EQ(p.name(), c.name);
        EXPECT_EQ(p.minimum(), c.minimum);
        EXPECT_EQ(p.maximum(), c.maximum);
        EXPECT_EQ(p.defaultValue(), c.defaultValue);
        EXPECT_EQ(p.value(), c.defaultValue);
    }
}

TEST(Catalogue, ValuesAreClampedAndStepped) {
    iplug::IParam extension = catalogue()[19];
    extension.set(1);
    EXPECT_EQ(extension.value(), 2);
    extension.setNormalised((1 - 2) / 3.0);  // a record byte of 1
    EXPECT_EQ(extension.intValue(), 2);
    iplug::IParam compression = catalogue()[78];
    compression.set(10);
    EXPECT_EQ(compression.value(), 64);
    iplug::IParam gain = catalogue()[1];
    gain.setNormalised(0.5);
    EXPECT_EQ(gain.value(), 64);  // 63.5 rounds to a whole number
    // Global page 1 gives 1-based parameters b / maximum: b = 127 must read as 127.
    iplug::IParam program = catalogue()[111];
    program.setNormalised(127 / 128.0);
    EXPECT_EQ(program.intValue(), 127);
}

TEST(Catalogue, ValueTexts) {
    const auto text = [](int index, double value) {
        const std::string* t = catalogue()[static_cast<std::size_t>(index)].displayTextFor(value);
        return t ? *t : std::string("<none>");
    };
    EXPECT_EQ(text(96, 12), "440Hz");
    EXPECT_EQ(text(96, 0), "428Hz");
    EXPECT_EQ(text(96, 24), "452Hz");
    EXPECT_EQ(text(93, 0), "OMNI");
    EXPECT_EQ(text(93, 16), "Channel 16");
    EXPECT_EQ(text(91, 1), "1-128");
    EXPECT_EQ(text(94, 1), "Numerical Value (0-127)");
    EXPECT_EQ(text(98, 2), "bb");
    EXPECT_EQ(text(86, 0), "Custom Bank 1");
    EXPECT_EQ(text(86, 8), "Factory Bank");
    EXPECT_EQ(text(134, 15), "16");
    EXPECT_EQ(text(143, 6), "Pedal");
    EXPECT_EQ(text(1, 10), "<none>");
}

TEST(Catalogue, ReservedSlotsStayUninitialised) {
    for (int index : {74, 75, 76, 77, 83, 84, 85}) {
        EXPECT_TRUE(isReservedParameter(index)) << index;
        EXPECT_FALSE(catalogue()[static_cast<std::size_t>(index)].initialised()) << index;
    }
    for (int index = 0; index < 151; ++index) {
        if (isReservedParameter(index)) continue;
        EXPECT_TRUE(catalogue()[static_cast<std::size_t>(index)].initialised()) << index;
    }
}

std::array<int, NumPresetParams> valuesWithAmp(const std::array<int, VoicingColumns>& row) {
    std::array<int, NumPresetParams> values{};
    for (int c = 0; c < VoicingColumns; ++c)
        values[static_cast<std::size_t>(AmpVoicingParams[static_cast<std::size_t>(c)])] =
            row[static_cast<std::size_t>(c)];
    return values;
}

TEST(Recognition, AmplifierModels) {
    for (int model = 0; model < NumAmpModels; ++model)
        EXPECT_EQ(
            recogniseAmpModel(valuesWithAmp(AmpVoicingTable[static_cast<std::size_t>(model)])),
            model);
    // Gain, Crunch, Drive and Preset Level are not compared.
    auto values = valuesWithAmp(AmpVoicingTable[4]);
    values[param::Gain] = 1;
    values[param::Crunch] = 2;
    values[param::Drive] = 3;
    values[param::PresetLevel] = 4;
    EXPECT_EQ(recogniseAmpModel(values), 4);
    values[param::PunchQ] = 99;
    values[param::Buzz] = 62;
    EXPECT_EQ(recogniseAmpModel(values), 12);
    values[param::Buzz] = 63;
    EXPECT_EQ(recogniseAmpModel(values), 11);
    values[param::Buzz] = 61;
    EXPECT_EQ(recogniseAmpModel(values), 10);
}

TEST(Recognition, AmbienceTypesIgnoreRoomSize) {
    for (int type = 0; type < NumAmbienceTypes; ++type) {
        std::array<int, NumPresetParams> values{};
        for (int c = 0; c < VoicingColumns; ++c)
            values[static_cast<std::size_t>(AmbienceVoicingParams[static_cast<std::size_t>(c)])] =
                AmbienceVoicingTable[static_cast<std::size_t>(type)][static_cast<std::size_t>(c)];
        values[16] = 3;  // room size differs from every row
        EXPECT_EQ(recogniseAmbienceType(values), type);
        values[24] += 1;
        EXPECT_EQ(recogniseAmbienceType(values), 7);
    }
}

}  // namespace
}  // namespace vornix
