#include "app/history_window.hpp"

#include <string>

namespace vornix::app {

namespace {

enum Column { SlotColumn, TimeColumn, NameColumn, ReasonColumn, RowColumn, ColumnCount };

constexpr int WindowWidth = 560;
constexpr int WindowHeight = 480;

}  // namespace

HistoryWindow::HistoryWindow(VornixControl& editor) : editor_(editor) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), "History");
    gtk_window_set_default_size(GTK_WINDOW(window_), WindowWidth, WindowHeight);
    // Closing hides the window: the list is read again the next time.
    g_signal_connect(window_, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
    gtk_box_pack_start(GTK_BOX(box), buildToolbar(), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), buildList(), TRUE, TRUE, 0);
    status_ = gtk_label_new("Times are UTC.");
    gtk_label_set_xalign(GTK_LABEL(status_), 0.0f);
    gtk_box_pack_start(GTK_BOX(box), status_, FALSE, FALSE, 2);
    gtk_container_add(GTK_CONTAINER(window_), box);
}

HistoryWindow::~HistoryWindow() {
    if (window_) gtk_widget_destroy(window_);
    if (rows_) g_object_unref(rows_);
}

GtkWidget* HistoryWindow::buildToolbar() {
    GtkWidget* bar = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    filter_ = gtk_combo_box_text_new();
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(filter_), "Every slot");
    for (int slot = 0; slot < NumPresets; ++slot)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(filter_),
                                       ("Slot " + std::to_string(slot)).c_str());
    gtk_combo_box_set_active(GTK_COMBO_BOX(filter_), 0);
    g_signal_connect(filter_, "changed", G_CALLBACK(onFilterChanged), this);
    GtkWidget* refresh = gtk_button_new_with_mnemonic("_Refresh");
    g_signal_connect(refresh, "clicked", G_CALLBACK(onRefresh), this);
    GtkWidget* putBack = gtk_button_new_with_mnemonic("_Put Back");
    g_signal_connect(putBack, "clicked", G_CALLBACK(onPutBack), this);
    gtk_box_pack_start(GTK_BOX(bar), filter_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(bar), refresh, FALSE, FALSE, 0);
    gtk_box_pack_end(GTK_BOX(bar), putBack, FALSE, FALSE, 0);
    return bar;
}

GtkWidget* HistoryWindow::buildList() {
    rows_ = gtk_list_store_new(ColumnCount, G_TYPE_INT, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING,
                               G_TYPE_INT);
    list_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(rows_));
    addColumn("Slot", SlotColumn);
    addColumn("Time (UTC)", TimeColumn);
    addColumn("Name", NameColumn);
    addColumn("Reason", ReasonColumn);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(scroller), list_);
    return scroller;
}

void HistoryWindow::addColumn(const char* title, int column) {
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    GtkTreeViewColumn* view =
        gtk_tree_view_column_new_with_attributes(title, cell, "text", column, nullptr);
    gtk_tree_view_column_set_resizable(view, TRUE);
    gtk_tree_view_append_column(GTK_TREE_VIEW(list_), view);
}

void HistoryWindow::present(GtkWindow* owner) {
    gtk_window_set_transient_for(GTK_WINDOW(window_), owner);
    refresh();
    gtk_widget_show_all(window_);
    gtk_window_present(GTK_WINDOW(window_));
}

void HistoryWindow::refresh() {
    const int slot = gtk_combo_box_get_active(GTK_COMBO_BOX(filter_)) - 1;
    shown_ = historyRows(editor_, slot);
    gtk_list_store_clear(rows_);
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const HistoryRow& row = shown_[i];
        GtkTreeIter iter;
        gtk_list_store_append(rows_, &iter);
        gtk_list_store_set(rows_, &iter, SlotColumn, row.slot, TimeColumn, row.time.c_str(),
                           NameColumn, row.name.c_str(), ReasonColumn, row.reason.c_str(),
                           RowColumn, static_cast<int>(i), -1);
    }
}

void HistoryWindow::putBackSelected() {
    GtkTreeModel* model = nullptr;
    GtkTreeIter iter;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
    if (!gtk_tree_selection_get_selected(selection, &model, &iter)) {
        gtk_label_set_text(GTK_LABEL(status_), "Choose a version to put back.");
        return;
    }
    int index = 0;
    gtk_tree_model_get(model, &iter, RowColumn, &index, -1);
    const HistoryRow& row = shown_[static_cast<std::size_t>(index)];
    const Result started = editor_.putBack(row.slot, row.index);
    const std::string text = started ? "Putting back slot " + std::to_string(row.slot) + "..."
                                     : "Put Back: " + started.error();
    gtk_label_set_text(GTK_LABEL(status_), text.c_str());
}

void HistoryWindow::onFilterChanged(GtkComboBox*, gpointer self) {
    static_cast<HistoryWindow*>(self)->refresh();
}

void HistoryWindow::onPutBack(GtkButton*, gpointer self) {
    static_cast<HistoryWindow*>(self)->putBackSelected();
}

void HistoryWindow::onRefresh(GtkButton*, gpointer self) {
    static_cast<HistoryWindow*>(self)->refresh();
}

}  // namespace vornix::app
