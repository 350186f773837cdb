#pragma once
// The main window: the menu bar and the drawing area that shows the editor's
// content. The area is exactly 1920 x 1200 logical pixels times the draw
// scale; GTK's own scale factor (HiDPI) multiplies on top of it and picks the
// "@2x" pictures. Mouse events reach the content in logical coordinates and
// only dirty rectangles are redrawn.
//
// Sections of the implementation: app_window.cpp (window, content, menu),
// app_window_input.cpp (drawing and input events).
#include <gtk/gtk.h>

#include <functional>
#include <memory>

#include "app/glib_event_loop.hpp"
#include "app/gtk_platform.hpp"
#include "controls/igraphics.hpp"
#include "core/vornix_control.hpp"
#include "ui/editor_window.hpp"

namespace vornix::app {

struct WindowCommands {
    std::function<void()> preferences;
    std::function<void()> about;
    std::function<void()> manual;
    // The window is gone and its content closed (the editor's uiClosed ran).
    std::function<void()> closed;
};

class MainWindow {
  public:
    static constexpr const char* Title = "VornixControl";

    MainWindow(VornixControl& editor, GLibEventLoop& loop, GtkPlatform& platform,
               WindowCommands commands);
    // Destroys the window if it still exists.
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    GtkWindow* window() const { return window_ ? GTK_WINDOW(window_) : nullptr; }
    ui::GraphicsView* view() const { return content_ ? &content_->view() : nullptr; }
    void present();
    // Destroys the window, which closes the content and runs `closed`.
    void close();

  private:
    // app_window.cpp
    GtkWidget* buildMenuBar(GtkAccelGroup* accelerators);
    void openContent();
    void closeContent();
    void resizeContent(int width, int height, double scale);
    void setCursorHidden(bool hidden);
    static void onDestroy(GtkWidget* widget, gpointer self);
    // app_window_input.cpp
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

    VornixControl& editor_;
    GLibEventLoop& loop_;
    GtkPlatform& platform_;
    WindowCommands commands_;
    GtkWidget* window_ = nullptr;
    GtkWidget* area_ = nullptr;
    std::unique_ptr<ui::EditorWindow> content_;
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
