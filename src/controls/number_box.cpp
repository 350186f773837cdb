#include "controls/number_box.hpp"

#include <algorithm>
#include <cmath>

#include "controls/igraphics.hpp"
#include "controls/text_controls.hpp"
#include "controls/text_format.hpp"
#include "framework/iplug/iparam.hpp"

namespace igraphics {

namespace {
constexpr float kTextPad = 4.f;
constexpr float kLabelInset = 1.f;
}  // namespace

IVNumberBoxControl::IVNumberBoxControl(const IRECT& bounds, int paramIdx, IActionFunction action,
                                       std::string label, const IVStyle& style, bool /*buttons*/,
                                       double defaultValue, double minimum, double maximum,
                                       const char* /*format*/, bool /*triangle*/)
    : IContainerBase(bounds, paramIdx, std::move(action)),
      label_(std::move(label)),
      style_(style),
      value_(defaultValue),
      min_(minimum),
      max_(maximum) {}

double IVNumberBoxControl::toNormalised(double value) const {
    return max_ > min_ ? std::clamp((value - min_) / (max_ - min_), 0.0, 1.0) : 0.0;
}

double IVNumberBoxControl::fromNormalised(double normalised) const {
    return std::clamp(min_ + normalised * (max_ - min_), min_, max_);
}

std::string IVNumberBoxControl::numberText() const {
    return formatNumber(kNumberFormat, value_);
}

IRECT IVNumberBoxControl::numberBounds() const {
    IRECT r = bounds();
    if (style_.showLabel && !label_.empty()) r = r.reducedFromTop(style_.labelText.size + kTextPad);
    return r.shrunk(kLabelInset);
}

void IVNumberBoxControl::onAttached() {
    IContainerBase::onAttached();
    if (const iplug::IParam* p = param()) {
        min_ = p->minimum();
        max_ = p->maximum();
        // attach() has already moved the parameter's value (its default on a fresh build) in.
        value_ = p->fromNormalised(getValue());
    } else {
        setValue(toNormalised(value_));
    }
    value_ = std::clamp(value_, min_, max_);
    if (!numberLabel_) {
        auto label = std::make_unique<IVLabelControl>(numberBounds(), numberText(), style_);
        numberLabel_ = static_cast<IVLabelControl*>(addChildControl(std::move(label)));
    }
}

void IVNumberBoxControl::onResize() {
    if (numberLabel_) numberLabel_->setBounds(numberBounds());
}

void IVNumberBoxControl::draw(Painter& p) {
    if (style_.showLabel && !label_.empty())
        p.drawText(style_.labelText, label_, bounds().fromTop(style_.labelText.size + kTextPad));
}

void IVNumberBoxControl::update() {
    if (std::isnan(value_)) value_ = min_;
    value_ = std::clamp(value_, min_, max_);
    if (numberLabel_) numberLabel_->setText(numberText());
    if (const iplug::IParam* p = param()) {
        setValueFromUserInput(p->toNormalised(value_));
    } else {
        setValueFromUserInput(toNormalised(value_));
    }
}

void IVNumberBoxControl::onMouseDown(float, float, const IMouseMod&) {
    if (!getUI()) return;
    if (style_.hideCursor) getUI()->hideMouseCursor(true);
    if (paramIdx() >= 0) getUI()->delegate().beginInformHostOfParamChangeFromUI(paramIdx());
}

void IVNumberBoxControl::onMouseUp(float, float, const IMouseMod&) {
    if (!getUI()) return;
    if (style_.hideCursor) getUI()->hideMouseCursor(false);
    if (paramIdx() >= 0) getUI()->delegate().endInformHostOfParamChangeFromUI(paramIdx());
    setDirty(true);
}

void IVNumberBoxControl::onMouseDrag(float, float, float, float dY, const IMouseMod& mod) {
    value_ -= dY * (mod.fine() ? kFineStep : kCoarseStep);
    update();
}

void IVNumberBoxControl::onMouseWheel(float, float, const IMouseMod& mod, float d) {
    value_ += d * (mod.fine() ? kFineStep : kCoarseStep);
    update();
}

void IVNumberBoxControl::onMouseDblClick(float x, float y, const IMouseMod& mod) {
    if (!getUI() || isDisabled() || !numberBounds().contains(x, y)) return onMouseDown(x, y, mod);
    getUI()->createTextEntry(style_.valueText, numberBounds(), numberText(),
                             [this](const std::string& typed) {
                                 value_ = parseNumber(typed);
                                 update();
                             });
}

void IVNumberBoxControl::setValueFromEditor(double normalised, int valIdx) {
    if (mouseIsDown() || valIdx != 0) return;
    IControl::setValueFromEditor(normalised, valIdx);
    const iplug::IParam* p = param();
    value_ = p ? std::clamp(p->fromNormalised(normalised), min_, max_) : fromNormalised(normalised);
    if (numberLabel_) numberLabel_->setText(numberText());
}

}  // namespace igraphics
