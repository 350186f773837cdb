#include "core/step_titles.hpp"

#include <array>
#include <cctype>

#include "device/preset_record.hpp"
#include "device/value_texts.hpp"
#include "device/voicing.hpp"

namespace vornix {

namespace {

using namespace display;

constexpr std::string_view Arrow = " \u2192 ";

std::string onOff(int v) {
    return v != 0 ? "On" : "Off";
}

std::string raw(int v) {
    return std::to_string(v);
}

std::string cabinetPosition(int v) {
    return std::to_string(irPositionReadout(v));
}

std::string analogSimValue(int v) {
    return analogSim(v).value;
}

// A parameter as the pages caption it, with the text and unit they show.
struct Caption {
    int index;
    const char* title;
    std::string (*text)(int value);
    const char* unit;
};

constexpr Caption Captions[] = {
    {param::Level, "Level", level, ""},
    {param::Gain, "Pre-Amp", atLeastOnePercent, "%"},
    {param::Crunch, "Presence", percent, "%"},
    {param::Drive, "Drive", atLeastOnePercent, "%"},
    {param::Low, "Low Gain", bandGain, "dB"},
    {param::LowFreq, "Low Frequency", lowFrequency, "Hz"},
    {param::LowQ, "Low Quality", lowQuality, ""},
    {param::Reverb, "Ambience Level", reverbLevel, "%"},
    {param::RoomSize, "Ambience Time", roomSize, "ms"},
    {param::DecayTime, "Ambience Decay", percent, "%"},
    {param::Gate, "Gate Threshold", gateThreshold, "dB"},
    {param::Dynamics, "Compressor Threshold", compressorThreshold, ""},
    {param::CompressorRatio, "Compressor Ratio", compressorRatioText, ""},
    {param::CompressorGain, "Compressor Output Gain", compressorGain, "dB"},
    {param::CompressorAttack, "Compressor Attack", attackTime, "ms"},
    {param::CompressorRelease, "Compressor Release", releaseTime, "ms"},
    {param::GateRatio, "Gate Ratio", gateRatioText, ""},
    {param::GateRelease, "Gate Release", releaseTime, "ms"},
    {param::AnalogSim, "Smoothing", analogSimValue, "%"},
    {param::Ir, "Cabinet Position", cabinetPosition, ""},
    {param::Ir7Mode, "IR 7 Mode", onOff, ""},
    {param::Ir8Mode, "IR 8 Mode", onOff, ""},
    {param::Ir7Gain, "IR 7 Gain", userIrGain, "dB"},
    {param::Ir8Gain, "IR 8 Gain", userIrGain, "dB"},
    {param::AutoGain, "Auto Gain", onOff, ""},
    {param::Lookahead, "Lookahead", onOff, ""},
    {param::AutoFilterOn, "Auto Filter", onOff, ""},
    {param::AutoFilterLevel, "Auto Filter Level", autoFilterLevel, "%"},
    {param::AutoFilterAttack, "Auto Filter Attack", percent, "%"},
    {param::AutoFilterRelease, "Auto Filter Release", percent, "%"},
    {param::ChorusOn, "Chorus", onOff, ""},
    {param::ChorusLevel, "Chorus Level", chorusLevel, ""},
    {param::ChorusRate, "Chorus Mod. Freq", chorusRate, "Hz"},
    {param::ChorusDepth, "Chorus Mod. Depth", percent, "%"},
    {param::ChorusDelay, "Chorus Delay Size", percent, "%"},
    {param::ChorusFeedback, "Chorus Feedback", bipolarPercent, "%"},
    {param::BlendLevel, "Blend", percent, "%"},
};

// The three bands whose texts are computed from all three of their values.
struct BandCaption {
    std::array<int, 3> params;
    std::array<const char*, 3> titles;
    std::array<const char*, 3> units;
    BandTexts (*texts)(int gain, int frequency, int quality);
};

constexpr BandCaption BandCaptions[] = {
    {{param::Punch, param::PunchFreq, param::PunchQ},
     {"Punch Gain", "Punch Frequency", "Punch Quality"},
     {"dB", "Hz", ""},
     punchBand},
    {{param::Mid, param::MidShift, param::MidQ},
     {"Mid Gain", "Mid Frequency", "Mid Quality"},
     {"dB", "Hz", ""},
     midBand},
    {{param::High, param::HighFreq, param::HighQ},
     {"High Gain", "High Frequency", "High Quality"},
     {"dB", "Hz", ""},
     highBand},
};

// A number takes its unit ("1.2k" with Hz reads "1.2 kHz"); "Bypass" and
// texts that carry their own ("64%", "4.0:1") do not.
std::string withUnit(const std::string& text, std::string_view unit) {
    if (unit.empty() || text.empty()) return text;
    if (text.back() == 'k') return text.substr(0, text.size() - 1) + " k" + std::string(unit);
    if (std::isdigit(static_cast<unsigned char>(text.back())) == 0) return text;
    return text + " " + std::string(unit);
}

std::string fromTo(std::string_view title, const std::string& before, const std::string& after) {
    return std::string(title) + " " + before + std::string(Arrow) + after;
}

int valueIn(std::span<const int> sound, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < sound.size()
               ? sound[static_cast<std::size_t>(index)]
               : 0;
}

std::string bandText(const BandTexts& texts, std::size_t which) {
    return which == 0 ? texts.gain : which == 1 ? texts.frequency : texts.quality;
}

}  // namespace

std::string valueStepTitle(int index, int before, int after, std::span<const int> sound,
                           std::string_view fallbackName) {
    for (const Caption& c : Captions)
        if (c.index == index)
            return fromTo(c.title, withUnit(c.text(before), c.unit),
                          withUnit(c.text(after), c.unit));
    for (const BandCaption& band : BandCaptions)
        for (std::size_t which = 0; which < band.params.size(); ++which) {
            if (band.params[which] != index) continue;
            std::array<int, 3> values{valueIn(sound, band.params[0]),
                                      valueIn(sound, band.params[1]),
                                      valueIn(sound, band.params[2])};
            values[which] = before;
            const std::string from = bandText(band.texts(values[0], values[1], values[2]), which);
            values[which] = after;
            const std::string to = bandText(band.texts(values[0], values[1], values[2]), which);
            return fromTo(band.titles[which], withUnit(from, band.units[which]),
                          withUnit(to, band.units[which]));
        }
    return fromTo(fallbackName, raw(before), raw(after));
}

std::string ampModelStepTitle(int model) {
    if (model < 0 || model >= NumAmpModels) return "Amplifier Model";
    return "Amplifier Model " + std::string(AmpModelNames[static_cast<std::size_t>(model)]);
}

std::string ambienceTypeStepTitle(int type) {
    if (type < 0 || type >= NumAmbienceTypes) return "Ambience Type";
    return "Ambience Type " + std::string(AmbienceTypeNames[static_cast<std::size_t>(type)]);
}

std::string renameStepTitle() {
    return "Rename";
}

std::string valuesStepTitle() {
    return "Edit";
}

}  // namespace vornix
