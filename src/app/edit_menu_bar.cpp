#include "app/edit_menu_bar.hpp"

namespace vornix::app {

namespace {

struct ItemTarget {
    VornixControl* editor;
    EditAction action;
    std::size_t which;
};

void activate(GtkMenuItem*, gpointer data) {
    const auto* target = static_cast<ItemTarget*>(data);
    runEditAction(*target->editor, target->action, target->which);
}

void show(GtkWidget* item, const EditMenuItem& state) {
    // A preset's name may hold '_', which is no mnemonic here.
    gtk_menu_item_set_use_underline(GTK_MENU_ITEM(item), FALSE);
    gtk_menu_item_set_label(GTK_MENU_ITEM(item), state.text.c_str());
    gtk_widget_set_sensitive(item, state.enabled);
    gtk_widget_show(item);
}

}  // namespace

EditMenuBar::EditMenuBar(VornixControl& editor, GtkWidget* bar) : editor_(editor) {
    GtkWidget* menu = gtk_menu_new();
    GtkWidget* top = gtk_menu_item_new_with_mnemonic("_Edit");
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), top);
    undo_ = addItem(menu, EditAction::Undo, 0);
    redo_ = addItem(menu, EditAction::Redo, 0);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
    noBringBack_ = gtk_menu_item_new();
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), noBringBack_);
    for (std::size_t i = 0; i < bringBack_.size(); ++i)
        bringBack_[i] = addItem(menu, EditAction::BringBack, i);
    refresh();
}

GtkWidget* EditMenuBar::addItem(GtkWidget* menu, EditAction action, std::size_t which) {
    GtkWidget* item = gtk_menu_item_new();
    g_signal_connect_data(
        item, "activate", G_CALLBACK(activate), new ItemTarget{&editor_, action, which},
        [](gpointer data, GClosure*) { delete static_cast<ItemTarget*>(data); }, GConnectFlags(0));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return item;
}

void EditMenuBar::refresh() {
    for (GtkWidget* item : bringBack_) gtk_widget_hide(item);
    gtk_widget_hide(noBringBack_);
    for (const EditMenuItem& state : editMenuItems(editor_)) {
        if (state.action == EditAction::Undo)
            show(undo_, state);
        else if (state.action == EditAction::Redo)
            show(redo_, state);
        else if (!state.enabled && editor_.history().abandonedEdits().empty())
            show(noBringBack_, state);
        else if (state.which < bringBack_.size())
            show(bringBack_[state.which], state);
    }
}

}  // namespace vornix::app
