// A preset as text: the names and values the window shows, the sources the
// command line and the script name, and the printed formats.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "core/preset_sources.hpp"
#include "core/preset_text.hpp"
#include "core/step_titles.hpp"
#include "editor_harness.hpp"

namespace vornix::testing {
namespace {

PresetSnapshot presetWith(std::initializer_list<std::pair<int, int>> values,
                          std::string name = "Tone") {
    PresetSnapshot preset;
    preset.values.fill(64);
    preset.values[param::Ir7Mode] = preset.values[param::Ir8Mode] = 0;
    for (const auto& [index, value] : values)
        preset.values[static_cast<std::size_t>(index)] = value;
    preset.name = std::move(name);
    return preset;
}

TEST(PresetText, ValuesReadAsTheWindowShowsThemWithTheirUnits) {
    struct Case {
        int index;
        int value;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {param::Drive, 33, "Drive", "26 %"},
        {param::Ir, 48, "Cabinet", "Dalvin 8x10"},
        {param::Ir, 0, "Cabinet", "Flat Response"},
        {param::ReverbMode, 3, "Ambience Mode", "Spring"},
        {param::Buzz, 70, "Buzz", "70"},
        {param::ChorusOn, 1, "Chorus", "On"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PresetSnapshot preset = presetWith({{c.index, c.value}});
        EXPECT_EQ(parameterTitle(c.index), c.name);
        EXPECT_EQ(parameterText(c.index, preset.values), c.text);
    }
}

TEST(PresetText, ACabinetBetweenTwoNamesBothWithTheirShares) {
    const PresetSnapshot preset = presetWith({{param::Ir, 45}});
    EXPECT_EQ(parameterText(param::Ir, preset.values), "Brannow 20 % + Dalvin 8x10 80 %");
}

TEST(PresetText, EveryPresetParameterIsListedOnceInTheWindowsBlockOrder) {
    const auto rows = parameterRows(presetWith({}));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(NumPresetParams));
    std::set<int> indices;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        indices.insert(rows[i].index);
        EXPECT_FALSE(rows[i].name.empty()) << rows[i].index;
        if (i > 0) {
            EXPECT_LE(rows[i - 1].block, rows[i].block) << rows[i].index;
        }
    }
    EXPECT_EQ(indices.size(), static_cast<std::size_t>(NumPresetParams));
}

// The step names of the edit history share the captions: they read as before.
TEST(PresetText, StepTitlesKeepTheirCaptionsAndBands) {
    std::array<int, NumPresetParams> sound{};
    sound.fill(64);
    EXPECT_EQ(valueStepTitle(param::Drive, 64, 90, sound, "Drive"), "Drive 50 % \u2192 71 %");
    EXPECT_EQ(valueStepTitle(param::Buzz, 1, 2, sound, "Buzz"), "Buzz 1 \u2192 2");
}

TEST(PresetDifferences, NameModelAndUserIrNamesStandApartFromTheRows) {
    PresetSnapshot a = presetWith({{param::Drive, 33}}, "First");
    PresetSnapshot b = presetWith({{param::Drive, 42}, {param::Ir7Mode, 1}}, "Second");
    b.ir7Name = "My Cab";
    const PresetDifferences d = presetDifferences(a, b);
    ASSERT_TRUE(d.names);
    EXPECT_EQ(d.names->second, "Second");
    ASSERT_TRUE(d.ir7Name);
    EXPECT_EQ(d.ir7Name->second, "My Cab");
    EXPECT_FALSE(d.ir8Name);
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(formatDifferences(d, TextFormat::Text).find("  Drive 26 % \u2192 33 %\n") !=
                  std::string::npos,
              true)
        << formatDifferences(d, TextFormat::Text);
    EXPECT_TRUE(presetDifferences(a, a).empty());
}

// The JSON lists every parameter with the record's own byte as its raw value.
TEST(PresetFormats, JsonListsAll74ParametersWithTheRecordsBytes) {
    sysex::PresetRecord record = recordWith(0, "Quote \" Back \\ slash");
    for (int i = 0; i < NumPresetParams; ++i) record[sysex::record::paramByte(i)] = (i * 37) % 128;
    record[sysex::record::Ir7Mode] = record[sysex::record::Ir8Mode] = 0;
    const std::string json = formatPreset(snapshotOfRecord(record), TextFormat::Json);
    EXPECT_NE(json.find(R"("name": "Quote \" Back \\ slash")"), std::string::npos) << json;
    const std::regex entry(
        R"(\{"index": (\d+), "name": "[^"]+", "block": "[^"]+", "raw": (\d+), "text": "[^"]*"\})");
    std::set<int> seen;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), entry);
         it != std::sregex_iterator(); ++it) {
        const int index = std::stoi((*it)[1]);
        seen.insert(index);
        EXPECT_EQ(std::stoi((*it)[2]), record[sysex::record::paramByte(index)]) << index;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(NumPresetParams));
}

TEST(PresetFormats, CsvQuotesFieldsWithCommasAndQuotes) {
    PresetDifferences d;
    d.names = std::pair<std::string, std::string>{"A, B", "Say \"hi\""};
    EXPECT_EQ(formatDifferences(d, TextFormat::Csv),
              "index,block,name,raw_a,raw_b,text_a,text_b\n,,Name,,,\"A, B\",\"Say \"\"hi\"\"\"\n");
}

TEST(PresetSources, WordsNameSlotsTheEditAndFiles) {
    struct Case {
        const char* word;
        std::optional<PresetSource::Kind> kind;
        int slot;
    };
    const Case cases[] = {
        {"0", PresetSource::Kind::Slot, 0},
        {"127", PresetSource::Kind::Slot, 127},
        {"edit", PresetSource::Kind::Edit, 0},
        {"tone.kvp", PresetSource::Kind::PresetFile, 0},
        {"dir/backup.kvb:12", PresetSource::Kind::BankSlot, 12},
        {"128", std::nullopt, 0},
        {"-1", std::nullopt, 0},
        {"backup.kvb", std::nullopt, 0},
        {"backup.kvb:128", std::nullopt, 0},
        {"tone.wav", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const SourceParse parse = parsePresetSource(c.word);
        ASSERT_EQ(parse.source.has_value(), c.kind.has_value()) << parse.error;
        if (!c.kind) {
            EXPECT_FALSE(parse.error.empty());
            continue;
        }
        EXPECT_EQ(parse.source->kind, *c.kind);
        EXPECT_EQ(parse.source->slot, c.slot);
    }
}

TEST(PresetSources, FilesAreReadOrRefusedWithTheirReason) {
    const SourceRead plain = readPresetFileSource(testDataPath("presets/plain.kvp"));
    ASSERT_TRUE(plain.ok()) << plain.error;
    EXPECT_FALSE(plain.preset.name.empty());
    const SourceRead bank = readBankSlotSource(testDataPath("banks/whole_bank.kvb"), 3);
    ASSERT_TRUE(bank.ok()) << bank.error;
    EXPECT_EQ(bank.preset.slot, 3);
    EXPECT_FALSE(readPresetFileSource(testDataPath("presets/short.kvp")).ok());
    EXPECT_FALSE(readBankSlotSource(testDataPath("banks/last_message_cut.kvb"), 0).ok());
    EXPECT_FALSE(readPresetFileSource("/no/such/file.kvp").ok());
}

}  // namespace
}  // namespace vornix::testing
