#include "controls/text_entry.hpp"

#include <algorithm>

namespace igraphics {

namespace {

constexpr float kEntryInset = 4.f;
constexpr IColor kSelectionColor{255, 160, 200, 255};
constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x80;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & kContinuationMask) == kContinuationBits;
}

bool isPrintableAscii(char c) {
    return c >= kFirstPrintable && c <= kLastPrintable;
}

std::size_t charCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}

// The first `chars` whole characters of the text.
std::string_view firstChars(std::string_view text, std::size_t chars) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < text.size(); ++end) {
        if (!isContinuationByte(text[end]) && seen++ == chars) break;
    }
    return text.substr(0, end);
}

}  // namespace

void TextEntryLayer::open(const IText& style, const IRECT& bounds, std::string_view initial,
                          Completion done, std::size_t maxChars) {
    if (open_) commit();
    style_ = style;
    bounds_ = bounds;
    maxChars_ = maxChars;
    text_ = std::string(firstChars(initial, maxChars_));
    caret_ = anchor_ = text_.size();
    scroll_ = 0.f;
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

std::string TextEntryLayer::selectedText() const {
    return text_.substr(selectionStart(), selectionEnd() - selectionStart());
}

void TextEntryLayer::deleteSelection() {
    if (!open_ || !hasSelection()) return;
    text_.erase(selectionStart(), selectionEnd() - selectionStart());
    caret_ = anchor_ = selectionStart();
    dirty_ = true;
}

// What the record of a preset holds: anything else would be changed or
// dropped on its way to the device, so it is refused here, where the user
// hears about it.
bool TextEntryLayer::insert(std::string_view utf8) {
    if (!open_) return false;
    deleteSelection();
    std::size_t room = maxChars_ - std::min(maxChars_, charCount(text_));
    std::string taken;
    bool refused = false;
    for (char c : utf8) {
        if (isContinuationByte(c)) continue;  // its lead byte was refused already
        if (!isPrintableAscii(c) || room == 0) {
            refused = true;
            continue;
        }
        taken += c;
        --room;
    }
    text_.insert(caret_, taken);
    caret_ = anchor_ = caret_ + taken.size();
    dirty_ = true;
    return !refused;
}

void TextEntryLayer::moveCaret(std::size_t to, bool extend) {
    caret_ = to;
    if (!extend) anchor_ = to;
}

void TextEntryLayer::onKey(EKey key, bool extend) {
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
            if (hasSelection()) {
                deleteSelection();
            } else if (caret_ > 0) {
                const std::size_t from = prev(caret_);
                text_.erase(from, caret_ - from);
                moveCaret(from, false);
            }
            break;
        case EKey::Delete:
            if (hasSelection())
                deleteSelection();
            else if (caret_ < text_.size())
                text_.erase(caret_, next(caret_) - caret_);
            break;
        // Without Shift an arrow ends a selection at its side, as desktop entries do.
        case EKey::Left:
            moveCaret(hasSelection() && !extend ? selectionStart() : prev(caret_), extend);
            break;
        case EKey::Right:
            moveCaret(hasSelection() && !extend ? selectionEnd() : next(caret_), extend);
            break;
        case EKey::Home:
            moveCaret(0, extend);
            break;
        case EKey::End:
            moveCaret(text_.size(), extend);
            break;
        case EKey::SelectAll:
            anchor_ = 0;
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

float TextEntryLayer::textLeft(Painter& p, const IText& text, const IRECT& inner) const {
    const float full = p.measureText(text, text_).W();
    if (full <= inner.W()) {
        scroll_ = 0.f;
        if (text.align == EAlign::Center) return inner.MW() - full / 2;
        if (text.align == EAlign::Far) return inner.R - full;
        return inner.L;
    }
    const float caretX = p.measureText(text, std::string_view(text_).substr(0, caret_)).W();
    if (caretX - scroll_ > inner.W()) scroll_ = caretX - inner.W();
    if (caretX - scroll_ < 0.f) scroll_ = caretX;
    scroll_ = std::clamp(scroll_, 0.f, full - inner.W());
    return inner.L - scroll_;
}

void TextEntryLayer::draw(Painter& p) const {
    if (!open_) return;
    p.fillRect(style_.textEntryBGColor, bounds_);
    const IRECT inner = bounds_.shrunk(kEntryInset);
    const IText text = style_.withColor(style_.textEntryFGColor).withAlign(EAlign::Near);
    const IText aligned = style_.withColor(style_.textEntryFGColor);
    p.pushClip(bounds_);
    const float x0 = textLeft(p, aligned, inner);
    const std::string_view all(text_);
    const auto widthTo = [&](std::size_t i) { return p.measureText(text, all.substr(0, i)).W(); };
    if (hasSelection())
        p.fillRect(kSelectionColor, IRECT(x0 + widthTo(selectionStart()), inner.T,
                                          x0 + widthTo(selectionEnd()), inner.B));
    p.drawText(text, text_, IRECT(x0, inner.T, x0 + widthTo(text_.size()) + 1.f, inner.B));
    const float caretX = x0 + widthTo(caret_);
    p.drawLine(style_.textEntryFGColor, caretX, inner.T, caretX, inner.B);
    p.popClip();
}

bool TextEntryLayer::takeDirty(IRECT& rect) {
    if (!dirty_) return false;
    rect = lastDrawn_.united(open_ ? bounds_ : IRECT{});
    lastDrawn_ = open_ ? bounds_ : IRECT{};
    dirty_ = false;
    return !rect.empty();
}

}  // namespace igraphics
