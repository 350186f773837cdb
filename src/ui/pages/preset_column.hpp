#pragma once
// The left column of the main page: the preset list with its select and
// scroll bar, the IMPORT and EXPORT buttons for preset files, and the name
// field of the current preset.
#include <functional>
#include <string>

#include "controls/igraphics.hpp"
#include "ui/preset_list.hpp"

namespace vornix::ui {

// What the column's gestures ask of the editor.
struct PresetColumnActions {
    // A press on a row of the list (the highlight has moved already).
    std::function<void(int row)> rowClicked;
    std::function<void()> importPreset;
    std::function<void()> exportPreset;
    // A name typed into the name field and committed.
    std::function<void(const std::string& name)> rename;
};

// The 128 rows, the select over them and the scroll bar, which `list` drives.
void attachPresetList(igraphics::IGraphics& g, PresetList& list,
                      const PresetColumnActions& actions);
void attachPresetFileButtons(igraphics::IGraphics& g, const PresetColumnActions& actions);
void attachPresetNameField(igraphics::IGraphics& g, const PresetColumnActions& actions);

}  // namespace vornix::ui
