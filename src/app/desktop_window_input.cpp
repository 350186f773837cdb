// Drawing and input of the main window's content area.
#include <cmath>
#include <string>
#include <vector>

#include "app/desktop_window.hpp"

namespace vornix::app {

namespace {

constexpr guint FramePollMs = 16;
// Around the content while the window is larger than it (maximised).
constexpr double MarginGrey = 0.12;
constexpr guint LeftButton = 1;
constexpr guint RightButton = 3;

igraphics::IMouseMod modifiers(guint state, guint button) {
    igraphics::IMouseMod mod;
    mod.L = button == LeftButton || (button == 0 && (state & GDK_BUTTON1_MASK));
    mod.R = button == RightButton || (button == 0 && (state & GDK_BUTTON3_MASK));
    mod.S = (state & GDK_SHIFT_MASK) != 0;
    mod.C = (state & GDK_CONTROL_MASK) != 0;
    mod.A = (state & GDK_MOD1_MASK) != 0;
    return mod;
}

std::optional<igraphics::EKey> editingKey(guint keyval) {
    using igraphics::EKey;
    switch (keyval) {
        case GDK_KEY_BackSpace:
            return EKey::Backspace;
        case GDK_KEY_Delete:
        case GDK_KEY_KP_Delete:
            return EKey::Delete;
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left:
            return EKey::Left;
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right:
            return EKey::Right;
        case GDK_KEY_Home:
        case GDK_KEY_KP_Home:
            return EKey::Home;
        case GDK_KEY_End:
        case GDK_KEY_KP_End:
            return EKey::End;
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up:
            return EKey::Up;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down:
            return EKey::Down;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            return EKey::Enter;
        case GDK_KEY_Escape:
            return EKey::Escape;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab:
            return EKey::Tab;
        default:
            return std::nullopt;
    }
}

// The chord as the shortcut table writes it ("ctrl+shift+z").
std::string chordOfKey(const GdkEventKey* event) {
    const gchar* name = gdk_keyval_name(gdk_keyval_to_lower(event->keyval));
    if (!name) return {};
    std::string chord;
    if (event->state & GDK_CONTROL_MASK) chord += "ctrl+";
    if (event->state & GDK_SHIFT_MASK) chord += "shift+";
    return chord + name;
}

// Ctrl with A, X, C or V edits the open text entry, as in any desktop entry.
std::optional<igraphics::EKey> clipboardKey(guint keyval) {
    switch (gdk_keyval_to_lower(keyval)) {
        case GDK_KEY_a:
            return igraphics::EKey::SelectAll;
        case GDK_KEY_x:
            return igraphics::EKey::Cut;
        case GDK_KEY_c:
            return igraphics::EKey::Copy;
        case GDK_KEY_v:
            return igraphics::EKey::Paste;
        default:
            return std::nullopt;
    }
}

}  // namespace

void DesktopWindow::connectInput() {
    gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK |
                                     GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(onButtonPress), this);
    g_signal_connect(area_, "button-release-event", G_CALLBACK(onButtonRelease), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(onMotion), this);
    g_signal_connect(area_, "scroll-event", G_CALLBACK(onScroll), this);
    g_signal_connect(area_, "leave-notify-event", G_CALLBACK(onLeave), this);
    g_signal_connect(area_, "notify::scale-factor", G_CALLBACK(onScaleFactor), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);
    frameSource_ = g_timeout_add(FramePollMs, onFrame, this);
}

// Only what the content marked dirty is invalidated; GTK keeps the rest.
void DesktopWindow::queueDirty() {
    if (!graphics_ || !area_) return;
    const double s = graphics_->drawScale();
    double originX = 0.0, originY = 0.0;
    contentOrigin(originX, originY);
    for (const igraphics::IRECT& dirty : graphics_->dirtyAreas()) {
        const int x = static_cast<int>(std::floor(originX + dirty.L * s));
        const int y = static_cast<int>(std::floor(originY + dirty.T * s));
        const int right = static_cast<int>(std::ceil(originX + dirty.R * s));
        const int bottom = static_cast<int>(std::ceil(originY + dirty.B * s));
        gtk_widget_queue_draw_area(area_, x, y, right - x, bottom - y);
    }
}

void DesktopWindow::toLogical(double areaX, double areaY, float& x, float& y) const {
    double originX = 0.0, originY = 0.0;
    contentOrigin(originX, originY);
    const double s = graphics_ ? graphics_->drawScale() : 1.0;
    x = static_cast<float>((areaX - originX) / s);
    y = static_cast<float>((areaY - originY) / s);
}

gboolean DesktopWindow::onFrame(gpointer data) {
    static_cast<DesktopWindow*>(data)->queueDirty();
    return G_SOURCE_CONTINUE;
}

gboolean DesktopWindow::onDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_) return FALSE;
    igraphics::IGraphics& g = *self->graphics_;
    // The area beyond the content, while the window is larger than it.
    double originX = 0.0, originY = 0.0;
    self->contentOrigin(originX, originY);
    const Size content = contentSize(g.drawScale());
    if (content.width < gtk_widget_get_allocated_width(widget) ||
        content.height < gtk_widget_get_allocated_height(widget)) {
        cairo_set_source_rgb(cr, MarginGrey, MarginGrey, MarginGrey);
        cairo_paint(cr);
    }
    cairo_translate(cr, originX, originY);
    // GTK hands over the region queued as rectangles: each is drawn on its
    // own, so far-apart changes do not redraw what lies between them.
    std::vector<igraphics::IRECT> areas;
    const double s = g.drawScale();
    cairo_rectangle_list_t* clip = cairo_copy_clip_rectangle_list(cr);
    if (clip->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < clip->num_rectangles; ++i) {
            const cairo_rectangle_t& r = clip->rectangles[i];
            areas.emplace_back(static_cast<float>(r.x / s), static_cast<float>(r.y / s),
                               static_cast<float>((r.x + r.width) / s),
                               static_cast<float>((r.y + r.height) / s));
        }
    } else {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        areas.emplace_back(static_cast<float>(x1 / s), static_cast<float>(y1 / s),
                           static_cast<float>(x2 / s), static_cast<float>(y2 / s));
    }
    cairo_rectangle_list_destroy(clip);
    // The content draws in device pixels: undo GTK's HiDPI scale here, the
    // content applies it again with its own draw scale.
    const double factor = gtk_widget_get_scale_factor(widget);
    cairo_save(cr);
    cairo_scale(cr, 1.0 / factor, 1.0 / factor);
    for (const igraphics::IRECT& area : areas) {
        const igraphics::IRECT inside = area.intersection(g.bounds());
        if (!inside.empty()) g.draw(cr, inside);
    }
    cairo_restore(cr);
    return TRUE;
}

// GTK reports the second press of a double-click as a press and then as a
// double press; the content wants the second press to be the double-click.
bool DesktopWindow::isDoubleClick(const GdkEventButton* event) {
    GtkSettings* settings = gtk_widget_get_settings(area_);
    gint time = 0, distance = 0;
    g_object_get(settings, "gtk-double-click-time", &time, "gtk-double-click-distance", &distance,
                 nullptr);
    const bool doubled = event->button == lastPressButton_ &&
                         event->time - lastPressTime_ <= guint32(time) &&
                         std::abs(event->x - lastPressX_) <= distance &&
                         std::abs(event->y - lastPressY_) <= distance;
    // A third press starts over rather than making a second double-click.
    lastPressTime_ = doubled ? 0 : event->time;
    lastPressButton_ = event->button;
    lastPressX_ = event->x;
    lastPressY_ = event->y;
    return doubled;
}

gboolean DesktopWindow::onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_ || event->type != GDK_BUTTON_PRESS) return TRUE;
    if (event->button != LeftButton && event->button != RightButton) return FALSE;
    gtk_widget_grab_focus(widget);
    igraphics::IGraphics& g = *self->graphics_;
    float x = 0.f, y = 0.f;
    self->toLogical(event->x, event->y, x, y);
    self->lastX_ = x;
    self->lastY_ = y;
    const auto mod = modifiers(event->state, event->button);
    if (self->isDoubleClick(event))
        g.onMouseDblClick(x, y, mod);
    else
        g.onMouseDown(x, y, mod);
    self->queueDirty();
    return TRUE;
}

gboolean DesktopWindow::onButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_) return TRUE;
    float x = 0.f, y = 0.f;
    self->toLogical(event->x, event->y, x, y);
    self->graphics_->onMouseUp(x, y, modifiers(event->state, event->button));
    self->queueDirty();
    return TRUE;
}

gboolean DesktopWindow::onMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_) return TRUE;
    igraphics::IGraphics& g = *self->graphics_;
    float x = 0.f, y = 0.f;
    self->toLogical(event->x, event->y, x, y);
    const auto mod = modifiers(event->state, 0);
    if (event->state & (GDK_BUTTON1_MASK | GDK_BUTTON3_MASK))
        g.onMouseDrag(x, y, x - self->lastX_, y - self->lastY_, mod);
    else
        g.onMouseOver(x, y, mod);
    self->lastX_ = x;
    self->lastY_ = y;
    return TRUE;
}

gboolean DesktopWindow::onScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_) return TRUE;
    float notches = 0.f;
    if (event->direction == GDK_SCROLL_UP)
        notches = 1.f;
    else if (event->direction == GDK_SCROLL_DOWN)
        notches = -1.f;
    else
        return FALSE;
    float x = 0.f, y = 0.f;
    self->toLogical(event->x, event->y, x, y);
    self->graphics_->onMouseWheel(x, y, modifiers(event->state, 0), notches);
    return TRUE;
}

gboolean DesktopWindow::onLeave(GtkWidget*, GdkEventCrossing*, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (self->graphics_) self->graphics_->onMouseOut();
    return FALSE;
}

// Keys reach the content only while its text entry or menu is open, and
// with Ctrl or Alt held only the entry's Ctrl+A, X, C and V, so the menu's
// accelerators keep working.
gboolean DesktopWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_) return FALSE;
    igraphics::IGraphics& g = *self->graphics_;
    if (!g.textEntry().isOpen() && !g.popupMenu().isOpen()) return FALSE;
    const bool ctrlOnly = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) == GDK_CONTROL_MASK;
    if (const auto key = clipboardKey(event->keyval); key && ctrlOnly && g.textEntry().isOpen()) {
        g.onKey(*key);
        self->queueDirty();
        return TRUE;
    }
    // Undo and Redo act on the sound, never on the name being typed.
    if (const auto command = shortcutFor(chordOfKey(event)); command && editsTheSound(*command))
        return g.textEntry().isOpen() ? TRUE : FALSE;
    if (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) return FALSE;
    bool used = false;
    if (const auto key = editingKey(event->keyval)) {
        used = g.onKey(*key, (event->state & GDK_SHIFT_MASK) != 0);
    } else if (const gunichar c = gdk_keyval_to_unicode(event->keyval); c >= 0x20) {
        char utf8[8] = {};
        const gint length = g_unichar_to_utf8(c, utf8);
        used = g.onTextInput(std::string_view(utf8, static_cast<std::size_t>(length)));
    }
    if (used) self->queueDirty();
    return used;
}

void DesktopWindow::onScaleFactor(GObject*, GParamSpec*, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    if (!self->graphics_ || !self->area_) return;
    self->graphics_->setScreenScale(gtk_widget_get_scale_factor(self->area_));
    gtk_widget_queue_draw(self->area_);
}

}  // namespace vornix::app
