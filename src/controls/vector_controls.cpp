#include "controls/vector_controls.hpp"

#include <algorithm>
#include <cmath>

#include "controls/igraphics.hpp"
#include "controls/text_format.hpp"
#include "framework/iplug/iparam.hpp"

namespace igraphics {

namespace {

constexpr float kTextPad = 4.f;
constexpr int kTwoStates = 2;

IRECT withoutLabel(const IRECT& r, const IVStyle& style, std::string_view label) {
    if (!style.showLabel || label.empty()) return r;
    return r.reducedFromTop(style.labelText.size + kTextPad);
}

void drawLabel(Painter& p, const IVStyle& style, std::string_view label, const IRECT& r) {
    if (style.showLabel && !label.empty())
        p.drawText(style.labelText, label, r.fromTop(style.labelText.size + kTextPad));
}

}  // namespace

void drawVShape(Painter& p, const IVStyle& style, EVShape shape, const IRECT& r, bool pressed) {
    const float radius = style.roundness * std::min(r.W(), r.H()) / 2;
    // With shadows the face leaves room for its shadow and sinks into it when pressed.
    const float off = style.drawShadows ? style.shadowOffset : 0.f;
    const IRECT face =
        IRECT(r.L, r.T, r.R - off, r.B - off).translated(pressed ? off : 0.f, pressed ? off : 0.f);
    const IColor fill = style.color(pressed ? kPR : kFG);
    auto fillShape = [&](IColor c, const IRECT& s) {
        switch (shape) {
            case EVShape::Ellipse:
                p.fillEllipse(c, s);
                break;
            case EVShape::Triangle:
                p.fillTriangle(c, s.L, s.B, s.MW(), s.T, s.R, s.B);
                break;
            case EVShape::EndsRounded:
            case EVShape::AllRounded:
                p.fillRoundRect(c, s, std::min(s.W(), s.H()) / 2);
                break;
            case EVShape::Rectangle:
                p.fillRoundRect(c, s, radius);
                break;
        }
    };
    if (style.drawShadows && !pressed)
        fillShape(style.color(kSH), face.translated(style.shadowOffset, style.shadowOffset));
    fillShape(fill, face);
    if (!style.drawFrame || style.frameThickness <= 0.f) return;
    switch (shape) {
        case EVShape::Ellipse:
            p.drawEllipse(style.color(kFR), face, style.frameThickness);
            break;
        case EVShape::Rectangle:
            p.drawRoundRect(style.color(kFR), face, radius, style.frameThickness);
            break;
        case EVShape::EndsRounded:
        case EVShape::AllRounded:
            p.drawRoundRect(style.color(kFR), face, std::min(face.W(), face.H()) / 2,
                            style.frameThickness);
            break;
        case EVShape::Triangle:
            break;
    }
}

// ---------------------------------------------------------------- IVSliderControl

IVSliderControl::IVSliderControl(const IRECT& bounds, int paramIdx, std::string label,
                                 const IVStyle& style, bool valueInWidget, EDirection direction,
                                 double gearing, float handleSize, float trackSize)
    : IKnobControlBase(bounds, paramIdx, direction, gearing),
      label_(std::move(label)),
      style_(style),
      valueInWidget_(valueInWidget),
      direction_(direction),
      handleSize_(handleSize),
      trackSize_(trackSize) {
    setHideCursorOnDrag(style.hideCursor);
}

void IVSliderControl::draw(Painter& p) {
    p.fillRect(style_.color(kBG), bounds());
    drawLabel(p, style_, label_, bounds());
    IRECT area = withoutLabel(bounds(), style_, label_);
    const IRECT valueArea = area.fromBottom(style_.valueText.size + kTextPad);
    if (style_.showValue && !valueInWidget_) area = area.reducedFromBottom(valueArea.H());
    const auto v = static_cast<float>(getValue());
    const float h = handleSize_;
    if (direction_ == EDirection::Vertical) {
        const float x = area.MW(), top = area.T + h, bottom = area.B - h;
        const float y = bottom - v * (bottom - top);
        p.drawLine(style_.color(kSH), x, top, x, bottom, trackSize_);
        p.drawLine(style_.color(kX1), x, y, x, bottom, trackSize_);
        p.fillCircle(style_.color(mouseIsDown() ? kPR : kFG), x, y, h);
        if (style_.drawFrame) p.drawEllipse(style_.color(kFR), IRECT(x - h, y - h, x + h, y + h));
    } else {
        const float y = area.MH(), left = area.L + h, right = area.R - h;
        const float x = left + v * (right - left);
        p.drawLine(style_.color(kSH), left, y, right, y, trackSize_);
        p.drawLine(style_.color(kX1), left, y, x, y, trackSize_);
        p.fillCircle(style_.color(mouseIsDown() ? kPR : kFG), x, y, h);
        if (style_.drawFrame) p.drawEllipse(style_.color(kFR), IRECT(x - h, y - h, x + h, y + h));
    }
    if (style_.showValue) {
        const iplug::IParam* prm = param();
        const std::string text =
            prm ? paramDisplayText(*prm, getValue()) : formatNumber("%0.2f", getValue());
        p.drawText(style_.valueText, text, valueInWidget_ ? area : valueArea);
    }
}

// ---------------------------------------------------------------- IVButtonControl

IVButtonControl::IVButtonControl(const IRECT& bounds, IActionFunction action, std::string label,
                                 const IVStyle& style, bool labelInButton, bool valueInButton,
                                 EVShape shape)
    : IControl(bounds, kNoParameter, std::move(action)),
      label_(std::move(label)),
      style_(style),
      labelInButton_(labelInButton),
      valueInButton_(valueInButton),
      shape_(shape) {}

void IVButtonControl::setText(std::string_view text) {
    if (label_ == text) return;
    label_ = std::string(text);
    markDirty();
}

void IVButtonControl::onMouseDown(float, float, const IMouseMod&) {
    setValue(1.0);
    setDirty(true);
}

void IVButtonControl::onMouseUp(float, float, const IMouseMod&) {
    // An action without a click animation leaves nothing to bring the button back up.
    if (!isAnimating()) setValue(0.0);
}

void IVButtonControl::onEndAnimation() {
    setValue(0.0);
    IControl::onEndAnimation();
}

void IVButtonControl::draw(Painter& p) {
    p.fillRect(style_.color(kBG), bounds());
    const IRECT button = labelInButton_ ? bounds() : withoutLabel(bounds(), style_, label_);
    if (!labelInButton_) drawLabel(p, style_, label_, bounds());
    drawVShape(p, style_, shape_, button, getValue() > 0.5);
    if (isAnimating()) {
        const double radius = animationProgress() * std::max(button.W(), button.H());
        p.pushClip(button);
        p.fillCircle(style_.color(kHL), mouseDownX(), mouseDownY(), static_cast<float>(radius));
        p.popClip();
    }
    if (labelInButton_ && style_.showLabel && !label_.empty())
        p.drawText(style_.labelText.withVAlign(EVAlign::Middle), label_, button);
    if (valueInButton_ && style_.showValue)
        p.drawText(style_.valueText, formatNumber("%0.0f", getValue()), button);
}

// ---------------------------------------------------------------- IVSwitchControl

IVSwitchControl::IVSwitchControl(const IRECT& bounds, int paramIdx, std::string label,
                                 const IVStyle& style, bool valueInButton)
    : IControl(bounds, paramIdx),
      label_(std::move(label)),
      style_(style),
      valueInButton_(valueInButton) {}

int IVSwitchControl::numStates() const {
    const iplug::IParam* p = param();
    if (!p || !p->stepped()) return kTwoStates;
    return std::max(kTwoStates, static_cast<int>(p->maximum() - p->minimum()) + 1);
}

int IVSwitchControl::selectedState() const {
    return static_cast<int>(std::lround(getValue() * (numStates() - 1)));
}

void IVSwitchControl::onMouseDown(float, float, const IMouseMod&) {
    const int states = numStates();
    const int next = (selectedState() + 1) % states;
    setValueFromUserInput(static_cast<double>(next) / (states - 1));
}

IRECT IVSwitchControl::widgetBounds() const {
    return withoutLabel(bounds(), style_, label_);
}

std::string IVSwitchControl::stateText() const {
    if (const iplug::IParam* p = param()) return paramDisplayText(*p, getValue());
    return selectedState() ? "ON" : "OFF";
}

void IVSwitchControl::draw(Painter& p) {
    p.fillRect(style_.color(kBG), bounds());
    drawLabel(p, style_, label_, bounds());
    drawVShape(p, style_, EVShape::Rectangle, widgetBounds(), selectedState() > 0);
    if (valueInButton_ && style_.showValue)
        p.drawText(style_.valueText.withVAlign(EVAlign::Middle), stateText(), widgetBounds());
}

// ---------------------------------------------------------------- IVSlideSwitchControl

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, int paramIdx, std::string label,
                                           const IVStyle& style, EDirection direction)
    : IVSwitchControl(bounds, paramIdx, std::move(label), style, false), direction_(direction) {}

IRECT IVSlideSwitchControl::handleBounds() const {
    const IRECT track = widgetBounds();
    const int states = numStates();
    const int state = std::clamp(selectedState(), 0, states - 1);
    return direction_ == EDirection::Horizontal ? track.column(state, states)
                                                : track.row(states - 1 - state, states);
}

void IVSlideSwitchControl::draw(Painter& p) {
    p.fillRect(style_.color(kBG), bounds());
    drawLabel(p, style_, label_, bounds());
    const IRECT track = widgetBounds();
    const float radius = style_.roundness * std::min(track.W(), track.H()) / 2;
    p.fillRoundRect(style_.color(kSH), track, radius);
    if (style_.drawFrame) p.drawRoundRect(style_.color(kFR), track, radius, style_.frameThickness);
    IVStyle handle = style_.withDrawShadows(false);
    drawVShape(p, handle, EVShape::Rectangle, handleBounds().shrunk(2.f), mouseIsDown());
    if (style_.showValue)
        p.drawText(style_.valueText.withVAlign(EVAlign::Middle), stateText(), handleBounds());
}

}  // namespace igraphics
