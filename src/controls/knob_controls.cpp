#include "controls/knob_controls.hpp"

#include <algorithm>
#include <cmath>

#include "controls/igraphics.hpp"
#include "controls/text_format.hpp"
#include "framework/iplug/iparam.hpp"

namespace igraphics {

namespace {

constexpr float kTextPad = 4.f;
constexpr float kPointerInset = 0.35f;  // pointer starts at this fraction of the radius

IRECT frameCentredIn(const IRECT& rect, const IBitmap& bitmap) {
    const float fw = bitmap.frameWidth(), fh = bitmap.frameHeight();
    const float left = rect.MW() - fw / 2, top = rect.MH() - fh / 2;
    return IRECT(left, top, left + fw, top + fh);
}

}  // namespace

// ---------------------------------------------------------------- IKnobControlBase

IKnobControlBase::IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection direction,
                                   double gearing)
    : IControl(bounds, paramIdx), direction_(direction), gearing_(gearing) {}

void IKnobControlBase::onMouseDown(float, float, const IMouseMod&) {
    dragValue_ = getValue();
    if (hideCursor_ && getUI()) getUI()->hideMouseCursor(true);
    if (getUI() && paramIdx() >= 0)
        getUI()->delegate().beginInformHostOfParamChangeFromUI(paramIdx());
}

void IKnobControlBase::onMouseUp(float, float, const IMouseMod&) {
    if (hideCursor_ && getUI()) getUI()->hideMouseCursor(false);
    if (getUI() && paramIdx() >= 0)
        getUI()->delegate().endInformHostOfParamChangeFromUI(paramIdx());
}

void IKnobControlBase::onMouseDrag(float, float, float dX, float dY, const IMouseMod& mod) {
    const bool vertical = direction_ == EDirection::Vertical;
    const double extent = vertical ? bounds().H() : bounds().W();
    if (extent <= 0.0 || gearing_ <= 0.0) return;
    const double pixels = vertical ? -dY : dX;  // upward or rightward turns the knob up
    const double gearing = gearing_ * (mod.fine() ? kFineFactor : 1.0);
    dragValue_ = std::clamp(dragValue_ + pixels / (extent * gearing), 0.0, 1.0);
    const double snapped = snapToStep(dragValue_);
    if (snapped != getValue()) setValueFromUserInput(snapped);
}

void IKnobControlBase::onMouseDblClick(float, float, const IMouseMod&) {
    setValueToDefault();
}

void IKnobControlBase::onMouseWheel(float, float, const IMouseMod& mod, float d) {
    if (d == 0.f) return;
    double value = getValue();
    if (const double step = stepSize(); step > 0.0) {
        // Stepped parameters move a whole step per notch, however fine the wheel.
        const double notches = std::max(1.0, std::round(std::abs(static_cast<double>(d))));
        value = snapToStep(value + (d > 0 ? notches : -notches) * step);
    } else {
        value = std::clamp(value + d * kWheelStep / (mod.fine() ? kFineFactor : 1.0), 0.0, 1.0);
    }
    if (value != getValue()) setValueFromUserInput(value);
}

// ---------------------------------------------------------------- IBKnobControl

IBKnobControl::IBKnobControl(const IRECT& rect, const IBitmap& bitmap, int paramIdx, double gearing,
                             EDirection direction)
    : IKnobControlBase(frameCentredIn(rect, bitmap), paramIdx, direction, gearing),
      bitmap_(bitmap) {}

int IBKnobControl::frameShown() const {
    return static_cast<int>(std::lround(getValue() * (bitmap_.frames() - 1)));
}

void IBKnobControl::draw(Painter& p) {
    p.drawBitmap(bitmap_, bounds(), frameShown());
}

void IBKnobControl::onRescale() {
    if (getUI())
        bitmap_ = getUI()->bitmapResource(bitmap_.name(), bitmap_.frames(),
                                          bitmap_.framesAreHorizontal());
}

// ---------------------------------------------------------------- IBKnobRotaterControl

IBKnobRotaterControl::IBKnobRotaterControl(const IRECT& rect, const IBitmap& bitmap, int paramIdx)
    : IBKnobControl(rect, bitmap, paramIdx, kDefaultGearing) {}

void IBKnobRotaterControl::draw(Painter& p) {
    p.drawRotatedBitmap(bitmap_, bounds().MW(), bounds().MH(), angle());
}

// ---------------------------------------------------------------- ISVGKnobControl

ISVGKnobControl::ISVGKnobControl(const IRECT& bounds, const ISVG& svg, int paramIdx)
    : IKnobControlBase(bounds, paramIdx), svg_(svg) {}

void ISVGKnobControl::draw(Painter& p) {
    p.drawSVG(svg_, bounds(), angle());
}

// ---------------------------------------------------------------- IVKnobControl

IVKnobControl::IVKnobControl(const IRECT& bounds, int paramIdx, std::string label,
                             const IVStyle& style, bool valueInWidget, bool valueIsEditable,
                             float aMin, float aMax, float aAnchor, EDirection direction,
                             double gearing, float trackSize)
    : IKnobControlBase(bounds, paramIdx, direction, gearing),
      label_(std::move(label)),
      style_(style),
      valueInWidget_(valueInWidget),
      valueIsEditable_(valueIsEditable),
      aMin_(aMin),
      aMax_(aMax),
      aAnchor_(aAnchor),
      trackSize_(trackSize) {
    setHideCursorOnDrag(style.hideCursor);
}

std::string IVKnobControl::valueText() const {
    if (const iplug::IParam* p = param()) return paramDisplayText(*p, getValue());
    return formatNumber("%0.0f %%", getValue() * 100.0);
}

IRECT IVKnobControl::labelBounds() const {
    if (!style_.showLabel || label_.empty()) return {};
    return bounds().fromTop(style_.labelText.size + kTextPad);
}

IRECT IVKnobControl::valueBounds() const {
    if (!style_.showValue) return {};
    if (valueInWidget_) return widgetBounds().centred(widgetBounds().W(), style_.valueText.size);
    return bounds().fromBottom(style_.valueText.size + kTextPad);
}

IRECT IVKnobControl::widgetBounds() const {
    IRECT r = bounds();
    if (style_.showLabel && !label_.empty()) r = r.reducedFromTop(style_.labelText.size + kTextPad);
    if (style_.showValue && !valueInWidget_)
        r = r.reducedFromBottom(style_.valueText.size + kTextPad);
    const IRECT sq = r.square();
    return sq.centred(sq.W() * style_.widgetFrac, sq.H() * style_.widgetFrac);
}

void IVKnobControl::draw(Painter& p) {
    p.fillRect(style_.color(kBG), bounds());
    const IRECT w = widgetBounds();
    const float cx = w.MW(), cy = w.MH();
    const float radius = w.W() / 2 - trackSize_ / 2;
    const auto angle = static_cast<float>(aMin_ + getValue() * (aMax_ - aMin_));

    // The track is drawn only where the value arc does not cover it: filling
    // a thick ring is the dearest part of a knob, and a drag redraws it at
    // every step.
    const float from = std::min(aAnchor_, angle), to = std::max(aAnchor_, angle);
    p.drawArc(style_.color(kSH), cx, cy, radius, aMin_, from, trackSize_);
    p.drawArc(style_.color(kSH), cx, cy, radius, to, aMax_, trackSize_);
    p.drawArc(style_.color(kX1), cx, cy, radius, from, to, trackSize_);
    const float dial = radius - trackSize_ / 2 - trackSize_;
    if (dial > 0.f) {
        const IRECT knob = w.centred(dial * 2, dial * 2);
        const auto drawDial = [this, &knob](Painter& q) {
            q.fillEllipse(style_.color(mouseIsDown() ? kPR : kFG), knob);
            if (style_.drawFrame) q.drawEllipse(style_.color(kFR), knob, style_.frameThickness);
        };
        if (mouseIsDown()) {
            heldDial_.paint(p, knob, drawDial);
        } else {
            heldDial_.invalidate();
            drawDial(p);
        }
        p.drawRadialLine(style_.color(kFR), cx, cy, angle, dial * kPointerInset, dial,
                         std::max(1.f, style_.frameThickness * 2));
    }
    if (const IRECT l = labelBounds(); !l.empty()) p.drawText(style_.labelText, label_, l);
    if (const IRECT v = valueBounds(); !v.empty()) p.drawText(style_.valueText, valueText(), v);
}

void IVKnobControl::onMouseUp(float x, float y, const IMouseMod& mod) {
    heldDial_.invalidate();
    IKnobControlBase::onMouseUp(x, y, mod);
}

void IVKnobControl::onMouseDblClick(float x, float y, const IMouseMod& mod) {
    const iplug::IParam* p = param();
    if (!valueIsEditable_ || !p || !getUI() || !valueBounds().contains(x, y))
        return IKnobControlBase::onMouseDblClick(x, y, mod);
    getUI()->createTextEntry(
        style_.valueText, valueBounds(), formatNumber("%g", p->fromNormalised(getValue())),
        [this](const std::string& text) {
            if (const iplug::IParam* q = param())
                setValueFromUserInput(q->toNormalised(q->constrain(parseNumber(text))));
        });
}

}  // namespace igraphics
