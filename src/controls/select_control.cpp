#include "controls/select_control.hpp"

#include <algorithm>

namespace igraphics {

IInvisibleSelectControl3::IInvisibleSelectControl3(const IRECT& bounds, int paramIdx)
    : IControl(bounds, paramIdx), origin_(bounds.T), extent_(bounds.H()) {}

void IInvisibleSelectControl3::record(ESelectEvent kind, const IMouseMod& mod, bool direction) {
    lastEvent_ = kind;
    modifier_ = mod.S ? kShift : mod.C ? kCtrl : kNoModifier;
    direction_ = direction;
}

void IInvisibleSelectControl3::select(float x, float y) {
    const float along = vertical_ ? y : x;
    // A drag that leaves the area keeps reporting its nearest end.
    const double value = extent_ > 0.f ? std::clamp((along - origin_) / extent_, 0.f, 1.f) : 0.0;
    setValueFromUserInput(value);
}

void IInvisibleSelectControl3::onMouseDown(float x, float y, const IMouseMod& mod) {
    record(ESelectEvent::MouseDown, mod, false);
    select(x, y);
}

void IInvisibleSelectControl3::onMouseUp(float x, float y, const IMouseMod& mod) {
    record(ESelectEvent::MouseUp, mod, false);
    select(x, y);
}

void IInvisibleSelectControl3::onMouseDrag(float x, float y, float dX, float dY,
                                           const IMouseMod& mod) {
    record(ESelectEvent::Drag, mod, vertical_ ? dY > 0 : dX > 0);
    select(x, y);
}

void IInvisibleSelectControl3::onMouseDblClick(float x, float y, const IMouseMod& mod) {
    record(ESelectEvent::DoubleClick, mod, false);
    select(x, y);
}

void IInvisibleSelectControl3::onMouseWheel(float x, float y, const IMouseMod& mod, float d) {
    record(ESelectEvent::Wheel, mod, d > 0);
    if (d != 0.f) select(x, y);
}

}  // namespace igraphics
