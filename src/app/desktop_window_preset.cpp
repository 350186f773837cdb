// The Preset menu: A/B against the stored preset or any other, the
// Differences window, Copy as Text and the slots' history.
#include "app/compare_actions.hpp"
#include "app/compare_dialog.hpp"
#include "app/desktop_window.hpp"

namespace vornix::app {

namespace {

using Callback = std::function<void()>;

GtkWidget* addPresetItem(GtkWidget* menu, const char* label, Callback callback) {
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(label);
    g_signal_connect_data(
        item, "activate",
        G_CALLBACK(+[](GtkMenuItem*, gpointer data) { (*static_cast<Callback*>(data))(); }),
        new Callback(std::move(callback)),
        [](gpointer data, GClosure*) { delete static_cast<Callback*>(data); }, GConnectFlags(0));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return item;
}

}  // namespace

void DesktopWindow::buildPresetMenu(GtkWidget* bar) {
    GtkWidget* menu = gtk_menu_new();
    GtkWidget* top = gtk_menu_item_new_with_mnemonic("_Preset");
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), top);
    menuItems_[std::size_t(WindowCommand::Compare)] =
        addPresetItem(menu, "Compare With _Stored", [this] { run(WindowCommand::Compare); });
    addPresetItem(menu, "Compare _With...", [this] { compareWith(); });
    addPresetItem(menu, "_Differences...", [this] { showDifferences(); });
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
    addPresetItem(menu, "Copy as _Text", [this] { copyAsText(); });
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
    addPresetItem(menu, "_History...", [this] {
        if (commands_.history) commands_.history();
    });
}

void DesktopWindow::compareWith() {
    const auto source = runCompareWithDialog(window());
    if (!source) return;
    if (const Result compared = compareWithWord(editor_, *source); !compared)
        runMessageBox(window(), compared.error(), "Compare With", Buttons::Ok);
}

void DesktopWindow::showDifferences() {
    if (!differences_) differences_ = std::make_unique<DifferencesWindow>(editor_);
    differences_->present(window());
}

void DesktopWindow::copyAsText() {
    platform_.setClipboardText(presetAsClipboardText(editor_));
}

}  // namespace vornix::app
