#include "ui/preset_list.hpp"

#include <algorithm>
#include <cmath>

#include "device/preset_record.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

namespace preset_list {

int topRowOfScroll(int scroll) {
    return MaxTopRow - std::clamp(scroll, 0, MaxTopRow);
}

double scrollOfTopRow(int topRow) {
    return (MaxTopRow - std::clamp(topRow, 0, MaxTopRow)) / double(MaxTopRow);
}

igraphics::IRECT rowBounds(int row, int topRow) {
    const float y = Top + RowPitch * static_cast<float>(row - topRow);
    return {Left, y, Right, y + RowHeight};
}

int rowUnderPointer(double selectValue, int topRow) {
    const int inWindow = std::clamp(static_cast<int>(std::floor(selectValue)), 0, WindowRows);
    return std::min(inWindow + topRow, NumPresets - 1);
}

int topRowAfterWheel(int topRow, bool awayFromUser, bool fine) {
    const int step = fine ? 1 : WheelStep;
    return std::clamp(awayFromUser ? topRow - step : topRow + step, 0, MaxTopRow);
}

}  // namespace preset_list

using namespace preset_list;

void PresetList::scrollTo(int topRow) {
    topRow_ = std::clamp(topRow, 0, MaxTopRow);
    for (int row = 0; row < NumPresets; ++row) {
        igraphics::IControl* control = graphics_.controlWithTag(tag::presetRow(row));
        if (!control) continue;
        const igraphics::IRECT place = rowBounds(row, topRow_);
        // Hidden before it moves and shown after: the page above the list is
        // not drawn again for a row that passes behind it.
        if (place.T < Top) {
            control->hide(true);
            control->setBounds(place);
        } else {
            control->setBounds(place);
            control->hide(false);
        }
    }
}

void PresetList::highlight(int row) {
    if (highlighted_ >= 0) graphics_.setColorOf(tag::presetRow(highlighted_), RowText);
    highlighted_ = row >= 0 && row < NumPresets ? row : -1;
    if (highlighted_ >= 0) graphics_.setColorOf(tag::presetRow(highlighted_), HighlightedRowText);
}

void PresetList::selectEvent(const igraphics::IInvisibleSelectControl3& select,
                             const std::function<void(int row)>& clicked) {
    using igraphics::ESelectEvent;
    if (select.lastEvent() == ESelectEvent::MouseDown) {
        const int row = rowUnderPointer(select.getValue() * WindowRows, topRow_);
        highlight(row);
        if (clicked) clicked(row);
    } else if (select.lastEvent() == ESelectEvent::Wheel) {
        const bool fine = select.modifier() != igraphics::IInvisibleSelectControl3::kNoModifier;
        const int top = topRowAfterWheel(topRow_, select.direction(), fine);
        // Through the scroll bar, so that it moves too; the rows follow the
        // parameter. At either end the same value is written again.
        if (scrollBar_) scrollBar_->setValueFromUserInput(scrollOfTopRow(top));
    }
}

}  // namespace vornix::ui
