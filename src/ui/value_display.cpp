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
    {param::Level, tag::LevelText, level},
    {param::Gain, tag::PreampText, atLeastOnePercent},
    {param::Crunch, tag::PresenceText, percent},
    {param::Drive, tag::DriveText, atLeastOnePercent},
    {param::Low, tag::LowGainText, bandGain},
    {param::LowFreq, tag::LowFreqText, lowFrequency},
    {param::LowQ, tag::LowQText, lowQuality},
    {param::Reverb, tag::AmbienceLevelText, reverbLevel},
    {param::RoomSize, tag::AmbienceTimeText, roomSize},
    {param::DecayTime, tag::AmbienceDecayText, percent},
    {param::Gate, tag::GateThresholdText, gateThreshold},
    {param::Dynamics, tag::CompressorThresholdText, compressorThreshold},
    {param::CompressorRatio, tag::CompressorRatioText, compressorRatioText},
    {param::CompressorGain, tag::CompressorGainText, compressorGain},
    {param::CompressorAttack, tag::CompressorAttackText, attackTime},
    {param::CompressorRelease, tag::CompressorReleaseText, releaseTime},
    {param::GateRatio, tag::GateRatioText, gateRatioText},
    {param::GateRelease, tag::GateReleaseText, releaseTime},
    {param::AnalogSim, tag::AnalogSimText, analogSimValue},
    {param::Ir7Gain, tag::Ir7GainText, userIrGain},
    {param::Ir8Gain, tag::Ir8GainText, userIrGain},
    {param::AutoFilterLevel, tag::AutoFilterLevelText, autoFilterLevel},
    {param::AutoFilterAttack, tag::AutoFilterAttackText, percent},
    {param::AutoFilterRelease, tag::AutoFilterReleaseText, percent},
    {param::ChorusLevel, tag::ChorusLevelText, chorusLevel},
    {param::ChorusRate, tag::ChorusRateText, chorusRate},
    {param::ChorusDepth, tag::ChorusDepthText, percent},
    {param::ChorusDelay, tag::ChorusDelayText, percent},
    {param::ChorusFeedback, tag::ChorusFeedbackText, bipolarPercent},
};

constexpr FilterBand FilterBands[] = {
    {Band::Punch,
     {param::Punch, param::PunchFreq, param::PunchQ},
     {tag::PunchGainText, tag::PunchFreqText, tag::PunchQText},
     punchBand},
    {Band::Mid,
     {param::Mid, param::MidShift, param::MidQ},
     {tag::MidGainText, tag::MidFreqText, tag::MidQText},
     midBand},
    {Band::High,
     {param::High, param::HighFreq, param::HighQ},
     {tag::HighGainText, tag::HighFreqText, tag::HighQText},
     highBand},
};

}  // namespace

const FilterBand* filterBandOf(Band band) {
    for (const FilterBand& entry : FilterBands)
        if (entry.band == band) return &entry;
    return nullptr;
}

int valueTextTagOf(int index) {
    if (const ValueText* entry = valueTextOf(index)) return entry->tag;
    for (const FilterBand& band : FilterBands)
        for (std::size_t i = 0; i < band.params.size(); ++i)
            if (band.params[i] == index) return band.tags[i];
    return tag::None;
}

const ValueText* valueTextOf(int index) {
    for (const ValueText& entry : ValueTexts)
        if (entry.param == index) return &entry;
    return nullptr;
}

bool keepsReadout(int index) {
    return index == param::Ir || index == param::Ir7Mode || index == param::Ir8Mode ||
           index == param::ReverbMode || index == param::AutoFilterOn;
}

}  // namespace vornix::ui
