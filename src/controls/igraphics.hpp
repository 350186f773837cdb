#pragma once
// The drawing context: owns the controls of one window, finds them by tag and
// group, routes mouse events to them, moves parameter values between them and
// the plug-in, and draws whatever is dirty onto any cairo context. It knows
// nothing of GTK; the shell feeds it logical mouse coordinates and a cairo_t.
//
// Sections: construction and services, building (attach, tags, groups),
// values, resources and scale, drawing, mouse and keys, menus and text entry.
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "controls/fonts.hpp"
#include "controls/icontrol.hpp"
#include "controls/iplatform.hpp"
#include "controls/kept_frame.hpp"
#include "controls/layers.hpp"
#include "controls/resources.hpp"
#include "framework/event_loop.hpp"
#include "framework/iplug/editor_delegate.hpp"

namespace igraphics {

inline constexpr int kLogicalWidth = 1920;
inline constexpr int kLogicalHeight = 1200;
inline constexpr int kIdleTimerMs = 20;
inline constexpr int kAnimationFrameMs = 16;
inline constexpr float kCornerResizerSize = 20.f;

class IGraphics {
  public:
    using ControlFn = std::function<void(IControl&)>;

    IGraphics(iplug::IEditorDelegate& delegate, vornix::EventLoop& loop, int width = kLogicalWidth,
              int height = kLogicalHeight);
    ~IGraphics();
    IGraphics(const IGraphics&) = delete;
    IGraphics& operator=(const IGraphics&) = delete;

    iplug::IEditorDelegate& delegate() const { return delegate_; }
    vornix::EventLoop& loop() const { return loop_; }
    // Not owned; null means no desktop services (every box answers by default).
    void setPlatform(IPlatform* platform) { platform_ = platform; }
    IPlatform* platform() const { return platform_; }

    // ---- building
    // Appends the control and returns it. A tag that names a control already
    // attached is a fault in the page that attaches it: the control is dropped
    // and std::invalid_argument says which tag, so no page is built with a
    // control that its tag does not reach. A null control is refused alike.
    IControl& attach(std::unique_ptr<IControl> control, ControlTag tag = kNoTag,
                     std::string_view group = {});
    template <typename T>
    T& attach(std::unique_ptr<T> control, ControlTag tag = kNoTag, std::string_view group = {}) {
        return static_cast<T&>(attach(std::unique_ptr<IControl>(std::move(control)), tag, group));
    }
    int nControls() const { return static_cast<int>(controls_.size()); }
    IControl* getControl(int index) const;
    // Null when no control carries the tag.
    IControl* controlWithTag(ControlTag tag) const;
    void removeAllControls();

    void forAllControls(const ControlFn& fn);
    // Exact, case-sensitive; the empty name reaches nothing.
    void forGroup(std::string_view group, const ControlFn& fn);
    void forParam(int paramIdx, const ControlFn& fn);
    void disableForParam(int paramIdx, bool disabled);
    void hideGroup(std::string_view group);
    void showGroup(std::string_view group);
    void disableGroup(std::string_view group);
    void enableGroup(std::string_view group);
    // By tag; false when no control holds the tag.
    bool setTextOf(ControlTag tag, std::string_view text);
    bool setColorOf(ControlTag tag, IColor color);
    bool setValueOf(ControlTag tag, double normalised);

    // ---- values
    // A control's gesture changed its values: send them, update the peers, run the action.
    void onUserEdit(IControl& control, int valIdx);
    // The plug-in changed a parameter: show it in every control bound to it.
    void sendParameterValueFromDelegate(int paramIdx, double normalised);
    // The 20 ms timer's work: moves the plug-in's queued values into the controls.
    void onTimer20ms();
    // Runs onTimer20ms and then idle every 20 ms on the event loop.
    void startIdleTimer(std::function<void()> idle = nullptr);

    // ---- resources and scale
    void setResourceLookup(ResourceLookup lookup) { resources_.setLookup(std::move(lookup)); }
    ResourceCache& resources() { return resources_; }
    IBitmap bitmapResource(std::string_view name, int frames = 1, bool framesHorizontal = false);
    ISVG svgResource(std::string_view name, std::string_view units = "px", float dpi = 72.f);
    bool loadFont(const std::string& id, std::span<const std::uint8_t> bytes);
    // Registers the TrueType resource fileName under id.
    bool fontResource(const std::string& id, std::string_view fileName);
    void setDefaultFont(std::string id) { fonts_.setDefault(std::move(id)); }
    const FontRegistry& fonts() const { return fonts_; }

    void setDrawScale(float width, float height, float scale);
    double drawScale() const { return drawScale_; }
    // Device pixels per logical pixel: the draw scale times the screen scale.
    double pixelScale() const { return drawScale_ * screenScale_; }
    // The monitor's device pixel ratio; 2 picks "@2x" pictures as well.
    void setScreenScale(double scale);
    float width() const { return width_; }
    float height() const { return height_; }
    IRECT bounds() const { return IRECT(0, 0, width_, height_); }

    // ---- drawing
    void setBackgroundColor(IColor color);
    void attachCornerResizer(float size = kCornerResizerSize);
    // True when something needs drawing; rect is then the union to redraw.
    bool isDirty(IRECT& rect);
    // The areas to redraw, overlapping ones merged: two small changes far
    // apart (a knob and the readout) do not redraw everything between them.
    std::vector<IRECT> dirtyAreas();
    // Repaints the whole window; controls that did not change keep their pictures.
    void setAllDirty();
    // An area no control marks any more needs drawing: the place a control
    // moved away from, a closed layer.
    void markAreaDirty(const IRECT& area);
    // cr is in device pixels; draws the logical rect dirty and clears the dirty
    // marks. What changed is drawn on the kept frame of the window, and the
    // rect is copied from there.
    void draw(cairo_t* cr, const IRECT& dirty);

    // ---- mouse (logical coordinates) and keys
    void onMouseDown(float x, float y, const IMouseMod& mod);
    void onMouseUp(float x, float y, const IMouseMod& mod);
    void onMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod);
    void onMouseDblClick(float x, float y, const IMouseMod& mod);
    void onMouseWheel(float x, float y, const IMouseMod& mod, float d);
    void onMouseOver(float x, float y, const IMouseMod& mod);
    void onMouseOut();
    // Typed text and editing keys go to an open text entry or menu; false
    // when unused. extend is Shift held: the entry's moves then select.
    // What the entry refuses rings the platform's bell.
    bool onTextInput(std::string_view utf8);
    bool onKey(EKey key, bool extend = false);
    IControl* controlAt(float x, float y) const;

    // ---- platform services, menus and text entry
    // The completion gets the answer before this returns.
    EMsgBoxResult showMessageBox(std::string_view text, std::string_view caption, EMsgBoxType type,
                                 const std::function<void(EMsgBoxResult)>& completion = nullptr);
    void promptForFile(std::string& fileName, std::string& folder, EFileAction action,
                       std::string_view extensions,
                       const std::function<void(const std::string&)>& completion = nullptr);
    bool openURL(std::string_view url);
    void hideMouseCursor(bool hide);
    void createPopupMenu(PopupMenu menu, const IRECT& bounds, PopupMenuLayer::Completion done);
    void createTextEntry(const IText& style, const IRECT& bounds, std::string_view initial,
                         TextEntryLayer::Completion done,
                         std::size_t maxChars = TextEntryLayer::kDefaultMaxChars);
    PopupMenuLayer& popupMenu() { return menu_; }
    TextEntryLayer& textEntry() { return textEntry_; }

    // ---- animation clock (advanced by the event loop while anything animates)
    long long clockMs() const { return clockMs_; }
    int animate(IControl& control, int durationMs);
    void cancelAnimation(IControl& control);

  private:
    void editTextEntry(EKey key, bool extend);
    IControl* captureAt(float x, float y);
    void releaseCapture(float x, float y, const IMouseMod& mod);
    void stopFrameTimerIfIdle();
    void paintArea(cairo_t* cr, const IRECT& area, const cairo_font_options_t* surfaceOptions);

    iplug::IEditorDelegate& delegate_;
    vornix::EventLoop& loop_;
    IPlatform* platform_ = nullptr;
    float width_;
    float height_;
    double drawScale_ = 1.0;
    double screenScale_ = 1.0;
    IColor background_ = COLOR_GRAY;
    bool backgroundDirty_ = true;
    KeptFrame frame_;
    // The frame was made anew and holds no whole drawing yet.
    bool frameStale_ = true;
    IRECT pendingDirty_;
    bool resizing_ = false;

    std::vector<std::unique_ptr<IControl>> controls_;
    std::unordered_map<int, IControl*> tags_;  // by ControlTag::value()
    IControl* captured_ = nullptr;
    IControl* mouseOver_ = nullptr;

    ResourceCache resources_;
    FontRegistry fonts_;
    PopupMenuLayer menu_;
    TextEntryLayer textEntry_;
    CornerResizer resizer_;

    long long clockMs_ = 0;
    std::set<IControl*> animating_;
    std::optional<vornix::EventLoop::TimerId> frameTimer_;
    std::optional<vornix::EventLoop::TimerId> idleTimer_;
};

}  // namespace igraphics
