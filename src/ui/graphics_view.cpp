#include "ui/graphics_view.hpp"

#include "controls/text_controls.hpp"
#include "core/ui_names.hpp"

namespace vornix::ui {

namespace {

constexpr igraphics::IColor ReadoutLit = igraphics::COLOR_WHITE;
constexpr igraphics::IColor ReadoutDimmed{255, 110, 110, 110};
constexpr igraphics::IColor RowSelected{255, 255, 160, 0};
constexpr igraphics::IColor RowNormal = igraphics::COLOR_WHITE;

bool inRange(int index, int count) {
    return index >= 0 && index < count;
}

}  // namespace

void GraphicsView::setText(int tag, const std::string& text) {
    graphics_.setTextOf(tag, text);
}

std::string GraphicsView::text(int tag) const {
    const auto* control =
        dynamic_cast<const igraphics::ITextControl*>(graphics_.controlWithTag(tag));
    return control ? control->text() : std::string();
}

void GraphicsView::setValue(int tag, double normalised) {
    graphics_.setValueOf(tag, normalised);
}

void GraphicsView::setVisible(int tag, bool visible) {
    if (igraphics::IControl* control = graphics_.controlWithTag(tag)) control->hide(!visible);
}

void GraphicsView::setReadoutDimmed(bool dimmed) {
    graphics_.setColorOf(tag::Readout, dimmed ? ReadoutDimmed : ReadoutLit);
}

bool GraphicsView::hasGroup(std::string_view name) const {
    bool found = false;
    // forGroup is not const: it hands out mutable controls.
    const_cast<igraphics::IGraphics&>(graphics_).forGroup(
        name, [&](igraphics::IControl&) { found = true; });
    return found;
}

void GraphicsView::setPresetRow(int row, const std::string& text) {
    if (!inRange(row, row_tag::PresetCount)) return;
    presetRows_[static_cast<std::size_t>(row)] = text;
    graphics_.setTextOf(row_tag::PresetFirst + row, text);
}

std::string GraphicsView::presetRow(int row) const {
    return inRange(row, row_tag::PresetCount) ? presetRows_[static_cast<std::size_t>(row)]
                                              : std::string();
}

void GraphicsView::setPresetRowSelected(int row, bool selected) {
    if (!inRange(row, row_tag::PresetCount)) return;
    if (selected)
        selectedPreset_ = row;
    else if (selectedPreset_ == row)
        selectedPreset_ = -1;
    graphics_.setColorOf(row_tag::PresetFirst + row, selected ? RowSelected : RowNormal);
}

void GraphicsView::setUserIrRow(int row, const std::string& text) {
    if (!inRange(row, row_tag::UserIrCount)) return;
    userIrRows_[static_cast<std::size_t>(row)] = text;
    graphics_.setTextOf(row_tag::UserIrFirst + row, text);
}

std::string GraphicsView::userIrRow(int row) const {
    return inRange(row, row_tag::UserIrCount) ? userIrRows_[static_cast<std::size_t>(row)]
                                              : std::string();
}

void GraphicsView::setCabinetLabel(int cabinet, const std::string& name) {
    if (cabinet < 1 || cabinet > CabinetCount) return;
    graphics_.setTextOf(CabinetRowFirstTag + cabinet - 1, name);
}

}  // namespace vornix::ui
