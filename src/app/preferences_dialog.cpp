#include "app/preferences_dialog.hpp"

#include "app/preferences_audio.hpp"
#include "app/preferences_midi.hpp"

namespace vornix::app {

void runPreferencesDialog(GtkWindow* parent, host::Host& host,
                          const std::vector<host::FoundPedal>& pedals) {
    const host::HostSettings backup = host.settings();

    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        "Preferences", parent,
        static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), "OK",
        GTK_RESPONSE_OK, "Apply", GTK_RESPONSE_APPLY, "Cancel", GTK_RESPONSE_CANCEL, nullptr);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    MidiSection midi(host, pedals);
    AudioSection audio(host);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_add(GTK_CONTAINER(content), midi.widget());
    gtk_container_add(GTK_CONTAINER(content), audio.widget());
    gtk_widget_show_all(dialog);

    gint response = GTK_RESPONSE_NONE;
    for (;;) {
        response = gtk_dialog_run(GTK_DIALOG(dialog));
        if (response != GTK_RESPONSE_APPLY) break;
        audio.apply();
    }
    const bool audioChanged = audio.differsFromRunning();
    gtk_widget_destroy(dialog);

    if (response == GTK_RESPONSE_OK) {
        if (audioChanged) host.openAudio();
        host.saveSettings();
        return;
    }
    // The failure already reported stays reported.
    const std::string failed = host.settings().audioFailed;
    const bool changed = !(host.settings() == backup);
    host.settings() = backup;
    host.settings().audioFailed = failed;
    if (changed) host.openAudio();
}

}  // namespace vornix::app
