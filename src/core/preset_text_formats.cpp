// The printed forms of a preset and of two presets' differences: plain text
// (the clipboard and the terminal), markdown, CSV and JSON. Each is stable:
// the same presets always print the same bytes.
#include <cstdio>
#include <sstream>

#include "core/preset_text.hpp"

namespace vornix {

namespace {

constexpr std::string_view Arrow = " \u2192 ";

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// A pipe inside a cell would end it.
std::string markdownCell(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '|') out += '\\';
        out += c;
    }
    return out;
}

// ---- one preset ----------------------------------------------------------------------

std::string presetAsText(const PresetSnapshot& preset) {
    std::ostringstream out;
    out << "Name: " << preset.name << '\n';
    if (preset.slot) out << "Slot: " << *preset.slot << '\n';
    if (!preset.ir7Name.empty()) out << "IR 7: " << preset.ir7Name << '\n';
    if (!preset.ir8Name.empty()) out << "IR 8: " << preset.ir8Name << '\n';
    PresetBlock block = PresetBlock::Other;
    bool first = true;
    for (const ParameterRow& row : parameterRows(preset)) {
        if (first || row.block != block) out << '\n' << blockName(row.block) << '\n';
        first = false;
        block = row.block;
        out << "  " << row.name << ": " << row.text << '\n';
    }
    return out.str();
}

std::string presetAsMarkdown(const PresetSnapshot& preset) {
    std::ostringstream out;
    out << "# " << markdownCell(preset.name) << "\n\n";
    if (preset.slot) out << "Slot: " << *preset.slot << "  \n";
    if (!preset.ir7Name.empty()) out << "IR 7: " << markdownCell(preset.ir7Name) << "  \n";
    if (!preset.ir8Name.empty()) out << "IR 8: " << markdownCell(preset.ir8Name) << "  \n";
    PresetBlock block = PresetBlock::Other;
    bool first = true;
    for (const ParameterRow& row : parameterRows(preset)) {
        if (first || row.block != block)
            out << "\n## " << blockName(row.block)
                << "\n\n| Parameter | Value | Raw |\n|---|---|---|\n";
        first = false;
        block = row.block;
        out << "| " << markdownCell(row.name) << " | " << markdownCell(row.text) << " | " << row.raw
            << " |\n";
    }
    return out.str();
}

std::string presetAsCsv(const PresetSnapshot& preset) {
    std::ostringstream out;
    out << "index,block,name,raw,text\n";
    for (const ParameterRow& row : parameterRows(preset))
        out << row.index << ',' << csvField(blockName(row.block)) << ',' << csvField(row.name)
            << ',' << row.raw << ',' << csvField(row.text) << '\n';
    return out.str();
}

std::string presetAsJson(const PresetSnapshot& preset) {
    std::ostringstream out;
    out << "{\n  \"name\": " << jsonString(preset.name) << ",\n";
    if (preset.slot) out << "  \"slot\": " << *preset.slot << ",\n";
    out << "  \"ir7\": " << jsonString(preset.ir7Name)
        << ",\n  \"ir8\": " << jsonString(preset.ir8Name) << ",\n  \"parameters\": [\n";
    const auto rows = parameterRows(preset);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ParameterRow& row = rows[i];
        out << "    {\"index\": " << row.index << ", \"name\": " << jsonString(row.name)
            << ", \"block\": " << jsonString(blockName(row.block)) << ", \"raw\": " << row.raw
            << ", \"text\": " << jsonString(row.text) << '}' << (i + 1 < rows.size() ? "," : "")
            << '\n';
    }
    out << "  ]\n}\n";
    return out.str();
}

// ---- differences ---------------------------------------------------------------------

using NamedPair = std::optional<std::pair<std::string, std::string>>;

struct Headline {
    const char* title;
    const NamedPair& values;
};

std::vector<Headline> headlines(const PresetDifferences& d) {
    return {{"Name", d.names},
            {"Amplifier Model", d.ampModel},
            {"Ambience Type", d.ambienceType},
            {"IR 7 Name", d.ir7Name},
            {"IR 8 Name", d.ir8Name}};
}

std::string differencesAsText(const PresetDifferences& d, bool markdown) {
    std::ostringstream out;
    if (d.empty()) return "The presets are the same.\n";
    for (const Headline& h : headlines(d))
        if (h.values)
            out << (markdown ? "- " : "") << h.title << ' '
                << (markdown ? markdownCell(h.values->first) : h.values->first) << Arrow
                << (markdown ? markdownCell(h.values->second) : h.values->second) << '\n';
    PresetBlock block = PresetBlock::Other;
    bool first = true;
    for (const DifferenceRow& row : d.rows) {
        if (first || row.block != block)
            out << '\n'
                << (markdown ? "## " : "") << blockName(row.block) << (markdown ? "\n\n" : "\n");
        first = false;
        block = row.block;
        out << (markdown ? "- " : "  ") << row.name << ' ' << row.textA << Arrow << row.textB
            << '\n';
    }
    return out.str();
}

std::string differencesAsCsv(const PresetDifferences& d) {
    std::ostringstream out;
    out << "index,block,name,raw_a,raw_b,text_a,text_b\n";
    for (const Headline& h : headlines(d))
        if (h.values)
            out << ",," << csvField(h.title) << ",,," << csvField(h.values->first) << ','
                << csvField(h.values->second) << '\n';
    for (const DifferenceRow& row : d.rows)
        out << row.index << ',' << csvField(blockName(row.block)) << ',' << csvField(row.name)
            << ',' << row.rawA << ',' << row.rawB << ',' << csvField(row.textA) << ','
            << csvField(row.textB) << '\n';
    return out.str();
}

std::string differencesAsJson(const PresetDifferences& d) {
    std::ostringstream out;
    out << "{\n  \"equal\": " << (d.empty() ? "true" : "false") << ",\n";
    const auto pair = [&](const char* key, const NamedPair& values) {
        if (values)
            out << "  " << jsonString(key) << ": {\"a\": " << jsonString(values->first)
                << ", \"b\": " << jsonString(values->second) << "},\n";
    };
    pair("name", d.names);
    pair("amplifier_model", d.ampModel);
    pair("ambience_type", d.ambienceType);
    pair("ir7", d.ir7Name);
    pair("ir8", d.ir8Name);
    out << "  \"parameters\": [\n";
    for (std::size_t i = 0; i < d.rows.size(); ++i) {
        const DifferenceRow& row = d.rows[i];
        out << "    {\"index\": " << row.index << ", \"name\": " << jsonString(row.name)
            << ", \"block\": " << jsonString(blockName(row.block)) << ", \"raw_a\": " << row.rawA
            << ", \"raw_b\": " << row.rawB << ", \"text_a\": " << jsonString(row.textA)
            << ", \"text_b\": " << jsonString(row.textB) << '}'
            << (i + 1 < d.rows.size() ? "," : "") << '\n';
    }
    out << "  ]\n}\n";
    return out.str();
}

}  // namespace

std::string formatPreset(const PresetSnapshot& preset, TextFormat format) {
    switch (format) {
        case TextFormat::Markdown:
            return presetAsMarkdown(preset);
        case TextFormat::Csv:
            return presetAsCsv(preset);
        case TextFormat::Json:
            return presetAsJson(preset);
        case TextFormat::Text:
            break;
    }
    return presetAsText(preset);
}

std::string formatDifferences(const PresetDifferences& differences, TextFormat format) {
    switch (format) {
        case TextFormat::Markdown:
            return differencesAsText(differences, true);
        case TextFormat::Csv:
            return differencesAsCsv(differences);
        case TextFormat::Json:
            return differencesAsJson(differences);
        case TextFormat::Text:
            break;
    }
    return differencesAsText(differences, false);
}

}  // namespace vornix
