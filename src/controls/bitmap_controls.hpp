#pragma once
// Picture controls: a plain picture (or one frame of a strip), a picture
// button and a picture slider.
#include "controls/icontrol.hpp"

namespace igraphics {

// Draws frame round(value x (frames - 1)); used for backgrounds and pictures.
class IBitmapControl : public IControl {
  public:
    IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx = kNoParameter);
    void draw(Painter& p) override;
    void onRescale() override;
    const IBitmap& bitmap() const { return bitmap_; }
    int frameShown() const;

  protected:
    IBitmap bitmap_;
};

// A press runs the action with value 1 and the release runs it again with
// value 0; the frame follows the value (0 up, 1 down).
class IBButtonControl : public IBitmapControl {
  public:
    IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction action);
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
};

// Drags the handle picture along the track picture; the handle follows the pointer.
class IBSliderControl : public IControl {
  public:
    IBSliderControl(const IRECT& bounds, const IBitmap& handle, const IBitmap& track, int paramIdx,
                    EDirection direction = EDirection::Vertical);
    void draw(Painter& p) override;
    void onRescale() override;
    void onMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
    // Press to release is one gesture for the plug-in (one step of its history).
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
    void onMouseDblClick(float x, float y, const IMouseMod& mod) override;
    IRECT handleBounds() const;

  private:
    float travel() const;

    IBitmap handle_;
    IBitmap track_;
    EDirection direction_;
    double dragValue_ = 0.0;
};

}  // namespace igraphics
