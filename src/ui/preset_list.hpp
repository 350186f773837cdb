#pragma once
// The preset list in the left column: 128 text rows that the window moves up
// and down itself under one invisible select. The scroll parameter says which
// row is at the top; a click picks the row under the pointer and the wheel
// moves the top row, 3 rows a notch or 1 with Shift or Ctrl.
#include <functional>

#include "controls/igraphics.hpp"
#include "controls/select_control.hpp"

namespace vornix::ui {

namespace preset_list {

inline constexpr float Top = 228.f;
inline constexpr float Left = 1.f;
inline constexpr float Right = 261.f;
inline constexpr float RowHeight = 48.f;
inline constexpr float RowPitch = 50.f;
// The last row that can be at the top: 19 whole rows fit below it.
inline constexpr int MaxTopRow = 109;
// Rows of the window the select covers (its parameter runs 0-19).
inline constexpr int WindowRows = 19;
inline constexpr int WheelStep = 3;
inline constexpr igraphics::IColor RowText{150, 100, 255, 255};
inline constexpr igraphics::IColor HighlightedRowText{255, 100, 255, 255};

// The scroll bar's value s puts row 109 - s at the top.
int topRowOfScroll(int scroll);
// The scroll bar's normalised value that puts `topRow` at the top.
double scrollOfTopRow(int topRow);
// Where row `row` is drawn with `topRow` at the top; above Top it is hidden.
igraphics::IRECT rowBounds(int row, int topRow);
// The row under the select's value (0-19, the pointer's place in the window).
int rowUnderPointer(double selectValue, int topRow);
// The top row after one wheel notch; `awayFromUser` scrolls towards row 0.
int topRowAfterWheel(int topRow, bool awayFromUser, bool fine);

}  // namespace preset_list

class PresetList {
  public:
    explicit PresetList(igraphics::IGraphics& graphics) : graphics_(graphics) {}

    // The scroll bar, which the wheel moves.
    void setScrollBar(igraphics::IControl* bar) { scrollBar_ = bar; }
    int topRow() const { return topRow_; }
    // The highlighted row, or -1.
    int highlightedRow() const { return highlighted_; }

    // Moves every row to its place under `topRow`.
    void scrollTo(int topRow);
    // Takes the highlight from the row that has it.
    void highlight(int row);
    // What the select reported: a press picks the row under the pointer
    // (`clicked` says what the editor does with it), a wheel notch scrolls;
    // the release, drags and double-clicks do nothing.
    void selectEvent(const igraphics::IInvisibleSelectControl3& select,
                     const std::function<void(int row)>& clicked);

  private:
    igraphics::IGraphics& graphics_;
    igraphics::IControl* scrollBar_ = nullptr;
    int topRow_ = 0;
    int highlighted_ = -1;
};

}  // namespace vornix::ui
