#include "app/script_input.hpp"

#include <cstdlib>

namespace vornix::app {

static_assert(script::WindowWidth == igraphics::kLogicalWidth &&
              script::WindowHeight == igraphics::kLogicalHeight);

namespace {

igraphics::IMouseMod leftButton() {
    return {};
}

igraphics::IMouseMod noButton() {
    igraphics::IMouseMod mod;
    mod.L = false;
    return mod;
}

struct EditingKey {
    igraphics::EKey key;
    bool extend = false;  // Shift held
};

EditingKey editingKey(script::Key key) {
    using igraphics::EKey;
    using script::Key;
    switch (key) {
        case Key::Return:
            return {EKey::Enter};
        case Key::Escape:
            return {EKey::Escape};
        case Key::Tab:
            return {EKey::Tab};
        case Key::BackSpace:
            return {EKey::Backspace};
        case Key::Up:
            return {EKey::Up};
        case Key::Down:
            return {EKey::Down};
        case Key::Left:
            return {EKey::Left};
        case Key::Right:
            return {EKey::Right};
        case Key::Home:
            return {EKey::Home};
        case Key::End:
            return {EKey::End};
        case Key::Delete:
            return {EKey::Delete};
        case Key::ShiftLeft:
            return {EKey::Left, true};
        case Key::ShiftRight:
            return {EKey::Right, true};
        case Key::ShiftHome:
            return {EKey::Home, true};
        case Key::ShiftEnd:
            return {EKey::End, true};
        case Key::CtrlA:
            return {EKey::SelectAll};
        case Key::CtrlX:
            return {EKey::Cut};
        case Key::CtrlC:
            return {EKey::Copy};
        case Key::CtrlV:
            return {EKey::Paste};
    }
    return {EKey::Escape};
}

}  // namespace

void ScriptPointer::press(script::Point at) {
    graphics_.onMouseDown(at.x, at.y, leftButton());
    last_ = at;
    down_ = true;
    settle_();
}

void ScriptPointer::release(script::Point at) {
    graphics_.onMouseUp(at.x, at.y, leftButton());
    last_ = at;
    down_ = false;
    settle_();
}

void ScriptPointer::move(script::Point to) {
    if (down_)
        graphics_.onMouseDrag(to.x, to.y, to.x - last_.x, to.y - last_.y, leftButton());
    else
        graphics_.onMouseOver(to.x, to.y, noButton());
    last_ = to;
    settle_();
}

void ScriptPointer::click(script::Point at) {
    press(at);
    release(at);
}

void ScriptPointer::doubleClick(script::Point at) {
    click(at);
    graphics_.onMouseDblClick(at.x, at.y, leftButton());
    last_ = at;
    down_ = true;
    settle_();
    release(at);
}

void ScriptPointer::drag(script::Point from, script::Point to, int steps) {
    press(from);
    for (int step = 1; step <= steps; ++step) {
        const float part = static_cast<float>(step) / static_cast<float>(steps);
        move({from.x + (to.x - from.x) * part, from.y + (to.y - from.y) * part});
    }
    release(to);
}

void ScriptPointer::wheel(script::Point at, int notches, script::Modifier modifier) {
    igraphics::IMouseMod mod = noButton();
    mod.S = modifier == script::Modifier::Shift;
    mod.C = modifier == script::Modifier::Ctrl;
    const float d = notches > 0 ? 1.f : -1.f;
    for (int i = 0; i < std::abs(notches); ++i) {
        graphics_.onMouseWheel(at.x, at.y, mod, d);
        settle_();
    }
    last_ = at;
}

bool pressKey(igraphics::IGraphics& graphics, script::Key key) {
    const EditingKey edit = editingKey(key);
    return graphics.onKey(edit.key, edit.extend);
}

// As if the user selected everything and typed: what the entry refuses
// rings the bell.
std::string typeText(igraphics::IGraphics& graphics, const std::string& text) {
    igraphics::TextEntryLayer& entry = graphics.textEntry();
    if (!entry.isOpen()) return "no text entry is open";
    graphics.onKey(igraphics::EKey::SelectAll);
    graphics.onKey(igraphics::EKey::Delete);
    graphics.onTextInput(text);
    return {};
}

}  // namespace vornix::app
