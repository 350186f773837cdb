#include "controls/icontrol.hpp"

#include <algorithm>
#include <cmath>

#include "controls/igraphics.hpp"
#include "framework/iplug/iparam.hpp"

namespace igraphics {

void splashClickActionFunc(IControl* control) {
    if (!control) return;
    control->startAnimation(kSplashClickMs);
}

// ---------------------------------------------------------------- IControl

IControl::IControl(const IRECT& bounds, int paramIdx, IActionFunction action)
    : bounds_(bounds), vals_{{paramIdx, 0.0}}, action_(std::move(action)) {}

IControl::~IControl() {
    if (ui_ && animationTimer_) ui_->cancelAnimation(*this);
}

void IControl::setBounds(const IRECT& r) {
    // What the control showed must go; a hidden one shows nothing, unless it
    // was hidden since the last frame.
    if (ui_ && (!hidden_ || dirty_)) ui_->markAreaDirty(bounds_);
    bounds_ = r;
    markDirty();
    if (hidden_) dirty_ = false;
    onResize();
}

int IControl::paramIdx(int valIdx) const {
    if (valIdx < 0 || valIdx >= nVals()) return kNoParameter;
    return vals_[static_cast<std::size_t>(valIdx)].paramIdx;
}

void IControl::setParamIdx(int idx, int valIdx) {
    if (valIdx >= 0 && valIdx < nVals()) vals_[static_cast<std::size_t>(valIdx)].paramIdx = idx;
}

const iplug::IParam* IControl::param(int valIdx) const {
    const int idx = paramIdx(valIdx);
    if (!ui_ || idx < 0) return nullptr;
    const iplug::IParam* p = ui_->delegate().getParam(idx);
    return p && p->initialised() ? p : nullptr;
}

double IControl::getValue(int valIdx) const {
    if (valIdx < 0 || valIdx >= nVals()) return 0.0;
    return vals_[static_cast<std::size_t>(valIdx)].value;
}

void IControl::setValue(double value, int valIdx) {
    if (valIdx < 0 || valIdx >= nVals()) return;
    if (std::isnan(value)) value = 0.0;
    vals_[static_cast<std::size_t>(valIdx)].value = std::clamp(value, 0.0, 1.0);
    markDirty();
}

void IControl::setValueFromEditor(double value, int valIdx) {
    if (mouseIsDown_) return;
    setValue(value, valIdx);
}

void IControl::setValueFromUserInput(double value, int valIdx) {
    setValue(value, valIdx);
    setDirty(true, valIdx);
}

void IControl::setValueToDefault(int valIdx) {
    if (const iplug::IParam* p = param(valIdx))
        setValueFromUserInput(p->toNormalised(p->defaultValue()), valIdx);
}

void IControl::setDirty(bool triggerAction, int valIdx) {
    markDirty();
    if (!triggerAction) return;
    if (ui_) {
        ui_->onUserEdit(*this, valIdx);
    } else if (action_) {
        action_(this);
    }
}

void IControl::markDirty() {
    dirty_ = true;
    drawCache_.invalidate();
    // A container's picture includes its children.
    for (IControl* p = parent_; p; p = p->parent_) {
        p->dirty_ = true;
        p->drawCache_.invalidate();
    }
}

// Shown, hidden, greyed or enabled, a control looks as it did: its kept
// picture stays (a page switch paints its knobs from them), only its place is
// drawn again, and a container's picture, which includes it, is made anew.
void IControl::markPlaceDirty() {
    dirty_ = true;
    for (IControl* p = parent_; p; p = p->parent_) {
        p->dirty_ = true;
        p->drawCache_.invalidate();
    }
}

void IControl::hide(bool hidden) {
    if (hidden_ == hidden) return;
    hidden_ = hidden;
    markPlaceDirty();
}

void IControl::disable(bool disabled) {
    if (disabled_ == disabled) return;
    disabled_ = disabled;
    markPlaceDirty();
}

IControl* IControl::targetAt(float x, float y) {
    if (hidden_ || disabled_ || ignoreMouse_ || !bounds_.contains(x, y)) return nullptr;
    return this;
}

double IControl::stepSize(int valIdx) const {
    const iplug::IParam* p = param(valIdx);
    if (!p || !p->stepped() || p->maximum() <= p->minimum()) return 0.0;
    return p->step() / (p->maximum() - p->minimum());
}

double IControl::snapToStep(double value, int valIdx) const {
    const double step = stepSize(valIdx);
    value = std::clamp(value, 0.0, 1.0);
    if (step <= 0.0) return value;
    return std::clamp(std::round(value / step) * step, 0.0, 1.0);
}

// ---------------------------------------------------------------- animation

void IControl::startAnimation(int durationMs) {
    if (!ui_) return;
    ui_->cancelAnimation(*this);
    animating_ = true;
    animationDurationMs_ = durationMs;
    animationStartMs_ = ui_->clockMs();
    animationTimer_ = ui_->animate(*this, durationMs);
    markDirty();
}

double IControl::animationProgress() const {
    if (!animating_ || !ui_ || animationDurationMs_ <= 0) return 0.0;
    const double elapsed = static_cast<double>(ui_->clockMs() - animationStartMs_);
    return std::clamp(elapsed / animationDurationMs_, 0.0, 1.0);
}

void IControl::onEndAnimation() {
    animating_ = false;
    animationTimer_ = 0;
    markDirty();
    if (endAction_) endAction_(this);
}

// ---------------------------------------------------------------- IContainerBase

IContainerBase::IContainerBase(const IRECT& bounds, int paramIdx, IActionFunction action,
                               AttachFunc attachFunc)
    : IControl(bounds, paramIdx, std::move(action)), attachFunc_(std::move(attachFunc)) {}

void IContainerBase::onAttached() {
    // Children added before the container was attached learn their context now.
    for (auto& child : children_) {
        child->ui_ = getUI();
        child->onAttached();
    }
    if (attachFunc_) attachFunc_(this, bounds());
}

void IContainerBase::onRescale() {
    for (auto& child : children_) child->onRescale();
}

IControl* IContainerBase::addChildControl(std::unique_ptr<IControl> child) {
    child->parent_ = this;
    child->ui_ = getUI();
    child->hidden_ = child->hidden_ || isHidden();
    child->disabled_ = child->disabled_ || isDisabled();
    children_.push_back(std::move(child));
    IControl* added = children_.back().get();
    if (getUI()) added->onAttached();
    markDirty();
    return added;
}

void IContainerBase::drawTree(Painter& p) {
    draw(p);
    for (auto& child : children_)
        if (!child->isHidden()) child->drawTree(p);
}

IControl* IContainerBase::targetAt(float x, float y) {
    if (isHidden() || isDisabled()) return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (IControl* hit = (*it)->targetAt(x, y)) return hit;
    return IControl::targetAt(x, y);
}

void IContainerBase::hide(bool hidden) {
    IControl::hide(hidden);
    for (auto& child : children_) child->hide(hidden);
}

void IContainerBase::disable(bool disabled) {
    IControl::disable(disabled);
    for (auto& child : children_) child->disable(disabled);
}

void IContainerBase::clearDirty() {
    IControl::clearDirty();
    for (auto& child : children_) child->clearDirty();
}

}  // namespace igraphics
