#pragma once
// The main window: the menu bar and the drawing area that shows the editor's
// content. The content is 1920 x 1200 logical pixels times the draw scale;
// GTK's own scale factor (HiDPI) multiplies on top of it and picks the "@2x"
// pictures. Mouse events reach the content in logical coordinates and only
// dirty rectangles are redrawn.
//
// The window resizes from its edges: the content takes the scale that fits
// the new size (the window manager keeps the aspect; where none does, the
// window snaps to the content once the size has settled), and the corner grip
// still rescales the content with the window following. The first start fits
// the monitor's work area; later starts take the scale the last window closed
// with. The keyboard shortcuts are app/shortcuts' table; the title follows
// the pedal.
//
// Sections of the implementation: desktop_window.cpp (window, content, menu,
// shortcuts, title), desktop_window_size.cpp (sizes), desktop_window_input.cpp
// (drawing and input events).
#include <gtk/gtk.h>

#include <array>
#include <functional>
#include <memory>

#include "app/differences_window.hpp"
#include "app/edit_menu_bar.hpp"
#include "app/glib_event_loop.hpp"
#include "app/gtk_platform.hpp"
#include "app/shortcuts.hpp"
#include "app/window_geometry.hpp"
#include "app/window_title.hpp"
#include "controls/igraphics.hpp"
#include "core/vornix_control.hpp"
#include "ui/window_content.hpp"

namespace vornix::app {

struct WindowCommands {
    std::function<void()> preferences;
    std::function<void()> about;
    std::function<void()> manual;
    std::function<void()> monitor;
    // Preset > History...
    std::function<void()> history;
    // Library > Show Library
    std::function<void()> library;
    // The window is gone and its content closed (the editor's uiClosed ran).
    std::function<void()> closed;
};

class DesktopWindow {
  public:
    // The desktop's name for the program: its .desktop file, icon and metainfo.
    static constexpr const char* AppId = "org.vornix.VornixControl";

    // `scaleStored`: settings.ini holds the scale of the last window; without
    // one the first scale fits the monitor.
    DesktopWindow(VornixControl& editor, GLibEventLoop& loop, GtkPlatform& platform,
                  WindowCommands commands, bool scaleStored);
    // Destroys the window if it still exists.
    ~DesktopWindow();
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;

    GtkWindow* window() const { return window_ ? GTK_WINDOW(window_) : nullptr; }
    ui::PagePresenter* view() const { return content_ ? &content_->view() : nullptr; }
    void present();
    // Destroys the window, which closes the content and runs `closed`.
    void close();

  private:
    // desktop_window.cpp
    GtkWidget* buildMenuBar();
    void connectShortcuts(GtkAccelGroup* accelerators);
    void run(WindowCommand command);
    void openContent();
    void closeContent();
    void setCursorHidden(bool hidden);
    static void onDestroy(GtkWidget* widget, gpointer self);
    // desktop_window_preset.cpp: Preset > Compare With Stored, Compare With...,
    // Differences..., Copy as Text
    void buildPresetMenu(GtkWidget* bar);
    void compareWith();
    void showDifferences();
    void copyAsText();
    // desktop_window_size.cpp
    void chooseFirstScale(bool scaleStored);
    void setSizeHints();
    int barHeight() const;
    Size workArea() const;
    // The content asked for a size (first shown, corner grip): the window follows.
    void resizeContent(int width, int height, double scale);
    // Where the content's top left lies in the area: centred when the area is larger.
    void contentOrigin(double& x, double& y) const;
    static void onAreaAllocate(GtkWidget* widget, GdkRectangle* allocation, gpointer self);
    static gboolean onSnap(gpointer self);
    void scheduleSnap();
    // desktop_window_input.cpp
    void connectInput();
    void queueDirty();
    static gboolean onFrame(gpointer self);
    static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean onButtonRelease(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean onMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean onScroll(GtkWidget* widget, GdkEventScroll* event, gpointer self);
    static gboolean onLeave(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
    static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static void onScaleFactor(GObject* object, GParamSpec* property, gpointer self);
    bool isDoubleClick(const GdkEventButton* event);
    // A pointer position in the area, in the content's logical pixels.
    void toLogical(double areaX, double areaY, float& x, float& y) const;

    VornixControl& editor_;
    GLibEventLoop& loop_;
    GtkPlatform& platform_;
    WindowCommands commands_;
    GtkWidget* window_ = nullptr;
    GtkWidget* bar_ = nullptr;
    GtkWidget* area_ = nullptr;
    std::array<GtkWidget*, WindowCommandCount> menuItems_{};  // by WindowCommand
    TitleFollower title_;
    std::unique_ptr<EditMenuBar> editMenu_;
    std::unique_ptr<DifferencesWindow> differences_;
    // While the content takes its scale from the window's size, the window
    // does not follow the content back.
    bool followingWindow_ = false;
    guint snapSource_ = 0;
    std::unique_ptr<ui::WindowContent> content_;
    igraphics::IGraphics* graphics_ = nullptr;  // the content's, while it is open
    guint frameSource_ = 0;
    GdkCursor* blankCursor_ = nullptr;

    // Pointer state: the last position for drag distances, and the last press
    // for telling a double-click (GTK reports its second press as a press too).
    float lastX_ = 0.f;
    float lastY_ = 0.f;
    guint32 lastPressTime_ = 0;
    guint lastPressButton_ = 0;
    double lastPressX_ = -1e9;
    double lastPressY_ = -1e9;
};

}  // namespace vornix::app
