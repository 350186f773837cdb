#include "app/setlist_write_dialog.hpp"

namespace vornix::app {

namespace {

constexpr int Border = 8;
enum Column { SlotColumn, OldColumn, NewColumn, ColumnCount };

GtkWidget* changeList(const library::SetlistPlan& plan) {
    GtkListStore* rows = gtk_list_store_new(ColumnCount, G_TYPE_INT, G_TYPE_STRING, G_TYPE_STRING);
    for (const library::SlotChange& change : plan.changes)
        gtk_list_store_insert_with_values(
            rows, nullptr, -1, SlotColumn, change.slot, OldColumn,
            change.differs ? change.oldName.c_str() : "(holds it already)", NewColumn,
            change.newName.c_str(), -1);
    GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(rows));
    g_object_unref(rows);
    for (const auto& [title, column] : {std::pair{"Slot", SlotColumn}, std::pair{"Now", OldColumn},
                                        std::pair{"Becomes", NewColumn}})
        gtk_tree_view_append_column(
            GTK_TREE_VIEW(view), gtk_tree_view_column_new_with_attributes(
                                     title, gtk_cell_renderer_text_new(), "text", column, nullptr));
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_widget_set_size_request(scroller, 460, 300);
    gtk_container_add(GTK_CONTAINER(scroller), view);
    return scroller;
}

}  // namespace

bool confirmSetlistWrite(GtkWindow* owner, const std::string& setlist,
                         const library::SetlistPlan& plan) {
    GtkWidget* dialog =
        gtk_dialog_new_with_buttons("Write to Pedal", owner, GTK_DIALOG_MODAL, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Write", GTK_RESPONSE_ACCEPT, nullptr);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, Border);
    gtk_container_set_border_width(GTK_CONTAINER(box), Border);
    const int count = plan.toWrite();
    const std::string heading = "\"" + setlist + "\": " + std::to_string(count) +
                                (count == 1 ? " slot changes" : " slots change") +
                                ". What they hold now is kept in their history.";
    GtkWidget* label = gtk_label_new(heading.c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), changeList(plan), TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), box);
    gtk_widget_show_all(dialog);
    const bool write = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT;
    gtk_widget_destroy(dialog);
    return write;
}

}  // namespace vornix::app
