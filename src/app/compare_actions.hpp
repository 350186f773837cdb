#pragma once
// The Preset menu's comparing without GTK: what the Differences window lists
// (the edit against B, or against the stored preset while no B is picked),
// Take from B, Compare With... and the text Copy as Text puts on the
// clipboard. The GTK side windows and the script's commands share them.
#include <optional>
#include <string>
#include <vector>

#include "core/preset_sources.hpp"
#include "core/vornix_control.hpp"

namespace vornix::app {

struct DifferencesView {
    std::string labelA;  // "Edit"
    std::string labelB;  // "Stored", "Slot 12", "File"
    PresetDifferences differences;
    std::string irNote;  // B's user IRs that the pedal holds other IRs for
};

DifferencesView differencesOfEdit(const VornixControl& editor);
// "Take from B" on one row (a parameter index), on a block, or on all.
void takeParameterFromB(VornixControl& editor, int index);
void takeBlockFromB(VornixControl& editor, PresetBlock block);
// The whole list as the script prints it (and as the window's rows read).
std::string differencesText(const DifferencesView& view);
// Compare With...: the source a word names; an error text when refused.
Result compareWithWord(VornixControl& editor, const std::string& word);
// Preset > Copy as Text.
std::string presetAsClipboardText(const VornixControl& editor);

}  // namespace vornix::app
