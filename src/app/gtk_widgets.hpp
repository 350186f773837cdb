#pragma once
// Small pieces the side windows build their plain GTK widgets from.
#include <gtk/gtk.h>

#include <string>

namespace vornix::app {

inline GtkWidget* addButton(GtkWidget* box, const char* label, GCallback clicked, gpointer self) {
    GtkWidget* button = gtk_button_new_with_mnemonic(label);
    g_signal_connect_swapped(button, "clicked", clicked, self);
    gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
    return button;
}

inline void showError(GtkWidget* parent, const std::string& text) {
    GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                            GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

// A side window appears to the right of the editor's the first time.
inline void presentBeside(GtkWidget* window, GtkWindow* owner, int gap) {
    if (owner && !gtk_widget_get_visible(window)) {
        gint x = 0, y = 0, width = 0, height = 0;
        gtk_window_get_position(owner, &x, &y);
        gtk_window_get_size(owner, &width, &height);
        gtk_window_move(GTK_WINDOW(window), x + width + gap, y);
    }
    gtk_window_present(GTK_WINDOW(window));
}

}  // namespace vornix::app
