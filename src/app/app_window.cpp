#include "app/app_window.hpp"

#include "resources/resources.hpp"

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

}  // namespace

MainWindow::MainWindow(VornixControl& editor, GLibEventLoop& loop, GtkPlatform& platform,
                       WindowCommands commands)
    : editor_(editor), loop_(loop), platform_(platform), commands_(std::move(commands)) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), Title);
    // The content rescales itself through its corner grip; the window follows it.
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    gtk_window_set_icon_name(GTK_WINDOW(window_), "vornix-control");

    GtkAccelGroup* accelerators = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(window_), accelerators);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_box_pack_start(GTK_BOX(box), buildMenuBar(accelerators), FALSE, FALSE, 0);
    g_object_unref(accelerators);

    area_ = gtk_drawing_area_new();
    gtk_widget_set_can_focus(area_, TRUE);
    gtk_box_pack_start(GTK_BOX(box), area_, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);
    g_signal_connect(window_, "destroy", G_CALLBACK(onDestroy), this);

    platform_.setWindow(GTK_WINDOW(window_));
    openContent();
    connectInput();
    gtk_widget_show_all(window_);
}

MainWindow::~MainWindow() {
    close();
}

void MainWindow::present() {
    if (window_) gtk_window_present(GTK_WINDOW(window_));
}

void MainWindow::close() {
    if (window_) gtk_widget_destroy(window_);
}

GtkWidget* MainWindow::buildMenuBar(GtkAccelGroup* accelerators) {
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
    addSeparator(file);
    GtkWidget* midi = addItem(file, "_MIDI Settings...", [this] {
        if (commands_.preferences) commands_.preferences();
    });
    gtk_widget_add_accelerator(midi, "activate", accelerators, GDK_KEY_comma, GDK_CONTROL_MASK,
                               GTK_ACCEL_VISIBLE);
    addItem(file, "_Vornix Global Settings...",
            [this] { editor_.menuCommand(MenuCommand::GlobalSettings); });
    addSeparator(file);
    addItem(file, "_Quit", [this] { close(); });

    GtkWidget* help = addPopup(bar, "_Help");
    addItem(help, "_About", [this] {
        if (commands_.about) commands_.about();
    });
    addItem(help, "_Read Manual", [this] {
        if (commands_.manual) commands_.manual();
    });
    return bar;
}

void MainWindow::openContent() {
    platform_.onResize = [this](int width, int height, double scale) {
        resizeContent(width, height, scale);
    };
    platform_.onHideCursor = [this](bool hide) { setCursorHidden(hide); };
    content_ = std::make_unique<ui::EditorWindow>(editor_, loop_, resources::find, &platform_);
    graphics_ = &content_->graphics();
    graphics_->setScreenScale(gtk_widget_get_scale_factor(area_));
}

void MainWindow::closeContent() {
    if (!graphics_) return;
    if (frameSource_ != 0) g_source_remove(frameSource_);
    frameSource_ = 0;
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

void MainWindow::resizeContent(int width, int height, double scale) {
    editor_.setDrawScale(static_cast<float>(scale));
    if (!area_) return;
    gtk_widget_set_size_request(area_, width, height);
    gtk_widget_queue_draw(area_);
}

void MainWindow::setCursorHidden(bool hidden) {
    GdkWindow* window = area_ ? gtk_widget_get_window(area_) : nullptr;
    if (!window) return;
    if (hidden && !blankCursor_)
        blankCursor_ = gdk_cursor_new_for_display(gdk_window_get_display(window), GDK_BLANK_CURSOR);
    gdk_window_set_cursor(window, hidden ? blankCursor_ : nullptr);
}

void MainWindow::onDestroy(GtkWidget*, gpointer data) {
    auto* self = static_cast<MainWindow*>(data);
    self->closeContent();
    self->window_ = nullptr;
    self->area_ = nullptr;
    if (self->commands_.closed) self->commands_.closed();
}

}  // namespace vornix::app
