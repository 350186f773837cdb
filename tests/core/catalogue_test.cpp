#include <gtest/gtest.h>

#include "core/parameters.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"
#include "temp_dir.hpp"

namespace vornix {
namespace {

using testing::testDataPath;

const std::vector<iplug::IParam>& catalogue() {
    static const std::vector<iplug::IParam> params = buildParameterCatalogue();
    return params;
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

// The parameter values of a preset file written by another program.
std::array<int, NumPresetParams> valuesOfPresetFile(const std::string& name) {
    const auto file = storage::readFile(testDataPath("presets/" + name));
    std::array<int, NumPresetParams> values{};
    for (int i = 0; i < NumPresetParams; ++i)
        values[static_cast<std::size_t>(i)] =
            file.at(storage::presetfile::Params + static_cast<std::size_t>(i));
    return values;
}

// Gain, Crunch, Drive and Preset Level vary within a model, Room Size within
// an ambience type: the files have their own values there.
TEST(Recognition, ModelAndAmbienceOfPresetFiles) {
    const auto hall = valuesOfPresetFile("model_8_hall.kvp");
    EXPECT_EQ(recogniseAmpModel(hall), 8);
    EXPECT_EQ(recogniseAmbienceType(hall), 1);
    const auto unmatched = valuesOfPresetFile("unmatched_buzz_63.kvp");
    EXPECT_EQ(recogniseAmpModel(unmatched), 11);
    EXPECT_EQ(recogniseAmbienceType(unmatched), 7);
    auto buzz = unmatched;
    buzz[param::Buzz] = 62;
    EXPECT_EQ(recogniseAmpModel(buzz), 12);
    buzz[param::Buzz] = 61;
    EXPECT_EQ(recogniseAmpModel(buzz), 10);
}

}  // namespace
}  // namespace vornix
