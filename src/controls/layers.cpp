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

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

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

// ---------------------------------------------------------------- TextEntryLayer

void TextEntryLayer::open(const IText& style, const IRECT& bounds, std::string_view initial,
                          Completion done) {
    if (open_) commit();
    style_ = style;
    bounds_ = bounds;
    text_ = std::string(initial.substr(0, std::min(initial.size(), kMaxBytes)));
    caret_ = text_.size();
    done_ = std::move(done);
    open_ = true;
    dirty_ = true;
}

void TextEntryLayer::close() {
    open_ = false;
    dirty_ = true;
}

void TextEntryLayer::commit() {
    if (!open_) return;
    close();
    Completion done = std::move(done_);
    done_ = nullptr;
    if (done) done(text_);
}

void TextEntryLayer::cancel() {
    if (!open_) return;
    close();
    done_ = nullptr;
}

void TextEntryLayer::insert(std::string_view utf8) {
    if (!open_) return;
    // Control characters would end up in preset names and on the wire.
    std::string clean;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
    if (text_.size() + clean.size() > kMaxBytes) return;
    text_.insert(caret_, clean);
    caret_ += clean.size();
    dirty_ = true;
}

void TextEntryLayer::onKey(EKey key) {
    if (!open_) return;
    auto prev = [this](std::size_t i) {
        while (i > 0 && isContinuationByte(text_[--i])) {
        }
        return i;
    };
    auto next = [this](std::size_t i) {
        while (i < text_.size() && isContinuationByte(text_[++i])) {
        }
        return std::min(i, text_.size());
    };
    switch (key) {
        case EKey::Enter:
            commit();
            return;
        case EKey::Escape:
            cancel();
            return;
        case EKey::Backspace:
            if (caret_ > 0) {
                const std::size_t from = prev(caret_);
                text_.erase(from, caret_ - from);
                caret_ = from;
            }
            break;
        case EKey::Delete:
            if (caret_ < text_.size()) text_.erase(caret_, next(caret_) - caret_);
            break;
        case EKey::Left:
            caret_ = prev(caret_);
            break;
        case EKey::Right:
            caret_ = next(caret_);
            break;
        case EKey::Home:
            caret_ = 0;
            break;
        case EKey::End:
            caret_ = text_.size();
            break;
        default:
            break;
    }
    dirty_ = true;
}

void TextEntryLayer::onMouseDown(float x, float y) {
    if (!open_) return;
    if (!bounds_.contains(x, y)) commit();
}

void TextEntryLayer::draw(Painter& p) const {
    if (!open_) return;
    p.fillRect(style_.textEntryBGColor, bounds_);
    const IRECT inner = bounds_.shrunk(kEntryInset);
    const IText text = style_.withColor(style_.textEntryFGColor);
    p.drawText(text, text_, inner);
    const float full = p.measureText(text, text_).W();
    const float before = p.measureText(text, std::string_view(text_).substr(0, caret_)).W();
    float x0 = inner.L;
    if (text.align == EAlign::Center) x0 = inner.MW() - full / 2;
    if (text.align == EAlign::Far) x0 = inner.R - full;
    p.drawLine(style_.textEntryFGColor, x0 + before, inner.T, x0 + before, inner.B);
}

bool TextEntryLayer::takeDirty(IRECT& rect) {
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
    for (float d = kResizerLineGap; d < size_; d += kResizerLineGap)
        p.drawLine(COLOR_DARK_GRAY, r.R - d, r.B - 1, r.R - 1, r.B - d, 1.5f);
}

}  // namespace igraphics
