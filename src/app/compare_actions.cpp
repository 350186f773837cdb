#include "app/compare_actions.hpp"

#include <cctype>
#include <functional>

#include "storage/preset_slot_files.hpp"

namespace vornix::app {

namespace {

// The stored preset of the current number with the values as the editor
// took them in (a switch derived from its level included, as in the edit);
// its names from the cache.
PresetSnapshot storedPreset(const VornixControl& editor) {
    const SourceRead read = readCachedSlot(editor.cache().folder(), editor.sound().currentPreset);
    PresetSnapshot stored = read.ok() ? read.preset : snapshotOfEdit(editor);
    std::copy(editor.sound().StoredValues.begin(), editor.sound().StoredValues.end(),
              stored.values.begin());
    stored.slot = editor.sound().currentPreset;
    return stored;
}

std::string titleCase(const std::string& label) {
    std::string text = label;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i - 1] != ' ') text[i] = static_cast<char>(std::tolower(text[i]));
    return text;
}

std::optional<PresetSnapshot> presetB(const VornixControl& editor) {
    if (const auto& other = editor.comparison().other()) return other->preset;
    return std::nullopt;
}

void takeRows(VornixControl& editor, const std::function<bool(const DifferenceRow&)>& wanted) {
    const DifferencesView view = differencesOfEdit(editor);
    std::vector<ParamValue> values;
    for (const DifferenceRow& row : view.differences.rows)
        if (wanted(row)) values.push_back({row.index, row.rawB});
    editor.takeFromB(values);
}

}  // namespace

DifferencesView differencesOfEdit(const VornixControl& editor) {
    DifferencesView view;
    view.labelA = "Edit";
    const auto b = presetB(editor);
    view.labelB = b ? titleCase(editor.comparison().other()->label) : "Stored";
    if (b) view.irNote = editor.comparison().other()->irNote;
    const bool stored = !b || editor.comparison().other()->label == "STORED";
    view.differences =
        presetDifferences(snapshotOfEdit(editor), stored ? storedPreset(editor) : *b);
    return view;
}

void takeParameterFromB(VornixControl& editor, int index) {
    takeRows(editor, [index](const DifferenceRow& row) { return row.index == index; });
}

void takeBlockFromB(VornixControl& editor, PresetBlock block) {
    takeRows(editor, [block](const DifferenceRow& row) { return row.block == block; });
}

std::string differencesText(const DifferencesView& view) {
    std::string text = "A: " + view.labelA + "  B: " + view.labelB + "\n";
    if (!view.irNote.empty()) text += view.irNote + "\n";
    return text + formatDifferences(view.differences, TextFormat::Text);
}

Result compareWithWord(VornixControl& editor, const std::string& word) {
    const SourceParse parse = parsePresetSource(word);
    if (!parse.source) return Result::failed(parse.error);
    return editor.compareWith(*parse.source);
}

std::string presetAsClipboardText(const VornixControl& editor) {
    return formatPreset(snapshotOfEdit(editor), TextFormat::Text);
}

}  // namespace vornix::app
