#include "app/desktop_window.hpp"

#include <string>

#include "resources/resources.hpp"
#include "ui/top_page.hpp"

namespace vornix::app {

namespace {

using Callback = std::function<void()>;

void runCallback(GtkMenuItem*, gpointer data) {
    (*static_cast<Callback*>(data))();
}

GtkWidget* addItem(GtkWidget* menu, const char* label, Callback callback) {
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(label);
    g_signal_connect_data(
        item, "activate", G_CALLBACK(runCallback), new Callback(std::move(callback)),
        [](gpointer data, GClosure*) { delete static_cast<Callback*>(data); }, GConnectFlags(0));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return item;
}

void addSeparator(GtkWidget* menu) {
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
}

GtkWidget* addPopup(GtkWidget* bar, const char* label) {
    GtkWidget* menu = gtk_menu_new();
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(label);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
    return menu;
}

// A shortcut without a menu item of its own (Escape).
struct ShortcutTarget {
    DesktopWindow* window;
    WindowCommand command;
};

}  // namespace

DesktopWindow::DesktopWindow(VornixControl& editor, GLibEventLoop& loop, GtkPlatform& platform,
                             WindowCommands commands, bool scaleStored)
    : editor_(editor),
      loop_(loop),
      platform_(platform),
      commands_(std::move(commands)),
      title_([this](const std::string& title) {
          if (window_) gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
      }) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), windowTitle(std::nullopt).c_str());
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    gtk_window_set_icon_name(GTK_WINDOW(window_), AppId);

    GtkAccelGroup* accelerators = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(window_), accelerators);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    bar_ = buildMenuBar();
    gtk_box_pack_start(GTK_BOX(box), bar_, FALSE, FALSE, 0);
    connectShortcuts(accelerators);
    g_object_unref(accelerators);

    area_ = gtk_drawing_area_new();
    gtk_widget_set_can_focus(area_, TRUE);
    const Size smallest = contentSize(MinWindowScale);
    gtk_widget_set_size_request(area_, smallest.width, smallest.height);
    gtk_box_pack_start(GTK_BOX(box), area_, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);
    // Shown before measuring: hidden menu items give the bar no height.
    gtk_widget_show_all(box);
    g_signal_connect(window_, "destroy", G_CALLBACK(onDestroy), this);

    chooseFirstScale(scaleStored);
    platform_.setWindow(GTK_WINDOW(window_));
    openContent();
    setSizeHints();
    connectInput();
    gtk_widget_show_all(window_);
}

DesktopWindow::~DesktopWindow() {
    close();
}

void DesktopWindow::present() {
    if (window_) gtk_window_present(GTK_WINDOW(window_));
}

void DesktopWindow::close() {
    if (window_) gtk_widget_destroy(window_);
}

GtkWidget* DesktopWindow::buildMenuBar() {
    GtkWidget* bar = gtk_menu_bar_new();
    GtkWidget* file = addPopup(bar, "_File");
    addItem(file, "_Import All Presets to Vornix...",
            [this] { editor_.menuCommand(MenuCommand::ImportBank); });
    addItem(file, "_Export All Presets from Vornix ...",
            [this] { editor_.menuCommand(MenuCommand::ExportBank); });
    addSeparator(file);
    addItem(file, "_Firmware Update...",
            [this] { editor_.menuCommand(MenuCommand::FirmwareUpdate); });
    addItem(file, "_Clear Cache Data", [this] { editor_.menuCommand(MenuCommand::ClearCache); });
    addItem(file, "_Back Up Now", [this] { editor_.menuCommand(MenuCommand::BackUpNow); });
    addSeparator(file);
    menuItems_[std::size_t(WindowCommand::Preferences)] =
        addItem(file, "_MIDI Settings...", [this] { run(WindowCommand::Preferences); });
    addItem(file, "_Vornix Global Settings...",
            [this] { editor_.menuCommand(MenuCommand::GlobalSettings); });
    addSeparator(file);
    menuItems_[std::size_t(WindowCommand::Quit)] =
        addItem(file, "_Quit", [this] { run(WindowCommand::Quit); });

    editMenu_ = std::make_unique<EditMenuBar>(editor_, bar);
    menuItems_[std::size_t(WindowCommand::Undo)] = editMenu_->undoItem();
    menuItems_[std::size_t(WindowCommand::Redo)] = editMenu_->redoItem();
    buildPresetMenu(bar);

    GtkWidget* library = addPopup(bar, "_Library");
    menuItems_[std::size_t(WindowCommand::Library)] =
        addItem(library, "_Show Library", [this] { run(WindowCommand::Library); });

    GtkWidget* view = addPopup(bar, "_View");
    menuItems_[std::size_t(WindowCommand::Monitor)] =
        addItem(view, "MIDI _Monitor", [this] { run(WindowCommand::Monitor); });

    GtkWidget* help = addPopup(bar, "_Help");
    addItem(help, "_About", [this] {
        if (commands_.about) commands_.about();
    });
    menuItems_[std::size_t(WindowCommand::Manual)] =
        addItem(help, "_Read Manual", [this] { run(WindowCommand::Manual); });
    return bar;
}

// A command with a menu item shows its chord beside it; the others are
// accelerators of the window alone. Keys reach the open text entry or menu
// of the content first (onKeyPress), so Escape cancels an entry before it
// closes a page.
void DesktopWindow::connectShortcuts(GtkAccelGroup* accelerators) {
    for (const Shortcut& shortcut : Shortcuts) {
        const Chord chord = splitChord(shortcut.chord);
        const guint key = gdk_keyval_from_name(std::string(chord.key).c_str());
        const auto modifiers = GdkModifierType((chord.control ? GDK_CONTROL_MASK : 0) |
                                               (chord.shift ? GDK_SHIFT_MASK : 0));
        if (GtkWidget* item = menuItems_[std::size_t(shortcut.command)]) {
            // A second chord of the same command (Ctrl+Y beside Ctrl+Shift+Z) works unlabelled.
            const bool first = chordOf(shortcut.command) == shortcut.chord;
            gtk_widget_add_accelerator(item, "activate", accelerators, key, modifiers,
                                       first ? GTK_ACCEL_VISIBLE : GtkAccelFlags(0));
            continue;
        }
        GClosure* closure = g_cclosure_new(
            G_CALLBACK(+[](GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data) {
                auto* target = static_cast<ShortcutTarget*>(data);
                target->window->run(target->command);
                return TRUE;
            }),
            new ShortcutTarget{this, shortcut.command},
            [](gpointer data, GClosure*) { delete static_cast<ShortcutTarget*>(data); });
        gtk_accel_group_connect(accelerators, key, modifiers, GtkAccelFlags(0), closure);
    }
}

void DesktopWindow::run(WindowCommand command) {
    switch (command) {
        case WindowCommand::Preferences:
            if (commands_.preferences) commands_.preferences();
            break;
        case WindowCommand::Quit:
            close();
            break;
        case WindowCommand::ClosePage:
            if (graphics_ && ui::closeTopPage(*graphics_)) queueDirty();
            break;
        case WindowCommand::Manual:
            if (commands_.manual) commands_.manual();
            break;
        case WindowCommand::Monitor:
            if (commands_.monitor) commands_.monitor();
            break;
        case WindowCommand::Library:
            if (commands_.library) commands_.library();
            break;
        case WindowCommand::Undo:
            runEditAction(editor_, EditAction::Undo);
            break;
        case WindowCommand::Redo:
            runEditAction(editor_, EditAction::Redo);
            break;
        case WindowCommand::Compare:
            editor_.toggleComparison();
            break;
    }
}

void DesktopWindow::openContent() {
    platform_.onResize = [this](int width, int height, double scale) {
        resizeContent(width, height, scale);
    };
    platform_.onHideCursor = [this](bool hide) { setCursorHidden(hide); };
    content_ = std::make_unique<ui::WindowContent>(editor_, loop_, resources::find, &platform_);
    graphics_ = &content_->graphics();
    graphics_->setScreenScale(gtk_widget_get_scale_factor(area_));
    editor_.link().events().add(title_);
    editor_.link().events().add(*editMenu_);
    editMenu_->refresh();
    if (editor_.connection().online())
        title_.identified(editor_.connection().device().version(),
                          editor_.connection().device().serial);
}

void DesktopWindow::closeContent() {
    if (!graphics_) return;
    if (frameSource_ != 0) g_source_remove(frameSource_);
    frameSource_ = 0;
    if (snapSource_ != 0) g_source_remove(snapSource_);
    snapSource_ = 0;
    editor_.link().events().remove(title_);
    editor_.link().events().remove(*editMenu_);
    editor_.setQueuedValueSink(nullptr);
    editor_.uiClosed();
    platform_.onResize = nullptr;
    platform_.onHideCursor = nullptr;
    platform_.dropPending();
    platform_.setWindow(nullptr);
    graphics_ = nullptr;
    content_.reset();
    if (blankCursor_) g_object_unref(blankCursor_);
    blankCursor_ = nullptr;
}

void DesktopWindow::setCursorHidden(bool hidden) {
    GdkWindow* window = area_ ? gtk_widget_get_window(area_) : nullptr;
    if (!window) return;
    if (hidden && !blankCursor_)
        blankCursor_ = gdk_cursor_new_for_display(gdk_window_get_display(window), GDK_BLANK_CURSOR);
    gdk_window_set_cursor(window, hidden ? blankCursor_ : nullptr);
}

void DesktopWindow::onDestroy(GtkWidget*, gpointer data) {
    auto* self = static_cast<DesktopWindow*>(data);
    self->closeContent();
    self->differences_.reset();
    self->window_ = nullptr;
    self->bar_ = nullptr;
    self->area_ = nullptr;
    if (self->commands_.closed) self->commands_.closed();
}

}  // namespace vornix::app
