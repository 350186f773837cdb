#include "controls/layers.hpp"

#include <algorithm>
#include <cmath>

namespace igraphics {

namespace {

constexpr float kMenuItemHeight = 26.f;
constexpr float kMenuMinWidth = 180.f;
constexpr float kMenuTextInset = 24.f;
constexpr float kMenuTextSize = 16.f;
constexpr IColor kMenuBackground{255, 245, 245, 245};
constexpr IColor kMenuHighlight{255, 60, 120, 200};
constexpr IColor kMenuFrame{255, 90, 90, 90};
constexpr IColor kMenuDisabledText{255, 160, 160, 160};
constexpr float kEntryInset = 4.f;
constexpr float kResizerLineGap = 5.f;

}  // namespace

// ---------------------------------------------------------------- PopupMenuLayer

void PopupMenuLayer::open(PopupMenu menu, const IRECT& anchor, const IRECT& window,
                          Completion done) {
    if (open_) close(std::nullopt);
    menu_ = std::move(menu);
    done_ = std::move(done);
    const float w = std::max(kMenuMinWidth, anchor.W());
    const float h = kMenuItemHeight * static_cast<float>(menu_.items.size());
    float x = std::clamp(anchor.L, window.L, std::max(window.L, window.R - w));
    float y = anchor.B;
    if (y + h > window.B) y = std::max(window.T, anchor.T - h);  // open upwards near the bottom
    bounds_ = IRECT::makeXYWH(x, y, w, h);
    highlighted_ = -1;
    open_ = true;
    dirty_ = true;
}

IRECT PopupMenuLayer::itemBounds(int index) const {
    return IRECT::makeXYWH(bounds_.L, bounds_.T + kMenuItemHeight * index, bounds_.W(),
                           kMenuItemHeight);
}

void PopupMenuLayer::close(std::optional<int> chosen) {
    open_ = false;
    dirty_ = true;
    // The completion may open the next menu, so it runs after this one is gone.
    Completion done = std::move(done_);
    done_ = nullptr;
    if (done) done(chosen);
}

void PopupMenuLayer::choose(int index) {
    if (!open_) return;
    const bool valid = index >= 0 && index < static_cast<int>(menu_.items.size()) &&
                       menu_.items[static_cast<std::size_t>(index)].enabled;
    close(valid ? std::optional<int>(index) : std::nullopt);
}

void PopupMenuLayer::dismiss() {
    if (open_) close(std::nullopt);
}

void PopupMenuLayer::onMouseDown(float x, float y) {
    if (!bounds_.contains(x, y)) {
        dismiss();
        return;
    }
    choose(static_cast<int>((y - bounds_.T) / kMenuItemHeight));
}

void PopupMenuLayer::onMouseOver(float x, float y) {
    const int h = bounds_.contains(x, y) ? static_cast<int>((y - bounds_.T) / kMenuItemHeight) : -1;
    if (h != highlighted_) dirty_ = true;
    highlighted_ = h;
}

void PopupMenuLayer::onKey(EKey key) {
    const int n = static_cast<int>(menu_.items.size());
    if (key == EKey::Escape) dismiss();
    if (key == EKey::Enter) choose(highlighted_);
    if (n == 0) return;
    if (key == EKey::Down) highlighted_ = (highlighted_ + 1) % n;
    if (key == EKey::Up) highlighted_ = (highlighted_ <= 0 ? n : highlighted_) - 1;
    dirty_ = true;
}

void PopupMenuLayer::draw(Painter& p) const {
    if (!open_) return;
    p.fillRect(kMenuBackground, bounds_);
    const IText text(kMenuTextSize, COLOR_BLACK, {}, EAlign::Near, EVAlign::Middle);
    for (int i = 0; i < static_cast<int>(menu_.items.size()); ++i) {
        const auto& item = menu_.items[static_cast<std::size_t>(i)];
        const IRECT r = itemBounds(i);
        const bool lit = i == highlighted_ && item.enabled;
        if (lit) p.fillRect(kMenuHighlight, r);
        const IColor c = !item.enabled ? kMenuDisabledText : lit ? COLOR_WHITE : COLOR_BLACK;
        if (item.checked) p.fillCircle(c, r.L + kMenuTextInset / 2, r.MH(), 3.5f);
        p.drawText(text.withColor(c), item.text,
                   IRECT(r.L + kMenuTextInset, r.T, r.R - kEntryInset, r.B));
    }
    p.drawRect(kMenuFrame, bounds_);
}

bool PopupMenuLayer::takeDirty(IRECT& rect) {
    if (!dirty_) return false;
    rect = lastDrawn_.united(open_ ? bounds_ : IRECT{});
    lastDrawn_ = open_ ? bounds_ : IRECT{};
    dirty_ = false;
    return !rect.empty();
}

// ---------------------------------------------------------------- CornerResizer

IRECT CornerResizer::bounds(const IRECT& window) const {
    if (!enabled()) return {};
    return IRECT(window.R - size_, window.B - size_, window.R, window.B);
}

double CornerResizer::scaleForDrag(float x, float y, const IRECT& window, double currentScale) {
    // x, y are logical at the current scale; the corner follows the pointer
    // while the picture keeps its proportions.
    const double sx = x * currentScale / window.W();
    const double sy = y * currentScale / window.H();
    return std::clamp(std::min(sx, sy), kMinScale, kMaxScale);
}

void CornerResizer::draw(Painter& p, const IRECT& window) const {
    if (!enabled()) return;
    const IRECT r = bounds(window);
    // Every multiple of the gap below the size.
    const int lines = static_cast<int>(std::ceil(size_ / kResizerLineGap)) - 1;
    for (int i = 1; i <= lines; ++i) {
        const float d = float(i) * kResizerLineGap;
        p.drawLine(COLOR_DARK_GRAY, r.R - d, r.B - 1, r.R - 1, r.B - d, 1.5f);
    }
}

}  // namespace igraphics
