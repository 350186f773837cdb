#pragma once
// The base of every control, and of controls that own child controls.
//
// Sections: IControl (values, state, mouse, animation), IContainerBase,
// splashClickActionFunc.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_tag.hpp"
#include "controls/draw_cache.hpp"
#include "controls/painter.hpp"
#include "controls/records.hpp"

namespace iplug {
class IParam;
}

namespace igraphics {

class IGraphics;
class IControl;

using IActionFunction = std::function<void(IControl*)>;

inline constexpr int kNoParameter = -1;
inline constexpr int kNoValIdx = -1;
inline constexpr int kSplashClickMs = 100;

// Starts the click animation: a splash grows from the pointer for 100 ms,
// after which the control's end action runs.
void splashClickActionFunc(IControl* control);

// ---------------------------------------------------------------- IControl
class IControl {
  public:
    explicit IControl(const IRECT& bounds, int paramIdx = kNoParameter,
                      IActionFunction action = nullptr);
    virtual ~IControl();
    IControl(const IControl&) = delete;
    IControl& operator=(const IControl&) = delete;

    virtual void draw(Painter& p) = 0;
    // Draws the control and whatever it owns; containers add their children.
    virtual void drawTree(Painter& p) { draw(p); }

    // Called once the control belongs to a context (bound values are set).
    virtual void onAttached() {}
    // The draw scale changed: fetch pictures again for the new scale.
    virtual void onRescale() {}
    virtual void onResize() {}

    virtual void onMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
    virtual void onMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
    virtual void onMouseDrag(float /*x*/, float /*y*/, float /*dX*/, float /*dY*/,
                             const IMouseMod& /*mod*/) {}
    // Controls without a double-click meaning take it as a second press.
    virtual void onMouseDblClick(float x, float y, const IMouseMod& mod) { onMouseDown(x, y, mod); }
    virtual void onMouseWheel(float /*x*/, float /*y*/, const IMouseMod& /*mod*/, float /*d*/) {}
    virtual void onMouseOver(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
    virtual void onMouseOut() {}
    // The animation's time is up: stops it and runs the end action.
    virtual void onEndAnimation();

    // The control (or child) that takes a mouse event at (x, y), or null.
    virtual IControl* targetAt(float x, float y);

    // ---- geometry, identity
    const IRECT& bounds() const { return bounds_; }
    void setBounds(const IRECT& r);
    ControlTag tag() const { return tag_; }
    const std::string& group() const { return group_; }
    IGraphics* getUI() const { return ui_; }
    IControl* parent() const { return parent_; }

    // ---- values: normalised 0-1, each bound to a parameter or to none
    int nVals() const { return static_cast<int>(vals_.size()); }
    int paramIdx(int valIdx = 0) const;
    void setParamIdx(int paramIdx, int valIdx = 0);
    // The bound parameter, or null when unbound or not attached.
    const iplug::IParam* param(int valIdx = 0) const;
    double getValue(int valIdx = 0) const;
    // Stores the value (clamped) and marks dirty without sending it anywhere.
    virtual void setValue(double value, int valIdx = 0);
    // A value from the editor; ignored while the user is dragging this control.
    virtual void setValueFromEditor(double value, int valIdx = 0);
    // A value from a gesture: stores it and sends it on (see setDirty).
    virtual void setValueFromUserInput(double value, int valIdx = 0);
    // The bound parameter's default, as a user edit.
    virtual void setValueToDefault(int valIdx = 0);
    // Marks for redraw; with triggerAction, sends the bound values to the
    // editor, updates the controls that share the parameter and runs the action.
    virtual void setDirty(bool triggerAction = true, int valIdx = kNoValIdx);
    bool isDirty() const { return dirty_; }
    void markDirty();
    // Its place needs drawing, its picture is unchanged.
    void markPlaceDirty();
    virtual void clearDirty() { dirty_ = false; }

    // ---- state
    virtual void hide(bool hidden);
    bool isHidden() const { return hidden_; }
    virtual void disable(bool disabled);
    bool isDisabled() const { return disabled_; }
    void setIgnoreMouse(bool ignore) { ignoreMouse_ = ignore; }
    bool ignoresMouse() const { return ignoreMouse_; }
    bool mouseIsDown() const { return mouseIsDown_; }
    void setMouseIsDown(bool down) {
        // Controls show the press in their colours; the redraw itself waits for a value change.
        if (mouseIsDown_ != down) drawCache_.invalidate();
        mouseIsDown_ = down;
    }
    float mouseDownX() const { return mouseDownX_; }
    float mouseDownY() const { return mouseDownY_; }
    void setMouseDownPoint(float x, float y) {
        mouseDownX_ = x;
        mouseDownY_ = y;
    }

    // Text and colour for the controls that show them; others ignore it.
    virtual void setText(std::string_view /*text*/) {}
    virtual void setColor(IColor /*color*/) {}

    void setAction(IActionFunction fn) { action_ = std::move(fn); }
    void setEndAction(IActionFunction fn) { endAction_ = std::move(fn); }
    const IActionFunction& action() const { return action_; }
    const IActionFunction& endAction() const { return endAction_; }

    // ---- animation, on the context's event loop clock
    void startAnimation(int durationMs);
    bool isAnimating() const { return animating_; }
    // 0 at the start, 1 at the end of the running animation.
    double animationProgress() const;

  protected:
    // True when everything draw() shows changes only through markDirty (or
    // the press), so the context may paint a kept picture instead of drawing.
    virtual bool cachesDrawing() const { return false; }
    // The normalised distance of one step of a stepped parameter, else 0.
    double stepSize(int valIdx = 0) const;
    // Rounds a normalised value to the parameter's steps when it has them.
    double snapToStep(double value, int valIdx = 0) const;

  private:
    friend class IGraphics;
    friend class IContainerBase;
    struct BoundValue {
        int paramIdx = kNoParameter;
        double value = 0.0;
    };

    IRECT bounds_;
    std::vector<BoundValue> vals_;
    ControlTag tag_ = kNoTag;
    std::string group_;
    IGraphics* ui_ = nullptr;
    IControl* parent_ = nullptr;
    bool hidden_ = false;
    bool disabled_ = false;
    bool dirty_ = true;
    bool ignoreMouse_ = false;
    bool mouseIsDown_ = false;
    float mouseDownX_ = 0.f;
    float mouseDownY_ = 0.f;
    IActionFunction action_;
    IActionFunction endAction_;
    bool animating_ = false;
    int animationDurationMs_ = 0;
    long long animationStartMs_ = 0;
    int animationTimer_ = 0;
    DrawCache drawCache_;
};

// ---------------------------------------------------------------- IContainerBase
// A control that owns child controls: they are drawn after it, take the mouse
// before it, and are hidden and disabled with it.
class IContainerBase : public IControl {
  public:
    using AttachFunc = std::function<void(IContainerBase* container, const IRECT& bounds)>;

    explicit IContainerBase(const IRECT& bounds, int paramIdx = kNoParameter,
                            IActionFunction action = nullptr, AttachFunc attachFunc = nullptr);

    void onAttached() override;
    void onRescale() override;
    void drawTree(Painter& p) override;
    IControl* targetAt(float x, float y) override;
    void hide(bool hidden) override;
    void disable(bool disabled) override;
    void clearDirty() override;

    IControl* addChildControl(std::unique_ptr<IControl> child);
    int nChildren() const { return static_cast<int>(children_.size()); }
    IControl* getChild(int i) const { return children_.at(static_cast<std::size_t>(i)).get(); }

  private:
    std::vector<std::unique_ptr<IControl>> children_;
    AttachFunc attachFunc_;
};

}  // namespace igraphics
