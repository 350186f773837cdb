#include "app/differences_window.hpp"

#include <string>

#include "app/compare_actions.hpp"

namespace vornix::app {

namespace {

// A block row holds its block and -1; a parameter row its index.
enum Column { Text, ValueA, ValueB, Index, Block, ColumnCount };

constexpr int DefaultWidth = 560;
constexpr int DefaultHeight = 640;
constexpr int Spacing = 6;

void addColumn(GtkWidget* list, const char* title, int column) {
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    GtkTreeViewColumn* c =
        gtk_tree_view_column_new_with_attributes(title, cell, "text", column, nullptr);
    gtk_tree_view_column_set_resizable(c, TRUE);
    gtk_tree_view_column_set_expand(c, column == Text);
    gtk_tree_view_append_column(GTK_TREE_VIEW(list), c);
}

}  // namespace

DifferencesWindow::DifferencesWindow(VornixControl& editor) : editor_(editor) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), "Differences");
    gtk_window_set_default_size(GTK_WINDOW(window_), DefaultWidth, DefaultHeight);
    // Closing only hides it: the menu brings the same window back.
    g_signal_connect(window_, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(box), Spacing);
    heading_ = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(heading_), 0.f);
    gtk_label_set_selectable(GTK_LABEL(heading_), TRUE);
    note_ = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(note_), 0.f);
    gtk_box_pack_start(GTK_BOX(box), heading_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), note_, FALSE, FALSE, 0);

    rows_ = gtk_tree_store_new(ColumnCount, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_INT,
                               G_TYPE_INT);
    list_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(rows_));
    addColumn(list_, "Parameter", Text);
    addColumn(list_, "A", ValueA);
    addColumn(list_, "B", ValueB);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(scroller), list_);
    gtk_box_pack_start(GTK_BOX(box), scroller, TRUE, TRUE, 0);

    GtkWidget* take = gtk_button_new_with_mnemonic("_Take from B");
    gtk_widget_set_tooltip_text(take, "B's values of the selected row or block become the edit's");
    g_signal_connect_swapped(
        take, "clicked", G_CALLBACK(+[](DifferencesWindow* self) { self->takeSelected(); }), this);
    gtk_box_pack_start(GTK_BOX(box), take, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);
    gtk_widget_show_all(box);
    editor_.link().events().add(*this);
}

DifferencesWindow::~DifferencesWindow() {
    editor_.link().events().remove(*this);
    if (refreshSource_ != 0) g_source_remove(refreshSource_);
    gtk_widget_destroy(window_);
    g_object_unref(rows_);
}

void DifferencesWindow::present(GtkWindow* owner) {
    if (owner) gtk_window_set_transient_for(GTK_WINDOW(window_), owner);
    refresh();
    gtk_window_present(GTK_WINDOW(window_));
}

// A knob sends dozens of changes a second: the list is rebuilt once they pause.
void DifferencesWindow::parameterChanged(int index, bool) {
    if (index >= NumPresetParams || refreshSource_ != 0 || !gtk_widget_get_visible(window_)) return;
    refreshSource_ = g_idle_add(onRefreshIdle, this);
}

gboolean DifferencesWindow::onRefreshIdle(gpointer self) {
    auto* window = static_cast<DifferencesWindow*>(self);
    window->refreshSource_ = 0;
    window->refresh();
    return G_SOURCE_REMOVE;
}

void DifferencesWindow::refresh() {
    const DifferencesView view = differencesOfEdit(editor_);
    const PresetDifferences& d = view.differences;
    std::string heading = "A: " + view.labelA + "    B: " + view.labelB;
    if (d.names) heading += "\nName: " + d.names->first + " \u2192 " + d.names->second;
    if (d.ampModel)
        heading += "\nAmplifier Model " + d.ampModel->first + " \u2192 " + d.ampModel->second;
    if (d.ambienceType)
        heading += "\nAmbience Type " + d.ambienceType->first + " \u2192 " + d.ambienceType->second;
    if (d.ir7Name) heading += "\nIR 7: " + d.ir7Name->first + " \u2192 " + d.ir7Name->second;
    if (d.ir8Name) heading += "\nIR 8: " + d.ir8Name->first + " \u2192 " + d.ir8Name->second;
    if (d.empty()) heading += "\nThe two are the same.";
    gtk_label_set_text(GTK_LABEL(heading_), heading.c_str());
    gtk_label_set_text(GTK_LABEL(note_), view.irNote.c_str());
    gtk_widget_set_visible(note_, !view.irNote.empty());

    gtk_tree_store_clear(rows_);
    GtkTreeIter block;
    bool haveBlock = false;
    PresetBlock current = PresetBlock::Other;
    for (const DifferenceRow& row : d.rows) {
        if (!haveBlock || row.block != current) {
            gtk_tree_store_append(rows_, &block, nullptr);
            gtk_tree_store_set(rows_, &block, Text, std::string(blockName(row.block)).c_str(),
                               Index, -1, Block, static_cast<int>(row.block), -1);
            haveBlock = true;
            current = row.block;
        }
        GtkTreeIter child;
        gtk_tree_store_append(rows_, &child, &block);
        gtk_tree_store_set(rows_, &child, Text, row.name.c_str(), ValueA, row.textA.c_str(), ValueB,
                           row.textB.c_str(), Index, row.index, Block, static_cast<int>(row.block),
                           -1);
    }
    gtk_tree_view_expand_all(GTK_TREE_VIEW(list_));
}

void DifferencesWindow::takeSelected() {
    GtkTreeModel* model = nullptr;
    GtkTreeIter iter;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
    if (!gtk_tree_selection_get_selected(selection, &model, &iter)) return;
    int index = -1;
    int block = 0;
    gtk_tree_model_get(model, &iter, Index, &index, Block, &block, -1);
    if (index >= 0)
        takeParameterFromB(editor_, index);
    else
        takeBlockFromB(editor_, static_cast<PresetBlock>(block));
    refresh();
}

}  // namespace vornix::app
