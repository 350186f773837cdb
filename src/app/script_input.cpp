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

igraphics::EKey editingKey(script::Key key) {
    using igraphics::EKey;
    switch (key) {
        case script::Key::Return:
            return EKey::Enter;
        case script::Key::Escape:
            return EKey::Escape;
        case script::Key::Tab:
            return EKey::Tab;
        case script::Key::BackSpace:
            return EKey::Backspace;
        case script::Key::Up:
            return EKey::Up;
        case script::Key::Down:
            return EKey::Down;
        case script::Key::Left:
            return EKey::Left;
        case script::Key::Right:
            return EKey::Right;
    }
    return EKey::Escape;
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
    return graphics.onKey(editingKey(key));
}

std::string typeText(igraphics::IGraphics& graphics, const std::string& text) {
    igraphics::TextEntryLayer& entry = graphics.textEntry();
    if (!entry.isOpen()) return "no text entry is open";
    if (text.size() > igraphics::TextEntryLayer::kMaxBytes)
        return "the text entry takes at most " +
               std::to_string(igraphics::TextEntryLayer::kMaxBytes) + " bytes";
    graphics.onKey(igraphics::EKey::End);
    while (!entry.text().empty()) graphics.onKey(igraphics::EKey::Backspace);
    graphics.onTextInput(text);
    return {};
}

}  // namespace vornix::app
