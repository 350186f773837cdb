#include "core/preset_text.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/parameters.hpp"
#include "device/sysex.hpp"
#include "device/value_texts.hpp"
#include "device/voicing.hpp"
#include "ir/ir_library.hpp"

namespace vornix {

namespace {

using namespace display;

std::string onOff(int v) {
    return v != 0 ? "On" : "Off";
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

int valueIn(std::span<const int> sound, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < sound.size()
               ? sound[static_cast<std::size_t>(index)]
               : 0;
}

std::string bandText(const BandTexts& texts, std::size_t which) {
    return which == 0 ? texts.gain : which == 1 ? texts.frequency : texts.quality;
}

// Every preset parameter in the window's order, with the name it goes by
// where no page captions it.
struct Listed {
    int index;
    PresetBlock block;
    const char* uncaptionedName;
};

constexpr Listed Listing[] = {
    {1, PresetBlock::Amplifier, nullptr},
    {2, PresetBlock::Amplifier, "Buzz"},
    {44, PresetBlock::Amplifier, "Buzz Quality"},
    {4, PresetBlock::Amplifier, nullptr},
    {46, PresetBlock::Amplifier, "Presence Quality"},
    {5, PresetBlock::Amplifier, nullptr},
    {64, PresetBlock::Amplifier, "Preset Level"},
    {71, PresetBlock::Amplifier, nullptr},
    {36, PresetBlock::Amplifier, "Clean Input Level"},
    {6, PresetBlock::Filters, nullptr},
    {72, PresetBlock::Filters, nullptr},
    {48, PresetBlock::Filters, nullptr},
    {3, PresetBlock::Filters, nullptr},
    {11, PresetBlock::Filters, nullptr},
    {45, PresetBlock::Filters, nullptr},
    {12, PresetBlock::Filters, nullptr},
    {13, PresetBlock::Filters, nullptr},
    {47, PresetBlock::Filters, nullptr},
    {7, PresetBlock::Filters, nullptr},
    {73, PresetBlock::Filters, nullptr},
    {49, PresetBlock::Filters, nullptr},
    {10, PresetBlock::Compressor, nullptr},
    {25, PresetBlock::Compressor, nullptr},
    {26, PresetBlock::Compressor, nullptr},
    {27, PresetBlock::Compressor, nullptr},
    {28, PresetBlock::Compressor, nullptr},
    {50, PresetBlock::Compressor, nullptr},
    {51, PresetBlock::Compressor, nullptr},
    {0, PresetBlock::GateAndLevel, nullptr},
    {9, PresetBlock::GateAndLevel, nullptr},
    {37, PresetBlock::GateAndLevel, nullptr},
    {38, PresetBlock::GateAndLevel, "Gate Attack"},
    {39, PresetBlock::GateAndLevel, nullptr},
    {29, PresetBlock::GateAndLevel, "Expander Ratio"},
    {30, PresetBlock::GateAndLevel, "Expander Output Gain"},
    {31, PresetBlock::GateAndLevel, "Expander Attack"},
    {32, PresetBlock::GateAndLevel, "Expander Release"},
    {8, PresetBlock::Ambience, nullptr},
    {57, PresetBlock::Ambience, "Ambience Mode"},
    {16, PresetBlock::Ambience, nullptr},
    {17, PresetBlock::Ambience, nullptr},
    {18, PresetBlock::Ambience, "Ambience Diffusion"},
    {19, PresetBlock::Ambience, "Ambience Extension"},
    {20, PresetBlock::Ambience, "Ambience Feedback Delay"},
    {21, PresetBlock::Ambience, "Ambience Feedback Filter"},
    {22, PresetBlock::Ambience, "Ambience Damper"},
    {23, PresetBlock::Ambience, "Ambience Low-Pass"},
    {24, PresetBlock::Ambience, "Ambience High-Pass"},
    {58, PresetBlock::Ambience, "Ambience Modulation Depth"},
    {59, PresetBlock::Ambience, "Ambience Modulation Rate"},
    {14, PresetBlock::ImpulseResponse, nullptr},
    {40, PresetBlock::ImpulseResponse, nullptr},
    {53, PresetBlock::ImpulseResponse, "IR 7 Bank"},
    {54, PresetBlock::ImpulseResponse, "IR 7 Number"},
    {42, PresetBlock::ImpulseResponse, nullptr},
    {41, PresetBlock::ImpulseResponse, nullptr},
    {55, PresetBlock::ImpulseResponse, "IR 8 Bank"},
    {56, PresetBlock::ImpulseResponse, "IR 8 Number"},
    {43, PresetBlock::ImpulseResponse, nullptr},
    {15, PresetBlock::AnalogSim, nullptr},
    {33, PresetBlock::AnalogSim, "Soft Clipping"},
    {34, PresetBlock::AnalogSim, "Analog Simulation Gain"},
    {35, PresetBlock::AnalogSim, "Anti-aliasing Filter"},
    {60, PresetBlock::AutoFilter, nullptr},
    {61, PresetBlock::AutoFilter, nullptr},
    {62, PresetBlock::AutoFilter, nullptr},
    {63, PresetBlock::AutoFilter, nullptr},
    {65, PresetBlock::Chorus, nullptr},
    {66, PresetBlock::Chorus, nullptr},
    {67, PresetBlock::Chorus, nullptr},
    {68, PresetBlock::Chorus, nullptr},
    {69, PresetBlock::Chorus, nullptr},
    {70, PresetBlock::Chorus, nullptr},
    {52, PresetBlock::Other, "Tuner"},
};
static_assert(std::size(Listing) == NumPresetParams);

constexpr const char* AmbienceModeNames[] = {"Room", "Hall", "Arena", "Spring", "Plate"};

const Listed& listedOf(int index) {
    static const auto byIndex = [] {
        std::array<const Listed*, NumPresetParams> table{};
        for (const Listed& entry : Listing) table[static_cast<std::size_t>(entry.index)] = &entry;
        return table;
    }();
    return *byIndex[static_cast<std::size_t>(index)];
}

std::string cabinetName(int cabinet, std::span<const int> sound, const std::string& ir7,
                        const std::string& ir8) {
    if (cabinet == 7 && valueIn(sound, param::Ir7Mode) != 0 && !ir7.empty()) return ir7;
    if (cabinet == 8 && valueIn(sound, param::Ir8Mode) != 0 && !ir8.empty()) return ir8;
    return std::string(ir::DefaultCabinetNames[static_cast<std::size_t>(cabinet)]);
}

// The cabinet selector as the IR page names it: one cabinet, or the two it
// fades between with the share of each.
std::string cabinetText(std::span<const int> sound, const std::string& ir7,
                        const std::string& ir8) {
    const ir::CabinetMix mix = ir::cabinetMixAt(valueIn(sound, param::Ir));
    if (mix.lower == mix.upper) return cabinetName(mix.lower, sound, ir7, ir8);
    const int upperShare = static_cast<int>(std::lround((mix.position - mix.lower) * 100.0));
    return cabinetName(mix.lower, sound, ir7, ir8) + " " + std::to_string(100 - upperShare) +
           " % + " + cabinetName(mix.upper, sound, ir7, ir8) + " " + std::to_string(upperShare) +
           " %";
}

std::string valueText(int index, std::span<const int> sound, const PresetSnapshot* preset) {
    if (index == param::Ir)
        return preset ? cabinetText(sound, preset->ir7Name, preset->ir8Name)
                      : cabinetText(sound, {}, {});
    if (index == param::ReverbMode) {
        const int v = valueIn(sound, index);
        if (v >= 0 && v < static_cast<int>(std::size(AmbienceModeNames)))
            return AmbienceModeNames[v];
    }
    if (const auto captioned = captionedValue(index, sound)) return captioned->text;
    return std::to_string(valueIn(sound, index));
}

std::string ampModelName(int model) {
    return model >= 0 && model < NumAmpModels
               ? std::string(AmpModelNames[static_cast<std::size_t>(model)])
               : std::string("(none)");
}

std::string ambienceTypeName(int type) {
    return type >= 0 && type < NumAmbienceTypes
               ? std::string(AmbienceTypeNames[static_cast<std::size_t>(type)])
               : std::string("(none)");
}

template <typename T>
std::optional<std::pair<std::string, std::string>> ifDifferent(const T& a, const T& b) {
    if (a == b) return std::nullopt;
    return std::pair{a, b};
}

}  // namespace

std::optional<CaptionedValue> captionedValue(int index, std::span<const int> sound) {
    const int v = valueIn(sound, index);
    for (const Caption& c : Captions)
        if (c.index == index) return CaptionedValue{c.title, withUnit(c.text(v), c.unit)};
    for (const BandCaption& band : BandCaptions)
        for (std::size_t which = 0; which < band.params.size(); ++which) {
            if (band.params[which] != index) continue;
            const BandTexts texts =
                band.texts(valueIn(sound, band.params[0]), valueIn(sound, band.params[1]),
                           valueIn(sound, band.params[2]));
            return CaptionedValue{band.titles[which],
                                  withUnit(bandText(texts, which), band.units[which])};
        }
    return std::nullopt;
}

std::string_view blockName(PresetBlock block) {
    switch (block) {
        case PresetBlock::Amplifier:
            return "Amplifier";
        case PresetBlock::Filters:
            return "Filters";
        case PresetBlock::Compressor:
            return "Compressor";
        case PresetBlock::GateAndLevel:
            return "Gate and Level";
        case PresetBlock::Ambience:
            return "Ambience";
        case PresetBlock::ImpulseResponse:
            return "Impulse Response";
        case PresetBlock::AnalogSim:
            return "Analog Simulation";
        case PresetBlock::AutoFilter:
            return "Auto Filter";
        case PresetBlock::Chorus:
            return "Chorus";
        case PresetBlock::Other:
            break;
    }
    return "Other";
}

std::string parameterTitle(int index) {
    if (index < 0 || index >= NumPresetParams) return {};
    if (index == param::Ir) return "Cabinet";
    if (const char* name = listedOf(index).uncaptionedName) return name;
    const std::array<int, 1> none{};
    return std::string(captionedValue(index, none)->title);
}

std::string parameterText(int index, std::span<const int> sound) {
    return valueText(index, sound, nullptr);
}

// A name as text: up to its first zero byte, without the spaces that pad it
// (a name of spaces alone is empty).
std::string plainName(std::span<const std::uint8_t> name32) {
    std::string text(name32.begin(), name32.end());
    text = text.substr(0, text.find('\0'));
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

PresetSnapshot snapshotOfRecord(std::span<const std::uint8_t> record) {
    namespace rec = sysex::record;
    PresetSnapshot preset;
    if (record.size() < sysex::RecordSize) return preset;
    preset.name = plainName(record.subspan(rec::Name, sysex::NameBytes));
    for (int i = 0; i < NumPresetParams; ++i)
        preset.values[static_cast<std::size_t>(i)] = record[rec::paramByte(i)];
    // A position that plays a cabinet names no user IR, whatever its bytes hold.
    if (preset.values[param::Ir7Mode] != 0)
        preset.ir7Name = plainName(record.subspan(rec::Ir7Name, sysex::NameBytes));
    if (preset.values[param::Ir8Mode] != 0)
        preset.ir8Name = plainName(record.subspan(rec::Ir8Name, sysex::NameBytes));
    return preset;
}

std::vector<ParameterRow> parameterRows(const PresetSnapshot& preset) {
    std::vector<ParameterRow> rows;
    rows.reserve(std::size(Listing));
    for (const Listed& entry : Listing)
        rows.push_back({.index = entry.index,
                        .name = parameterTitle(entry.index),
                        .block = entry.block,
                        .raw = preset.values[static_cast<std::size_t>(entry.index)],
                        .text = valueText(entry.index, preset.values, &preset)});
    return rows;
}

// A filter band's text moves with its neighbours, and the cabinet's with the
// IR names, but only a parameter whose own byte differs is a difference.
PresetDifferences presetDifferences(const PresetSnapshot& a, const PresetSnapshot& b) {
    PresetDifferences d;
    d.names = ifDifferent(a.name, b.name);
    d.ampModel = ifDifferent(ampModelName(recogniseAmpModel(a.values)),
                             ampModelName(recogniseAmpModel(b.values)));
    d.ambienceType = ifDifferent(ambienceTypeName(recogniseAmbienceType(a.values)),
                                 ambienceTypeName(recogniseAmbienceType(b.values)));
    const auto plays = [](const PresetSnapshot& p, ParamIndex mode) {
        return p.values[static_cast<std::size_t>(static_cast<int>(mode))] != 0;
    };
    if (plays(a, param::Ir7Mode) || plays(b, param::Ir7Mode))
        d.ir7Name = ifDifferent(a.ir7Name, b.ir7Name);
    if (plays(a, param::Ir8Mode) || plays(b, param::Ir8Mode))
        d.ir8Name = ifDifferent(a.ir8Name, b.ir8Name);
    for (const Listed& entry : Listing) {
        const auto at = static_cast<std::size_t>(entry.index);
        if (a.values[at] == b.values[at]) continue;
        d.rows.push_back({.index = entry.index,
                          .name = parameterTitle(entry.index),
                          .block = entry.block,
                          .rawA = a.values[at],
                          .rawB = b.values[at],
                          .textA = valueText(entry.index, a.values, &a),
                          .textB = valueText(entry.index, b.values, &b)});
    }
    return d;
}

std::optional<TextFormat> textFormatNamed(std::string_view name) {
    if (name == "text") return TextFormat::Text;
    if (name == "markdown") return TextFormat::Markdown;
    if (name == "csv") return TextFormat::Csv;
    if (name == "json") return TextFormat::Json;
    return std::nullopt;
}

}  // namespace vornix
