#include "ui/pages/preset_column.hpp"

#include <cstdio>

#include "controls/controls.hpp"
#include "device/preset_record.hpp"
#include "ui/page_builder.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr float RowTextSize = 27.f;
constexpr IColor RowBackground{255, 38, 38, 38};

// The select covers 19 rows and the first part of a twentieth.
constexpr IRECT ListSelect{1, 228, 261, 1178};
constexpr IRECT ScrollBar{260, 230, 300, 1170};
constexpr float ScrollHandleSize = 12.f;
constexpr double ScrollGearing = 1.0;

constexpr IRECT ImportButton{15, 170, 130, 215};
constexpr IRECT ExportButton{135, 170, 250, 215};

constexpr IRECT NameField{20, 120, 260, 144};
constexpr float NameTextSize = 24.f;
constexpr IColor NameColour{255, 100, 255, 255};
constexpr const char* InitialName = "Tarmilo Vornix Default Preset Name";

IVStyle scrollBarStyle() {
    IVStyle style;
    style.showLabel = false;
    style.showValue = false;
    style.drawShadows = false;
    style.roundness = 0.2f;
    style.colors[kBG] = RowBackground;
    style.colors[kFG] = IColor{255, 90, 90, 90};
    style.colors[kPR] = IColor{255, 144, 144, 144};
    style.colors[kFR] = IColor{255, 60, 60, 60};
    style.colors[kX1] = IColor{255, 116, 116, 116};
    return style;
}

// Until the cache names it, a row shows its number counted from 1.
std::string numberOnly(int row) {
    char text[8];
    std::snprintf(text, sizeof text, " %02d", row + 1);
    return text;
}

}  // namespace

void attachPresetList(IGraphics& g, PresetList& list, const PresetColumnActions& actions) {
    const IText rowStyle(RowTextSize, preset_list::RowText, RegularFont, EAlign::Near,
                         EVAlign::Middle);
    for (int row = 0; row < NumPresets; ++row)
        g.attach(std::make_unique<ITextControl>(preset_list::rowBounds(row, 0), numberOnly(row),
                                                rowStyle, RowBackground),
                 tag::presetRow(row));

    g.attach(std::make_unique<IInvisibleSelectControl3>(ListSelect, param::ListSelect))
        .setAction([&list, clicked = actions.rowClicked](IControl* control) {
            list.selectEvent(static_cast<const IInvisibleSelectControl3&>(*control), clicked);
        });

    auto& bar = g.attach(
        std::make_unique<IVSliderControl>(ScrollBar, param::Scroll, "", scrollBarStyle(), false,
                                          EDirection::Vertical, ScrollGearing, ScrollHandleSize),
        kNoTag, group::Main);
    list.setScrollBar(&bar);
}

void attachPresetFileButtons(IGraphics& g, const PresetColumnActions& actions) {
    attachButton(g, ImportButton, "IMPORT", smallButtonStyle(), group::Main, actions.importPreset);
    attachButton(g, ExportButton, "EXPORT", smallButtonStyle(), group::Main, actions.exportPreset);
}

void attachPresetNameField(IGraphics& g, const PresetColumnActions& actions) {
    auto& field =
        g.attach(std::make_unique<IEditableTextControl>(
                     NameField, InitialName,
                     IText(NameTextSize, NameColour, RegularFont, EAlign::Near, EVAlign::Middle)),
                 tag::PresetName, group::Main);
    if (actions.rename)
        field.setAction([rename = actions.rename](IControl* control) {
            rename(static_cast<const ITextControl&>(*control).text());
        });
}

}  // namespace vornix::ui
