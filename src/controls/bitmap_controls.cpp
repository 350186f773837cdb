#include "controls/bitmap_controls.hpp"

#include <algorithm>
#include <cmath>

#include "controls/igraphics.hpp"

namespace igraphics {

namespace {

IBitmap refetched(IGraphics* ui, const IBitmap& b) {
    return ui ? ui->bitmapResource(b.name(), b.frames(), b.framesAreHorizontal()) : b;
}

}  // namespace

// ---------------------------------------------------------------- IBitmapControl

IBitmapControl::IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx)
    : IControl(IRECT::makeXYWH(x, y, bitmap.frameWidth(), bitmap.frameHeight()), paramIdx),
      bitmap_(bitmap) {}

int IBitmapControl::frameShown() const {
    return static_cast<int>(std::lround(getValue() * (bitmap_.frames() - 1)));
}

void IBitmapControl::draw(Painter& p) {
    p.drawBitmap(bitmap_, bounds(), frameShown());
}

void IBitmapControl::onRescale() {
    bitmap_ = refetched(getUI(), bitmap_);
}

// ---------------------------------------------------------------- IBButtonControl

IBButtonControl::IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction action)
    : IBitmapControl(x, y, bitmap) {
    setAction(std::move(action));
}

void IBButtonControl::onMouseDown(float, float, const IMouseMod&) {
    setValue(1.0);
    setDirty(true);
}

void IBButtonControl::onMouseUp(float, float, const IMouseMod&) {
    setValue(0.0);
    setDirty(true);
}

// ---------------------------------------------------------------- IBSliderControl

IBSliderControl::IBSliderControl(const IRECT& bounds, const IBitmap& handle, const IBitmap& track,
                                 int paramIdx, EDirection direction)
    : IControl(bounds, paramIdx), handle_(handle), track_(track), direction_(direction) {}

float IBSliderControl::travel() const {
    return direction_ == EDirection::Vertical ? bounds().H() - handle_.frameHeight()
                                              : bounds().W() - handle_.frameWidth();
}

IRECT IBSliderControl::handleBounds() const {
    const auto offset = static_cast<float>(getValue()) * std::max(0.f, travel());
    const float hw = handle_.frameWidth(), hh = handle_.frameHeight();
    if (direction_ == EDirection::Vertical)  // 0 at the bottom
        return IRECT::makeXYWH(bounds().MW() - hw / 2, bounds().B - hh - offset, hw, hh);
    return IRECT::makeXYWH(bounds().L + offset, bounds().MH() - hh / 2, hw, hh);
}

void IBSliderControl::draw(Painter& p) {
    p.drawBitmap(track_, bounds().centred(track_.frameWidth(), track_.frameHeight()), 0);
    p.drawBitmap(handle_, handleBounds(), 0);
}

void IBSliderControl::onRescale() {
    handle_ = refetched(getUI(), handle_);
    track_ = refetched(getUI(), track_);
}

void IBSliderControl::onMouseDown(float, float, const IMouseMod&) {
    dragValue_ = getValue();
    if (getUI() && paramIdx() >= 0)
        getUI()->delegate().beginInformHostOfParamChangeFromUI(paramIdx());
}

void IBSliderControl::onMouseUp(float, float, const IMouseMod&) {
    if (getUI() && paramIdx() >= 0)
        getUI()->delegate().endInformHostOfParamChangeFromUI(paramIdx());
}

void IBSliderControl::onMouseDrag(float, float, float dX, float dY, const IMouseMod&) {
    const float length = travel();
    if (length <= 0.f) return;
    const float moved = direction_ == EDirection::Vertical ? -dY : dX;
    dragValue_ = std::clamp(dragValue_ + moved / length, 0.0, 1.0);
    const double snapped = snapToStep(dragValue_);
    if (snapped != getValue()) setValueFromUserInput(snapped);
}

void IBSliderControl::onMouseDblClick(float, float, const IMouseMod&) {
    setValueToDefault();
}

}  // namespace igraphics
