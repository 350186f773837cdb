// The texts the pages show for raw device values, from tables: the centre
// values, the ends, the "Bypass" cases and the roundings.
#include <gtest/gtest.h>

#include "device/value_texts.hpp"

namespace vornix::display {
namespace {

struct Case {
    const char* name;
    std::string (*text)(int);
    int value;
    const char* expected;
};

TEST(ValueTexts, FormulasAtTheirCentresEndsAndSpecialValues) {
    const Case cases[] = {
        {"level", level, 0, "0%"},
        {"level", level, 127, "100%"},
        {"pre-amp", atLeastOnePercent, 0, "1"},
        {"pre-amp", atLeastOnePercent, 64, "50"},
        {"presence", percent, 127, "100"},
        {"band gain", bandGain, 64, "0.0"},
        {"band gain", bandGain, 0, "-12.0"},
        {"band gain", bandGain, 127, "12.0"},
        {"low frequency", lowFrequency, 64, "120"},
        {"low frequency", lowFrequency, 0, "40"},
        {"low frequency", lowFrequency, 127, "200"},
        {"low quality", lowQuality, 64, "1.0"},
        {"low quality", lowQuality, 0, "0.5"},
        {"low quality", lowQuality, 127, "2.0"},
        {"reverb", reverbLevel, 0, "Bypass"},
        {"reverb", reverbLevel, 1, "1"},
        {"room size", roomSize, 0, "100"},
        {"room size", roomSize, 127, "600"},
        // Halves of a dB, rounded away from zero: -99.449 becomes -99.5.
        {"gate", gateThreshold, 0, "Bypass"},
        {"gate", gateThreshold, 1, "-99.5"},
        {"gate", gateThreshold, 127, "-30.0"},
        {"compressor threshold", compressorThreshold, 0, "Bypass"},
        {"compressor threshold", compressorThreshold, 127, "-60.0dB"},
        {"compressor threshold", compressorThreshold, 64, "-30.0dB"},
        {"compressor ratio", compressorRatioText, 0, "1.0:1"},
        {"compressor ratio", compressorRatioText, 127, "20.0:1"},
        {"gate ratio", gateRatioText, 127, "10.0:1"},
        {"compressor gain", compressorGain, 64, "0.00"},
        {"compressor gain", compressorGain, 0, "-30.00"},
        {"compressor gain", compressorGain, 127, "18.00"},
        {"attack", attackTime, 0, "1.0"},
        {"attack", attackTime, 127, "100.0"},
        {"release", releaseTime, 0, "10.0"},
        {"release", releaseTime, 127, "1000.0"},
        {"user IR gain", userIrGain, 64, "0.00"},
        {"user IR gain", userIrGain, 0, "-12.00"},
        {"user IR gain", userIrGain, 127, "12.00"},
        {"feedback", bipolarPercent, 0, "-100"},
        {"feedback", bipolarPercent, 127, "100"},
        // floor: 63 lands on -0.787..., which floors to -1, not 0.
        {"feedback", bipolarPercent, 63, "-1"},
        {"auto filter level", autoFilterLevel, 64, "Bypass"},
        {"auto filter level", autoFilterLevel, 65, "2"},
        {"chorus level", chorusLevel, 0, "Bypass"},
        {"chorus level", chorusLevel, 127, "100%"},
        {"chorus rate", chorusRate, 127, "6.00"},
        {"chorus rate", chorusRate, 0, "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text(c.value), c.expected) << c.name << " at " << c.value;
}

TEST(ValueTexts, AnalogSimulationNamesTheWayItSmooths) {
    const AnalogSimTexts bypass = analogSim(64);
    EXPECT_EQ(bypass.value, "Bypass");
    EXPECT_EQ(bypass.caption, "SMOOTHING");
    const AnalogSimTexts digital = analogSim(0);
    EXPECT_EQ(digital.value, "100");
    EXPECT_EQ(digital.caption, "DIGITAL SMOOTH");
    const AnalogSimTexts analog = analogSim(127);
    EXPECT_EQ(analog.value, "100");
    EXPECT_EQ(analog.caption, "ANALOG SMOOTH");
}

TEST(ValueTexts, FilterBandsComputeTheirThreeTextsTogether) {
    struct BandCase {
        const char* name;
        BandTexts (*band)(int, int, int);
        int gain, frequency, quality;
        BandTexts expected;
    };
    const BandCase cases[] = {
        {"mid centre", midBand, 64, 64, 64, {"0.0", "500", "1.0"}},
        {"mid lowest", midBand, 0, 0, 0, {"-12.0", "200", "0.5"}},
        // From 1 kHz on in steps of 20 Hz, shown in kHz.
        {"mid highest", midBand, 127, 127, 127, {"12.0", "2.00k", "2.0"}},
        {"mid 1 kHz", midBand, 64, 85, 64, {"0.0", "1.00k", "1.0"}},
        {"high centre", highBand, 64, 64, 64, {"0.0", "4.5k", "0.7"}},
        {"high ends", highBand, 127, 0, 127, {"12.0", "1.0k", "1.4"}},
        // A cut narrows the band three times as fast.
        {"high cut", highBand, 0, 127, 127, {"-12.0", "8.0k", "5.6"}},
        {"punch centre", punchBand, 64, 64, 64, {"0.0", "500", "0.6"}},
        {"punch boost", punchBand, 127, 127, 127, {"24.0", "2000", "2.6"}},
        // Below the centre the quality doubles its swing.
        {"punch cut", punchBand, 0, 0, 127, {"-24.0", "200", "10.3"}},
    };
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BandTexts texts = c.band(c.gain, c.frequency, c.quality);
        EXPECT_EQ(texts.gain, c.expected.gain);
        EXPECT_EQ(texts.frequency, c.expected.frequency);
        EXPECT_EQ(texts.quality, c.expected.quality);
    }
}

}  // namespace
}  // namespace vornix::display
