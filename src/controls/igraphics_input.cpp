// Mouse and key routing, platform services and the animation clock of the context.
#include <cairo.h>

#include "controls/igraphics.hpp"

namespace igraphics {

// ---------------------------------------------------------------- mouse

IControl* IGraphics::controlAt(float x, float y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (IControl* hit = (*it)->targetAt(x, y)) return hit;
    return nullptr;
}

void IGraphics::onMouseDown(float x, float y, const IMouseMod& mod) {
    if (menu_.isOpen()) return menu_.onMouseDown(x, y);
    if (textEntry_.isOpen()) return textEntry_.onMouseDown(x, y);
    if (resizer_.bounds(bounds()).contains(x, y)) {
        resizing_ = true;
        return;
    }
    if (IControl* target = captureAt(x, y)) target->onMouseDown(x, y, mod);
}

// The control under a press or double-click keeps the pointer until release.
IControl* IGraphics::captureAt(float x, float y) {
    IControl* target = controlAt(x, y);
    if (!target) return nullptr;
    captured_ = target;
    target->setMouseIsDown(true);
    target->setMouseDownPoint(x, y);
    return target;
}

void IGraphics::onMouseUp(float x, float y, const IMouseMod& mod) {
    resizing_ = false;
    releaseCapture(x, y, mod);
}

void IGraphics::releaseCapture(float x, float y, const IMouseMod& mod) {
    IControl* c = captured_;
    captured_ = nullptr;
    if (!c) return;
    c->setMouseIsDown(false);
    c->onMouseUp(x, y, mod);
}

void IGraphics::onMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) {
    if (resizing_) {
        const double scale =
            CornerResizer::scaleForDrag(x, y, bounds(), pixelScale()) / screenScale_;
        setDrawScale(width_, height_, static_cast<float>(scale));
        return;
    }
    if (!captured_) return;
    // A control hidden or greyed out under the pointer (a page change) lets go.
    if (captured_->isHidden() || captured_->isDisabled()) return releaseCapture(x, y, mod);
    captured_->onMouseDrag(x, y, dX, dY, mod);
}

void IGraphics::onMouseDblClick(float x, float y, const IMouseMod& mod) {
    if (menu_.isOpen()) return menu_.onMouseDown(x, y);
    if (textEntry_.isOpen()) return textEntry_.onMouseDown(x, y);
    if (resizer_.bounds(bounds()).contains(x, y)) {
        resizing_ = false;
        setDrawScale(width_, height_, 1.f);
        return;
    }
    if (IControl* target = captureAt(x, y)) target->onMouseDblClick(x, y, mod);
}

void IGraphics::onMouseWheel(float x, float y, const IMouseMod& mod, float d) {
    if (menu_.isOpen() || textEntry_.isOpen()) return;
    if (IControl* target = controlAt(x, y)) target->onMouseWheel(x, y, mod, d);
}

void IGraphics::onMouseOver(float x, float y, const IMouseMod& mod) {
    if (menu_.isOpen()) menu_.onMouseOver(x, y);
    IControl* target = controlAt(x, y);
    if (target != mouseOver_) {
        if (mouseOver_) mouseOver_->onMouseOut();
        mouseOver_ = target;
    }
    if (target) target->onMouseOver(x, y, mod);
}

void IGraphics::onMouseOut() {
    if (mouseOver_) mouseOver_->onMouseOut();
    mouseOver_ = nullptr;
}

bool IGraphics::onTextInput(std::string_view utf8) {
    if (!textEntry_.isOpen()) return false;
    if (!textEntry_.insert(utf8) && platform_) platform_->bell();
    return true;
}

// The clipboard belongs to the desktop, so the entry's cut, copy and paste
// are served here.
void IGraphics::editTextEntry(EKey key, bool extend) {
    switch (key) {
        case EKey::Copy:
        case EKey::Cut:
            if (textEntry_.hasSelection() && platform_)
                platform_->setClipboardText(textEntry_.selectedText());
            if (key == EKey::Cut) textEntry_.deleteSelection();
            break;
        case EKey::Paste:
            if (platform_) onTextInput(platform_->clipboardText());
            break;
        default:
            textEntry_.onKey(key, extend);
            break;
    }
}

bool IGraphics::onKey(EKey key, bool extend) {
    if (textEntry_.isOpen()) {
        editTextEntry(key, extend);
        return true;
    }
    if (menu_.isOpen()) {
        menu_.onKey(key);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- platform services

EMsgBoxResult IGraphics::showMessageBox(std::string_view text, std::string_view caption,
                                        EMsgBoxType type,
                                        const std::function<void(EMsgBoxResult)>& completion) {
    // Without a desktop nobody can agree to a question, so it counts as cancelled.
    EMsgBoxResult result = type == EMsgBoxType::OK ? EMsgBoxResult::OK : EMsgBoxResult::Cancel;
    if (platform_) result = platform_->showMessageBox(text, caption, type);
    if (completion) completion(result);
    return result;
}

void IGraphics::promptForFile(std::string& fileName, std::string& folder, EFileAction action,
                              std::string_view extensions,
                              const std::function<void(const std::string&)>& completion) {
    if (platform_) {
        platform_->promptForFile(fileName, folder, action, extensions);
    } else {
        fileName.clear();
    }
    if (completion) completion(fileName);
}

bool IGraphics::openURL(std::string_view url) {
    return platform_ && platform_->openURL(url);
}

void IGraphics::hideMouseCursor(bool hide) {
    if (platform_) platform_->hideMouseCursor(hide);
}

void IGraphics::createPopupMenu(PopupMenu menu, const IRECT& anchor,
                                PopupMenuLayer::Completion done) {
    textEntry_.commit();
    menu_.open(std::move(menu), anchor, bounds(), std::move(done));
}

void IGraphics::createTextEntry(const IText& style, const IRECT& area, std::string_view initial,
                                TextEntryLayer::Completion done, std::size_t maxChars) {
    menu_.dismiss();
    textEntry_.open(style, area, initial, std::move(done), maxChars);
}

// ---------------------------------------------------------------- animation

int IGraphics::animate(IControl& control, int durationMs) {
    animating_.insert(&control);
    if (!frameTimer_) {
        frameTimer_ = loop_.every(kAnimationFrameMs, [this] {
            clockMs_ += kAnimationFrameMs;
            for (IControl* c : animating_) c->markDirty();
        });
    }
    IControl* c = &control;
    return loop_.after(durationMs, [this, c] {
        c->animationTimer_ = 0;
        animating_.erase(c);
        stopFrameTimerIfIdle();
        c->onEndAnimation();
    });
}

void IGraphics::cancelAnimation(IControl& control) {
    if (control.animationTimer_) loop_.cancel(control.animationTimer_);
    control.animationTimer_ = 0;
    animating_.erase(&control);
    stopFrameTimerIfIdle();
}

void IGraphics::stopFrameTimerIfIdle() {
    if (!animating_.empty() || !frameTimer_) return;
    loop_.cancel(*frameTimer_);
    frameTimer_.reset();
}

}  // namespace igraphics
