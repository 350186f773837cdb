#include "app/compare_dialog.hpp"

namespace vornix::app {

namespace {

constexpr int Spacing = 6;
constexpr int LastSlot = 127;

GtkWidget* fileButton(const char* title, const char* pattern, const char* patternName) {
    GtkWidget* button = gtk_file_chooser_button_new(title, GTK_FILE_CHOOSER_ACTION_OPEN);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, patternName);
    gtk_file_filter_add_pattern(filter, pattern);
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(button), filter);
    return button;
}

std::string chosenFile(GtkWidget* button) {
    gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(button));
    std::string text = path ? path : "";
    g_free(path);
    return text;
}

int slotOf(GtkWidget* spin) {
    return gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(spin));
}

}  // namespace

std::optional<std::string> runCompareWithDialog(GtkWindow* parent) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        "Compare With", parent, GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
        "_Cancel", GTK_RESPONSE_CANCEL, "_Compare", GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), Spacing);
    gtk_grid_set_column_spacing(GTK_GRID(grid), Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(grid), Spacing * 2);

    GtkWidget* slot = gtk_radio_button_new_with_mnemonic(nullptr, "_Slot");
    GtkWidget* file =
        gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(slot), "_Preset file");
    GtkWidget* bank = gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(slot),
                                                                     "Slot of a _bank file");
    GtkWidget* slotNumber = gtk_spin_button_new_with_range(0, LastSlot, 1);
    GtkWidget* presetFile = fileButton("Preset File", "*.kvp", "Preset files (*.kvp)");
    GtkWidget* bankFile = fileButton("Bank File", "*.kvb", "Bank files (*.kvb)");
    GtkWidget* bankSlot = gtk_spin_button_new_with_range(0, LastSlot, 1);
    gtk_grid_attach(GTK_GRID(grid), slot, 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), slotNumber, 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), file, 0, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), presetFile, 1, 1, 2, 1);
    gtk_grid_attach(GTK_GRID(grid), bank, 0, 2, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), bankFile, 1, 2, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), bankSlot, 2, 2, 1, 1);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), grid);
    gtk_widget_show_all(dialog);

    std::optional<std::string> source;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
        if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(slot)))
            source = std::to_string(slotOf(slotNumber));
        else if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(file)))
            source = chosenFile(presetFile);
        else
            source = chosenFile(bankFile) + ":" + std::to_string(slotOf(bankSlot));
    }
    gtk_widget_destroy(dialog);
    return source;
}

}  // namespace vornix::app
