#include "sim/factory_content.hpp"

#include <cmath>
#include <numbers>
#include <vector>

#include "device/voicing.hpp"

namespace vornix::sim {

const std::array<const char*, irnum::CabinetCount> CabinetNames{
    "Tarmilo",     "Brannow",     "Dalvin 8x10", "Eskar 2x15",
    "Fennow 2x15", "Gorlan 4x10", "Hestry 12L",  "Aldric V30"};

namespace {

// ---- preset names ----------------------------------------------------------------
// 16 x 8 distinct pairs; no word appears in both lists, so every name differs.
constexpr std::array<const char*, 16> NameFirst{
    "Warm", "Slap",  "Deep",   "Punchy", "Growl", "Smooth", "Fat",    "Clean",
    "Dark", "Round", "Gritty", "Tight",  "Fuzz",  "Dub",    "Modern", "Silky"};
constexpr std::array<const char*, 8> NameSecond{"Vintage", "Bright", "Thump", "Drive",
                                                "Studio",  "Stage",  "Funk",  "Rock"};

// ---- user IRs the factory presets play ----------------------------------------------
// One preset in eight plays a custom IR in position 7; every other one of those
// also a factory-bank IR in position 8.
constexpr int UserIrEvery = 8;
constexpr int UserIrPhase = 3;
constexpr int SecondIrEvery = 16;
constexpr int SecondIrPhase = 11;
constexpr unsigned FactoryBankFirst = 256;

constexpr std::array<const char*, 16> CustomIrNames{
    "Oakridge 4x10",  "Cellar 1x15",  "Copper 2x10",    "Granite 8x10",
    "Harbor 4x12",    "Juniper 1x12", "Larch 2x15",     "Meridian 6x10",
    "Quarry 4x10 DI", "Ravine 1x18",  "Saltmarsh 2x12", "Tundra 4x8",
    "Umber 8x10 Mic", "Vesper 2x10",  "Willow 1x15",    "Yarrow 4x10"};
constexpr std::array<const char*, 8> FactoryBankNames{
    "Stage Stack A", "Stage Stack B", "Studio Combo A", "Studio Combo B",
    "Club Cab A",    "Club Cab B",    "Arena Wall A",   "Arena Wall B"};

constexpr unsigned SevenBits = 7;
constexpr unsigned SevenBitMask = 0x7F;
std::uint8_t high7(unsigned number) {
    return static_cast<std::uint8_t>((number >> SevenBits) & SevenBitMask);
}
std::uint8_t low7(unsigned number) {
    return static_cast<std::uint8_t>(number & SevenBitMask);
}

bool playsCustomIr(int slot) {
    return slot % UserIrEvery == UserIrPhase;
}
bool playsFactoryBankIr(int slot) {
    return slot % SecondIrEvery == SecondIrPhase;
}
unsigned customIrOf(int slot) {
    return static_cast<unsigned>(slot / UserIrEvery);
}
unsigned factoryBankIrOf(int slot) {
    return FactoryBankFirst + static_cast<unsigned>(slot / SecondIrEvery);
}

std::string irNameOf(unsigned number) {
    if (number >= FactoryBankFirst) return FactoryBankNames[(number - FactoryBankFirst) % 8];
    return CustomIrNames[number % CustomIrNames.size()];
}

void putName(PresetRecord& rec, std::size_t at, const std::string& name) {
    const auto padded = sysex::padName(name);
    std::copy(padded.begin(), padded.end(), rec.begin() + static_cast<std::ptrdiff_t>(at));
}

void set(PresetRecord& rec, int index, int value) {
    parameterByte(rec, index) = clampParameter(index, value);
}

void assignUserIr(PresetRecord& rec, int modeParam, int highParam, int lowParam, std::size_t nameAt,
                  unsigned number) {
    set(rec, modeParam, 1);
    set(rec, highParam, high7(number));
    set(rec, lowParam, low7(number));
    putName(rec, nameAt, irNameOf(number));
}

// ---- impulse response samples ---------------------------------------------------------
// A decaying pair of resonances: enough to look like a speaker cabinet in the
// editor's response graph, different for every seed.
std::vector<std::int16_t> decayingResponse(unsigned seed) {
    constexpr double Rate = 44100.0;
    constexpr double Peak = 0.9 * 32767.0;
    const double decay = 60.0 + 23.0 * (seed % 11);
    const double lowHz = 80.0 + 17.0 * (seed % 7);
    const double highHz = 1500.0 + 290.0 * (seed % 13);
    const double phase = 0.37 * seed;
    std::vector<std::int16_t> samples(irfile::SampleCount);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const double t = static_cast<double>(n);
        const double body = 0.7 * std::cos(2.0 * std::numbers::pi * lowHz * t / Rate);
        const double edge = 0.3 * std::cos(2.0 * std::numbers::pi * highHz * t / Rate + phase);
        samples[n] =
            static_cast<std::int16_t>(std::lround(Peak * std::exp(-t / decay) * (body + edge)));
    }
    return samples;
}

}  // namespace

std::string factoryPresetName(int slot) {
    const auto index = static_cast<std::size_t>(slot);
    return std::string(NameFirst[index % NameFirst.size()]) + " " +
           NameSecond[(index / NameFirst.size()) % NameSecond.size()];
}

PresetRecord factoryPreset(int slot) {
    PresetRecord rec{};
    rec[sysex::record::WrittenByEditor] = 1;
    putName(rec, sysex::record::Name, factoryPresetName(slot));
    for (int i = 0; i < NumPresetParams; ++i) set(rec, i, parameterDefault(i));

    const auto& amp = AmpVoicingTable[static_cast<std::size_t>(slot) % AmpVoicingTable.size()];
    for (std::size_t c = 0; c < AmpVoicingParams.size(); ++c) set(rec, AmpVoicingParams[c], amp[c]);
    const auto& room =
        AmbienceVoicingTable[static_cast<std::size_t>(slot / 10) % AmbienceVoicingTable.size()];
    for (std::size_t c = 0; c < AmbienceVoicingParams.size(); ++c)
        set(rec, AmbienceVoicingParams[c], room[c]);

    set(rec, param::Level, 48 + (slot * 7) % 40);
    set(rec, param::Low, 40 + (slot * 5) % 48);
    set(rec, param::Mid, 40 + (slot * 3) % 48);
    set(rec, param::High, 40 + (slot * 9) % 48);
    set(rec, param::Dynamics, (slot * 17) % 128);
    set(rec, param::CompressorRatio, (slot * 5) % 64);
    set(rec, param::Ir, (slot * 13) % 128);
    set(rec, param::Reverb, 20 + (slot * 11) % 60);
    set(rec, param::ReverbMode, slot % 5);
    if (slot % 4 == 1) {
        set(rec, param::ChorusOn, 1);
        set(rec, param::ChorusLevel, 50);
    }

    for (std::size_t at = sysex::record::Ir7Name; at < rec.size(); ++at) rec[at] = ' ';
    if (playsCustomIr(slot))
        assignUserIr(rec, param::Ir7Mode, param::Ir7SlotHigh, param::Ir7SlotLow,
                     sysex::record::Ir7Name, customIrOf(slot));
    if (playsFactoryBankIr(slot))
        assignUserIr(rec, param::Ir8Mode, param::Ir8SlotHigh, param::Ir8SlotLow,
                     sysex::record::Ir8Name, factoryBankIrOf(slot));
    return rec;
}

void addFactoryIrs(IrLibrary& library) {
    for (int slot = 0; slot < NumPresets; ++slot) {
        for (bool second : {false, true}) {
            if (second ? !playsFactoryBankIr(slot) : !playsCustomIr(slot)) continue;
            const unsigned number = second ? factoryBankIrOf(slot) : customIrOf(slot);
            library.store(number, makeIrSlotFile(irNameOf(number), decayingResponse(number)));
        }
    }
    for (unsigned k = 0; k < irnum::CabinetCount; ++k) {
        const unsigned number = irnum::FirstCabinet + k;
        library.store(number, makeIrSlotFile(CabinetNames[k], decayingResponse(number)));
    }
}

std::array<PageBlock, GlobalPageCount> factoryGlobalPages() {
    std::array<PageBlock, GlobalPageCount> pages{};
    PageBlock& settings = pages[sysex::page::Settings];
    const auto setting = [&settings](int parameter, std::uint8_t value) {
        settings[static_cast<std::size_t>(
            sysex::pageByteOf(sysex::SettingsPageFields, parameter))] = value;
    };
    setting(param::MidiCcMode, 1);
    setting(param::MidiCcChannel, 1);
    setting(param::EditPotDisplayMode, sysex::settingspage::EditPotModeWritten);
    setting(param::TunerFrequency, 12);  // 440 Hz
    setting(param::SoftClipping, 127);
    setting(param::AnalogSimGain, 127);
    setting(param::AntiAliasing, 127);

    PageBlock& assign = pages[sysex::page::MidiAssign];
    for (int i = 0; i < sysex::MidiAssignWrittenCount; ++i)  // controllers 0-7 in order
        assign[sysex::midiAssignField(i).byte] = static_cast<std::uint8_t>(i);
    // jack 2 set up for a double foot switch
    assign[sysex::midiAssignField(param::Jack2Mode - param::FirstMidiAssign).byte] = 1;

    PageBlock& programs = pages[sysex::page::ProgramMap];
    for (std::uint8_t i = 0; i < NumPresets; ++i) programs[i] = i;  // program n selects preset n
    return pages;
}

}  // namespace vornix::sim
