#pragma once
// The one-line text entry the context draws over a field while it is edited.
// It takes printable 7-bit ASCII only, up to a number of characters, keeps
// its text inside the field and scrolls it with the caret. A selection runs
// from an anchor to the caret; the clipboard and the bell are the context's,
// which owns the desktop.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "controls/painter.hpp"
#include "controls/records.hpp"

namespace igraphics {

// Tab reaches the open entry or menu, which have no use for it: a one-line
// entry has no next field, so the key is taken and nothing happens.
enum class EKey {
    Backspace,
    Delete,
    Left,
    Right,
    Home,
    End,
    Up,
    Down,
    Enter,
    Escape,
    Tab,
    SelectAll,
    Cut,
    Copy,
    Paste
};

class TextEntryLayer {
  public:
    using Completion = std::function<void(const std::string& text)>;
    // A preset's name, and more than any number a field is typed in.
    static constexpr std::size_t kDefaultMaxChars = 32;

    // The initial text is cut to maxChars; it is taken whatever its bytes.
    void open(const IText& style, const IRECT& bounds, std::string_view initial, Completion done,
              std::size_t maxChars = kDefaultMaxChars);
    bool isOpen() const { return open_; }
    const std::string& text() const { return text_; }
    std::size_t caret() const { return caret_; }
    std::size_t maxChars() const { return maxChars_; }
    const IRECT& bounds() const { return bounds_; }
    bool hasSelection() const { return anchor_ != caret_; }
    std::string selectedText() const;

    void commit();
    void cancel();
    // Puts the text in place of the selection, character by character; false
    // when any of it was refused (not printable ASCII, or past the length).
    bool insert(std::string_view utf8);
    void deleteSelection();
    // With extend (Shift held) a move keeps the anchor and so selects.
    void onKey(EKey key, bool extend = false);
    // A press outside the field commits it.
    void onMouseDown(float x, float y);
    void draw(Painter& p) const;
    bool takeDirty(IRECT& rect);

  private:
    void close();
    void moveCaret(std::size_t to, bool extend);
    std::size_t selectionStart() const { return std::min(anchor_, caret_); }
    std::size_t selectionEnd() const { return std::max(anchor_, caret_); }
    // Where the text starts so that the caret is inside the field.
    float textLeft(Painter& p, const IText& text, const IRECT& inner) const;

    IText style_;
    IRECT bounds_;
    IRECT lastDrawn_;
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::size_t maxChars_ = kDefaultMaxChars;
    // How far a text wider than the field is scrolled to the left; kept from
    // one drawing to the next so that the text moves only when the caret
    // would leave the field.
    mutable float scroll_ = 0.f;
    bool open_ = false;
    bool dirty_ = false;
    Completion done_;
};

}  // namespace igraphics
