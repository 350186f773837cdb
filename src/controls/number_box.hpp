#pragma once
// A number in the bound parameter's own units: drag or wheel to change it,
// double-click to type it.
#include <string>

#include "controls/icontrol.hpp"

namespace igraphics {

class IVLabelControl;

class IVNumberBoxControl : public IContainerBase {
  public:
    static constexpr double kCoarseStep = 1.0;
    static constexpr double kFineStep = 0.1;
    static constexpr const char* kNumberFormat = "%0.0f";

    // Only bounds, parameter, action, label, style, default and range take effect:
    // the boxes always show whole numbers and have no step buttons.
    IVNumberBoxControl(const IRECT& bounds, int paramIdx = kNoParameter,
                       IActionFunction action = nullptr, std::string label = {},
                       const IVStyle& style = DEFAULT_STYLE, bool buttons = false,
                       double defaultValue = 50.0, double minimum = 1.0, double maximum = 100.0,
                       const char* format = kNumberFormat, bool triangle = false);

    void onAttached() override;
    void onResize() override;
    void draw(Painter& p) override;
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
    void onMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
    void onMouseDblClick(float x, float y, const IMouseMod& mod) override;
    void onMouseWheel(float x, float y, const IMouseMod& mod, float d) override;
    void setValueFromEditor(double normalised, int valIdx = 0) override;

    double realValue() const { return value_; }
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    std::string numberText() const;
    IRECT numberBounds() const;

  private:
    void update();
    double toNormalised(double value) const;
    double fromNormalised(double normalised) const;

    std::string label_;
    IVStyle style_;
    double value_;
    double min_;
    double max_;
    IVLabelControl* numberLabel_ = nullptr;
};

}  // namespace igraphics
