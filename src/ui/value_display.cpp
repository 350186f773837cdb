#include "ui/value_display.hpp"

#include "device/preset_record.hpp"
#include "device/value_texts.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

namespace {

using namespace display;

std::string analogSimValue(int v) {
    return analogSim(v).value;
}

constexpr ValueText ValueTexts[] = {
    {.param = param::Level, .tag = tag::LevelText, .text = level},
    {.param = param::Gain, .tag = tag::PreampText, .text = atLeastOnePercent},
    {.param = param::Crunch, .tag = tag::PresenceText, .text = percent},
    {.param = param::Drive, .tag = tag::DriveText, .text = atLeastOnePercent},
    {.param = param::Low, .tag = tag::LowGainText, .text = bandGain},
    {.param = param::LowFreq, .tag = tag::LowFreqText, .text = lowFrequency},
    {.param = param::LowQ, .tag = tag::LowQText, .text = lowQuality},
    {.param = param::Reverb, .tag = tag::AmbienceLevelText, .text = reverbLevel},
    {.param = param::RoomSize, .tag = tag::AmbienceTimeText, .text = roomSize},
    {.param = param::DecayTime, .tag = tag::AmbienceDecayText, .text = percent},
    {.param = param::Gate, .tag = tag::GateThresholdText, .text = gateThreshold},
    {.param = param::Dynamics, .tag = tag::CompressorThresholdText, .text = compressorThreshold},
    {.param = param::CompressorRatio, .tag = tag::CompressorRatioText, .text = compressorRatioText},
    {.param = param::CompressorGain, .tag = tag::CompressorGainText, .text = compressorGain},
    {.param = param::CompressorAttack, .tag = tag::CompressorAttackText, .text = attackTime},
    {.param = param::CompressorRelease, .tag = tag::CompressorReleaseText, .text = releaseTime},
    {.param = param::GateRatio, .tag = tag::GateRatioText, .text = gateRatioText},
    {.param = param::GateRelease, .tag = tag::GateReleaseText, .text = releaseTime},
    {.param = param::AnalogSim, .tag = tag::AnalogSimText, .text = analogSimValue},
    {.param = param::Ir7Gain, .tag = tag::Ir7GainText, .text = userIrGain},
    {.param = param::Ir8Gain, .tag = tag::Ir8GainText, .text = userIrGain},
    {.param = param::AutoFilterLevel, .tag = tag::AutoFilterLevelText, .text = autoFilterLevel},
    {.param = param::AutoFilterAttack, .tag = tag::AutoFilterAttackText, .text = percent},
    {.param = param::AutoFilterRelease, .tag = tag::AutoFilterReleaseText, .text = percent},
    {.param = param::ChorusLevel, .tag = tag::ChorusLevelText, .text = chorusLevel},
    {.param = param::ChorusRate, .tag = tag::ChorusRateText, .text = chorusRate},
    {.param = param::ChorusDepth, .tag = tag::ChorusDepthText, .text = percent},
    {.param = param::ChorusDelay, .tag = tag::ChorusDelayText, .text = percent},
    {.param = param::ChorusFeedback, .tag = tag::ChorusFeedbackText, .text = bipolarPercent},
};

// Gain, frequency and quality, in this order in both lists.
constexpr FilterBand FilterBands[] = {
    {.band = Band::Punch,
     .params = {param::Punch, param::PunchFreq, param::PunchQ},
     .tags = {tag::PunchGainText, tag::PunchFreqText, tag::PunchQText},
     .texts = punchBand},
    {.band = Band::Mid,
     .params = {param::Mid, param::MidShift, param::MidQ},
     .tags = {tag::MidGainText, tag::MidFreqText, tag::MidQText},
     .texts = midBand},
    {.band = Band::High,
     .params = {param::High, param::HighFreq, param::HighQ},
     .tags = {tag::HighGainText, tag::HighFreqText, tag::HighQText},
     .texts = highBand},
};

}  // namespace

const FilterBand* filterBandOf(Band band) {
    for (const FilterBand& entry : FilterBands)
        if (entry.band == band) return &entry;
    return nullptr;
}

ControlTag valueTextTagOf(ParamIndex index) {
    if (const ValueText* entry = valueTextOf(index)) return entry->tag;
    for (const FilterBand& band : FilterBands)
        for (std::size_t i = 0; i < band.params.size(); ++i)
            if (band.params[i] == index) return band.tags[i];
    return tag::None;
}

const ValueText* valueTextOf(ParamIndex index) {
    for (const ValueText& entry : ValueTexts)
        if (entry.param == index) return &entry;
    return nullptr;
}

bool keepsReadout(ParamIndex index) {
    return index == param::Ir || index == param::Ir7Mode || index == param::Ir8Mode ||
           index == param::ReverbMode || index == param::AutoFilterOn;
}

}  // namespace vornix::ui
