#pragma once
// An invisible area that turns every mouse event over a list into a change of
// its parameter: the value is the pointer's position along the area, and the
// owner reads what kind of event it was from the control.
#include "controls/icontrol.hpp"

namespace igraphics {

enum class ESelectEvent { MouseDown = 0, MouseUp = 1, Drag = 2, DoubleClick = 3, Wheel = 4 };

class IInvisibleSelectControl3 : public IControl {
  public:
    static constexpr int kNoModifier = 0;
    static constexpr int kShift = 1;
    static constexpr int kCtrl = 2;

    IInvisibleSelectControl3(const IRECT& bounds, int paramIdx);

    void draw(Painter&) override {}
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseUp(float x, float y, const IMouseMod& mod) override;
    void onMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
    void onMouseDblClick(float x, float y, const IMouseMod& mod) override;
    void onMouseWheel(float x, float y, const IMouseMod& mod, float d) override;

    ESelectEvent lastEvent() const { return lastEvent_; }
    int lastEventKind() const { return static_cast<int>(lastEvent_); }
    // 1 with Shift, else 2 with Ctrl, else 0.
    int modifier() const { return modifier_; }
    // Drag: moved down. Wheel: turned up.
    bool direction() const { return direction_; }
    bool isVertical() const { return vertical_; }

  private:
    void record(ESelectEvent kind, const IMouseMod& mod, bool direction);
    void select(float x, float y);

    bool vertical_ = true;
    float origin_;
    float extent_;
    ESelectEvent lastEvent_ = ESelectEvent::MouseDown;
    int modifier_ = kNoModifier;
    bool direction_ = false;
};

}  // namespace igraphics
