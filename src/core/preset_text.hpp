#pragma once
// A preset as text, without drawing: each of its 74 parameters with the name
// and the value the window shows for it ("Drive", "26 %"), grouped by block
// in the window's order; the differences between two presets; and the
// formats the command line and the clipboard print (text, markdown, CSV, JSON).
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/preset_record.hpp"

namespace vornix {

// One preset, wherever it came from: the edit, a slot, a preset file, a bank.
struct PresetSnapshot {
    std::string name;  // trimmed
    std::array<int, NumPresetParams> values{};
    std::string ir7Name;  // the names the preset gives its user IRs (trimmed)
    std::string ir8Name;
    std::optional<int> slot;
};

PresetSnapshot snapshotOfRecord(std::span<const std::uint8_t> record);
std::string plainName(std::span<const std::uint8_t> name32);

// Blocks in the order the window's faceplate shows them.
enum class PresetBlock {
    Amplifier,
    Filters,
    Compressor,
    GateAndLevel,
    Ambience,
    ImpulseResponse,
    AnalogSim,
    AutoFilter,
    Chorus,
    Other,
};
std::string_view blockName(PresetBlock block);

struct ParameterRow {
    int index = 0;
    std::string name;
    PresetBlock block = PresetBlock::Other;
    int raw = 0;
    std::string text;  // as the window shows it, with its unit
};

// The 74 parameters of a preset, by block in the window's order.
std::vector<ParameterRow> parameterRows(const PresetSnapshot& preset);
// The name and the text of one parameter; a filter band's texts depend on its
// other two values, so the whole sound is handed in.
std::string parameterTitle(int index);
std::string parameterText(int index, std::span<const int> sound);
// A parameter as a page captions it, with the text and unit the page shows
// ("Drive", "26 %"); nothing for parameters no page captions.
struct CaptionedValue {
    std::string_view title;
    std::string text;
};
std::optional<CaptionedValue> captionedValue(int index, std::span<const int> sound);

// The parameters of B that differ from A's, as rows of both values.
struct DifferenceRow {
    int index = 0;
    std::string name;
    PresetBlock block = PresetBlock::Other;
    int rawA = 0;
    int rawB = 0;
    std::string textA;
    std::string textB;
};
struct PresetDifferences {
    std::optional<std::pair<std::string, std::string>> names;
    // The voicings recognised from each side, when they differ.
    std::optional<std::pair<std::string, std::string>> ampModel;
    std::optional<std::pair<std::string, std::string>> ambienceType;
    std::optional<std::pair<std::string, std::string>> ir7Name;
    std::optional<std::pair<std::string, std::string>> ir8Name;
    std::vector<DifferenceRow> rows;  // by block, in the window's order
    bool empty() const { return !names && !ir7Name && !ir8Name && rows.empty(); }
};
PresetDifferences presetDifferences(const PresetSnapshot& a, const PresetSnapshot& b);

enum class TextFormat { Text, Markdown, Csv, Json };
std::optional<TextFormat> textFormatNamed(std::string_view name);

std::string formatPreset(const PresetSnapshot& preset, TextFormat format);
std::string formatDifferences(const PresetDifferences& differences, TextFormat format);

}  // namespace vornix
