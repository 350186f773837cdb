// The main window's size: the first scale, the size hints, following a
// resize from the edges, and the window following the content.
#include <algorithm>
#include <cmath>

#include "app/desktop_window.hpp"

namespace vornix::app {

namespace {

// How long a size has to stay before the window snaps to the content.
constexpr guint SnapDelayMs = 300;
// A window the desktop placed this way keeps its size; the content is
// centred in it.
constexpr int KeptStates = GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN |
                           GDK_WINDOW_STATE_TILED | GDK_WINDOW_STATE_TOP_TILED |
                           GDK_WINDOW_STATE_BOTTOM_TILED | GDK_WINDOW_STATE_LEFT_TILED |
                           GDK_WINDOW_STATE_RIGHT_TILED;

}  // namespace

int DesktopWindow::barHeight() const {
    if (!bar_) return 0;
    const int allocated = gtk_widget_get_allocated_height(bar_);
    if (gtk_widget_get_realized(bar_) && allocated > 1) return allocated;
    int natural = 0;
    gtk_widget_get_preferred_height(bar_, nullptr, &natural);
    return natural;
}

// The monitor the window is on, or the primary one before it is shown. GDK
// gives the work area in the pixels GTK sizes windows in, whatever the
// monitor's scale factor.
Size DesktopWindow::workArea() const {
    GdkDisplay* display = gtk_widget_get_display(window_);
    GdkWindow* shown = gtk_widget_get_window(window_);
    GdkMonitor* monitor = shown ? gdk_display_get_monitor_at_window(display, shown) : nullptr;
    if (!monitor) monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return {};
    GdkRectangle area{};
    gdk_monitor_get_workarea(monitor, &area);
    return {area.width, area.height};
}

void DesktopWindow::chooseFirstScale(bool scaleStored) {
    const Size area = workArea();
    if (area.width <= 0 || area.height <= 0) return;
    const double scale = scaleStored ? scaleThatFits(editor_.drawScale(), area, barHeight())
                                     : firstScale(area, barHeight());
    editor_.setDrawScale(static_cast<float>(scale));
}

// No aspect hint: GDK applies one to the whole window, menu bar included,
// where window managers take the menu bar off first, and the two fight. The
// window snaps to the content's aspect instead, once a resize has settled.
void DesktopWindow::setSizeHints() {
    GdkGeometry hints{};
    const Size smallest = contentSize(MinWindowScale);
    hints.min_width = smallest.width;
    hints.min_height = smallest.height + barHeight();
    gtk_window_set_geometry_hints(GTK_WINDOW(window_), nullptr, &hints, GDK_HINT_MIN_SIZE);
    g_signal_connect(area_, "size-allocate", G_CALLBACK(onAreaAllocate), this);
}

void DesktopWindow::resizeContent(int width, int height, double scale) {
    editor_.setDrawScale(static_cast<float>(scale));
    if (!area_) return;
    if (!followingWindow_) gtk_window_resize(GTK_WINDOW(window_), width, height + barHeight());
    gtk_widget_queue_draw(area_);
}

void DesktopWindow::contentOrigin(double& x, double& y) const {
    x = y = 0.0;
    if (!graphics_ || !area_) return;
    const Size content = contentSize(graphics_->drawScale());
    // Whole pixels, so the content is not drawn between two.
    x = std::floor(std::max(0, gtk_widget_get_allocated_width(area_) - content.width) / 2.0);
    y = std::floor(std::max(0, gtk_widget_get_allocated_height(area_) - content.height) / 2.0);
}

void DesktopWindow::onAreaAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_) return;
    const Size area{allocation->width, allocation->height};
    if (const auto scale = scaleForArea(area, self->graphics_->drawScale())) {
        self->followingWindow_ = true;
        self->graphics_->setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight,
                                      static_cast<float>(*scale));
        self->followingWindow_ = false;
    }
    if (area != contentSize(self->graphics_->drawScale())) self->scheduleSnap();
}

// The window takes the content's size once the user has stopped resizing.
void DesktopWindow::scheduleSnap() {
    if (snapSource_ != 0) g_source_remove(snapSource_);
    snapSource_ = g_timeout_add(SnapDelayMs, onSnap, this);
}

gboolean DesktopWindow::onSnap(gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    self->snapSource_ = 0;
    if (!self->graphics_ || !self->area_) return G_SOURCE_REMOVE;
    GdkWindow* shown = gtk_widget_get_window(self->window_);
    if (shown && (gdk_window_get_state(shown) & KeptStates)) return G_SOURCE_REMOVE;
    const Size content = contentSize(self->graphics_->drawScale());
    const Size area{gtk_widget_get_allocated_width(self->area_),
                    gtk_widget_get_allocated_height(self->area_)};
    if (area != content)
        gtk_window_resize(GTK_WINDOW(self->window_), content.width,
                          content.height + self->barHeight());
    return G_SOURCE_REMOVE;
}

}  // namespace vornix::app
