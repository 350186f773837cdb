#pragma once
// Knobs: the shared gesture (vertical drag with gearing, wheel, double-click
// to the default) and the bitmap, rotated-bitmap, SVG and vector knobs.
//
// Sections: IKnobControlBase, IBKnobControl, IBKnobRotaterControl,
// ISVGKnobControl, IVKnobControl.
#include <string>

#include "controls/icontrol.hpp"
#include "controls/kept_layer.hpp"

namespace igraphics {

inline constexpr double kDefaultGearing = 4.0;
inline constexpr double kFineFactor = 10.0;
inline constexpr double kWheelStep = 0.01;

// ---------------------------------------------------------------- IKnobControlBase
class IKnobControlBase : public IControl {
  public:
    IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection direction = EDirection::Vertical,
                     double gearing = kDefaultGearing);

    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
    void onMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
    void onMouseDblClick(float x, float y, const IMouseMod& mod) override;
    void onMouseWheel(float x, float y, const IMouseMod& mod, float d) override;

    double gearing() const { return gearing_; }
    void setGearing(double g) { gearing_ = g; }
    void setHideCursorOnDrag(bool hide) { hideCursor_ = hide; }

  private:
    EDirection direction_;
    double gearing_;
    bool hideCursor_ = false;
    // The unsnapped drag position, so that small moves add up to a step.
    double dragValue_ = 0.0;
};

// ---------------------------------------------------------------- IBKnobControl
class IBKnobControl : public IKnobControlBase {
  public:
    // The bounds are one frame, centred in rect.
    IBKnobControl(const IRECT& rect, const IBitmap& bitmap, int paramIdx,
                  double gearing = kDefaultGearing, EDirection direction = EDirection::Vertical);

    void draw(Painter& p) override;
    void onRescale() override;
    const IBitmap& bitmap() const { return bitmap_; }
    int frameShown() const;

  protected:
    IBitmap bitmap_;
};

// ---------------------------------------------------------------- IBKnobRotaterControl
class IBKnobRotaterControl : public IBKnobControl {
  public:
    static constexpr double kTravelDeg = 300.0;

    IBKnobRotaterControl(const IRECT& rect, const IBitmap& bitmap, int paramIdx);
    void draw(Painter& p) override;
    // value x 300 - 150: -150 at 0, unrotated at 0.5, +150 at 1.
    double angle() const { return getValue() * kTravelDeg - kTravelDeg / 2; }

  protected:
    bool cachesDrawing() const override { return true; }
};

// ---------------------------------------------------------------- ISVGKnobControl
class ISVGKnobControl : public IKnobControlBase {
  public:
    static constexpr double kMinAngle = -135.0;
    static constexpr double kMaxAngle = 135.0;

    ISVGKnobControl(const IRECT& bounds, const ISVG& svg, int paramIdx);
    void draw(Painter& p) override;
    double angle() const { return kMinAngle + getValue() * (kMaxAngle - kMinAngle); }

  protected:
    bool cachesDrawing() const override { return true; }

  private:
    ISVG svg_;
};

// ---------------------------------------------------------------- IVKnobControl
class IVKnobControl : public IKnobControlBase {
  public:
    IVKnobControl(const IRECT& bounds, int paramIdx, std::string label = {},
                  const IVStyle& style = DEFAULT_STYLE, bool valueInWidget = false,
                  bool valueIsEditable = false, float aMin = -135.f, float aMax = 135.f,
                  float aAnchor = -135.f, EDirection direction = EDirection::Vertical,
                  double gearing = kDefaultGearing, float trackSize = 2.f);

    void draw(Painter& p) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
    void onMouseDblClick(float x, float y, const IMouseMod& mod) override;
    const IVStyle& style() const { return style_; }
    std::string valueText() const;

  protected:
    bool cachesDrawing() const override { return true; }

  private:
    IRECT labelBounds() const;
    IRECT valueBounds() const;
    IRECT widgetBounds() const;

    std::string label_;
    IVStyle style_;
    bool valueInWidget_;
    bool valueIsEditable_;
    float aMin_, aMax_, aAnchor_;
    float trackSize_;
    // The dial does not turn with the value: while the knob is held, every
    // step of the drag paints it from this picture instead of filling and
    // stroking its circle again. It goes on release.
    KeptLayer heldDial_;
};

}  // namespace igraphics
