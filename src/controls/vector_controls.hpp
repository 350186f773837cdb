#pragma once
// Vector controls drawn from an IVStyle: slider, push button and switches.
#include <string>

#include "controls/knob_controls.hpp"

namespace igraphics {

// A slider on the knob gesture: drag along its axis, wheel, double-click default.
class IVSliderControl : public IKnobControlBase {
  public:
    IVSliderControl(const IRECT& bounds, int paramIdx, std::string label = {},
                    const IVStyle& style = DEFAULT_STYLE, bool valueInWidget = false,
                    EDirection direction = EDirection::Vertical, double gearing = 1.0,
                    float handleSize = 8.f, float trackSize = 2.f);
    void draw(Painter& p) override;

  protected:
    bool cachesDrawing() const override { return true; }

  private:
    std::string label_;
    IVStyle style_;
    bool valueInWidget_;
    EDirection direction_;
    float handleSize_;
    float trackSize_;
};

// Momentary: a press sets 1 and runs the action (normally splashClickActionFunc);
// when the click animation ends the value returns to 0 and the end action runs.
class IVButtonControl : public IControl {
  public:
    IVButtonControl(const IRECT& bounds, IActionFunction action = splashClickActionFunc,
                    std::string label = {}, const IVStyle& style = DEFAULT_STYLE,
                    bool labelInButton = true, bool valueInButton = false,
                    EVShape shape = EVShape::Rectangle);
    void draw(Painter& p) override;
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
    void onEndAnimation() override;
    void setText(std::string_view text) override;
    const std::string& label() const { return label_; }

  protected:
    bool cachesDrawing() const override { return true; }

  private:
    std::string label_;
    IVStyle style_;
    bool labelInButton_;
    bool valueInButton_;
    EVShape shape_;
};

// Each press moves to the next state, wrapping after the last.
class IVSwitchControl : public IControl {
  public:
    IVSwitchControl(const IRECT& bounds, int paramIdx = kNoParameter, std::string label = {},
                    const IVStyle& style = DEFAULT_STYLE, bool valueInButton = true);
    void draw(Painter& p) override;
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    int numStates() const;
    int selectedState() const;

  protected:
    bool cachesDrawing() const override { return true; }
    IRECT widgetBounds() const;
    std::string stateText() const;

    std::string label_;
    IVStyle style_;
    bool valueInButton_;
};

class IVSlideSwitchControl : public IVSwitchControl {
  public:
    IVSlideSwitchControl(const IRECT& bounds, int paramIdx = kNoParameter, std::string label = {},
                         const IVStyle& style = DEFAULT_STYLE,
                         EDirection direction = EDirection::Horizontal);
    void draw(Painter& p) override;
    IRECT handleBounds() const;

  private:
    EDirection direction_;
};

// The shape of a vector widget in the style's colours; shared by the IV controls.
void drawVShape(Painter& p, const IVStyle& style, EVShape shape, const IRECT& r, bool pressed);

}  // namespace igraphics
