#pragma once
// What the context draws above every control: the popup menu, the one-line
// text entry (text_entry.hpp) and the corner resizer. Each takes the mouse
// before any control.
//
// Sections: PopupMenu and its layer, CornerResizer.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/painter.hpp"
#include "controls/records.hpp"
#include "controls/text_entry.hpp"

namespace igraphics {

struct PopupMenu {
    struct Item {
        std::string text;
        bool checked = false;
        bool enabled = true;
    };
    std::vector<Item> items;

    void addItem(std::string text, bool checked = false) {
        items.push_back({std::move(text), checked});
    }
};

// ---------------------------------------------------------------- PopupMenuLayer
class PopupMenuLayer {
  public:
    // Gets the chosen item's index, or nothing when the menu was dismissed.
    using Completion = std::function<void(std::optional<int> chosen)>;

    void open(PopupMenu menu, const IRECT& anchor, const IRECT& window, Completion done);
    bool isOpen() const { return open_; }
    const PopupMenu& menu() const { return menu_; }
    const IRECT& bounds() const { return bounds_; }
    IRECT itemBounds(int index) const;
    int highlighted() const { return highlighted_; }

    // Chooses an item (a disabled or unknown one dismisses the menu).
    void choose(int index);
    void dismiss();
    void onMouseDown(float x, float y);
    void onMouseOver(float x, float y);
    void onKey(EKey key);
    void draw(Painter& p) const;

    // The area to redraw: the menu now and where it was last drawn.
    bool takeDirty(IRECT& rect);

  private:
    void close(std::optional<int> chosen);

    PopupMenu menu_;
    IRECT bounds_;
    IRECT lastDrawn_;
    bool open_ = false;
    bool dirty_ = false;
    int highlighted_ = -1;
    Completion done_;
};

// ---------------------------------------------------------------- CornerResizer
class CornerResizer {
  public:
    static constexpr double kMinScale = 0.25;
    static constexpr double kMaxScale = 4.0;

    void enable(float size) { size_ = size; }
    bool enabled() const { return size_ > 0.f; }
    IRECT bounds(const IRECT& window) const;
    // The scale at which the window's corner sits under the pointer.
    static double scaleForDrag(float x, float y, const IRECT& window, double currentScale);
    void draw(Painter& p, const IRECT& window) const;

  private:
    float size_ = 0.f;
};

}  // namespace igraphics
