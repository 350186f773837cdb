#include "app/preferences_dialog.hpp"

#include <string>
#include <vector>

namespace vornix::app {

namespace {

constexpr int Spacing = 8;
constexpr int Border = 12;
constexpr int ListWidth = 320;

struct PortList {
    host::Host* host;
    host::PortDirection direction;
};

GtkWidget* portCombo(host::Host& host, host::PortDirection direction, PortList& binding) {
    GtkWidget* combo = gtk_combo_box_text_new();
    gtk_widget_set_size_request(combo, ListWidth, -1);
    const std::vector<std::string>& ports = host.portList(direction);
    const std::string& stored = direction == host::PortDirection::Input
                                    ? host.settings().midiInput
                                    : host.settings().midiOutput;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), ports[i].c_str());
        if (ports[i] == stored)
            gtk_combo_box_set_active(GTK_COMBO_BOX(combo), static_cast<gint>(i));
    }
    binding = {&host, direction};
    // Connected after the stored entry is selected: opening the dialog chooses nothing.
    g_signal_connect(combo, "changed", G_CALLBACK(+[](GtkComboBox* box, gpointer data) {
                         auto* list = static_cast<PortList*>(data);
                         gchar* name = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(box));
                         if (!name) return;
                         list->host->choosePort(list->direction, name);
                         g_free(name);
                     }),
                     &binding);
    return combo;
}

GtkWidget* labelled(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.f);
    return label;
}

bool runningDiffers(host::Host& host) {
    const host::AudioStream* audio = host.audio();
    return audio && !(audio->running() == host.settings());
}

}  // namespace

void runPreferencesDialog(GtkWindow* parent, host::Host& host) {
    host.refreshPortLists();
    const host::HostSettings backup = host.settings();

    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        "Preferences", parent,
        static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), "OK",
        GTK_RESPONSE_OK, "Apply", GTK_RESPONSE_APPLY, "Cancel", GTK_RESPONSE_CANCEL, nullptr);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);

    GtkWidget* frame = gtk_frame_new("MIDI Device Settings");
    gtk_container_set_border_width(GTK_CONTAINER(frame), Border);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), Spacing);
    gtk_grid_set_column_spacing(GTK_GRID(grid), Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(grid), Border);
    PortList inputBinding{}, outputBinding{};
    gtk_grid_attach(GTK_GRID(grid), labelled("Input Device"), 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), portCombo(host, host::PortDirection::Input, inputBinding), 1, 0,
                    1, 1);
    gtk_grid_attach(GTK_GRID(grid), labelled("Output Device"), 0, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), portCombo(host, host::PortDirection::Output, outputBinding), 1,
                    1, 1, 1);
    gtk_container_add(GTK_CONTAINER(frame), grid);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), frame);
    gtk_widget_show_all(dialog);

    gint response = GTK_RESPONSE_NONE;
    for (;;) {
        response = gtk_dialog_run(GTK_DIALOG(dialog));
        if (response != GTK_RESPONSE_APPLY) break;
        host.openAudio();
    }
    gtk_widget_destroy(dialog);

    if (response == GTK_RESPONSE_OK) {
        if (runningDiffers(host)) host.openAudio();
        host.saveSettings();
        return;
    }
    if (!(host.settings() == backup)) {
        host.settings() = backup;
        host.openAudio();
    }
}

}  // namespace vornix::app
