#include "app/monitor_window.hpp"

#include "app/gtk_widgets.hpp"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <vector>

namespace vornix::app {

namespace {

constexpr const char* Title = "MIDI Monitor";
constexpr int DefaultWidth = 960;
constexpr int DefaultHeight = 640;
constexpr int Spacing = 6;
constexpr int Border = 8;
constexpr int DetailHeight = 150;
constexpr std::size_t FirstBytesShown = 12;
// A frame's batch: enough to keep up with any transfer, small enough that a
// frame that catches up on a full capture stays short.
constexpr std::uint64_t MaxRowsPerFrame = 4000;
constexpr const char* ProblemColour = "#c01c28";
constexpr const char* SaveName = "Vornix_MIDI_Monitor.syx";
enum Column { SequenceColumn, ColumnCount };

using Self = MonitorWindow;

void setText(GtkCellRenderer* cell, const std::string& text) {
    g_object_set(cell, "text", text.c_str(), nullptr);
}

GtkWidget* addCheck(GtkWidget* box, const char* label, GCallback toggled, gpointer self) {
    GtkWidget* check = gtk_check_button_new_with_mnemonic(label);
    g_signal_connect_swapped(check, "toggled", toggled, self);
    gtk_box_pack_start(GTK_BOX(box), check, FALSE, FALSE, 0);
    return check;
}

bool active(GtkWidget* toggle) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle));
}

}  // namespace

MonitorWindow::MonitorWindow(TrafficCapture& capture, std::filesystem::path folder)
    : capture_(capture), folder_(std::move(folder)) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), Title);
    gtk_window_set_default_size(GTK_WINDOW(window_), DefaultWidth, DefaultHeight);
    // Closing hides: the list and its filters are there again next time.
    g_signal_connect(window_, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(box), Border);
    gtk_box_pack_start(GTK_BOX(box), buildToolbar(), FALSE, FALSE, 0);
    GtkWidget* panes = gtk_paned_new(GTK_ORIENTATION_VERTICAL);
    gtk_paned_pack1(GTK_PANED(panes), buildList(), TRUE, FALSE);
    gtk_paned_pack2(GTK_PANED(panes), buildDetail(), FALSE, FALSE);
    gtk_box_pack_start(GTK_BOX(box), panes, TRUE, TRUE, 0);
    status_ = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(status_), 0.f);
    gtk_box_pack_start(GTK_BOX(box), status_, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);
    gtk_widget_show_all(box);

    // Tick callbacks run only while the window is on screen.
    gtk_widget_add_tick_callback(window_, onTick, this, nullptr);
}

MonitorWindow::~MonitorWindow() {
    gtk_widget_destroy(window_);
    g_object_unref(rows_);
}

void MonitorWindow::present(GtkWindow* owner) {
    presentBeside(window_, owner, Border);
}

GtkWidget* MonitorWindow::buildToolbar() {
    GtkWidget* bar = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    const auto filtersChanged = G_CALLBACK(+[](Self* self) { self->refilter(); });
    hideIdentify_ = addCheck(bar, "_Hide repeated identify", filtersChanged, this);
    onlyProblems_ = addCheck(bar, "_Errors and unknowns only", filtersChanged, this);
    search_ = gtk_search_entry_new();
    gtk_entry_set_placeholder_text(GTK_ENTRY(search_), "Search names and bytes");
    g_signal_connect_swapped(search_, "search-changed", filtersChanged, this);
    gtk_box_pack_start(GTK_BOX(bar), search_, TRUE, TRUE, 0);
    pause_ = gtk_toggle_button_new_with_mnemonic("_Pause");
    gtk_box_pack_start(GTK_BOX(bar), pause_, FALSE, FALSE, 0);
    addButton(bar, "C_lear", G_CALLBACK(+[](Self* self) { self->clearAll(); }), this);
    addButton(bar, "_Copy", G_CALLBACK(+[](Self* self) { self->copySelection(); }), this);
    addButton(bar, "_Save...", G_CALLBACK(+[](Self* self) { self->save(); }), this);
    return bar;
}

GtkWidget* MonitorWindow::buildList() {
    rows_ = gtk_list_store_new(ColumnCount, G_TYPE_UINT64);
    list_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(rows_));
    gtk_tree_view_set_enable_search(GTK_TREE_VIEW(list_), FALSE);
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
    gtk_tree_selection_set_mode(selection, GTK_SELECTION_MULTIPLE);
    g_signal_connect_swapped(selection, "changed",
                             G_CALLBACK(+[](Self* self) { self->showSelected(); }), this);

    addColumn("Time", 80,
              [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
                 gpointer self) {
                  const CapturedMessage* m = static_cast<Self*>(self)->messageAt(model, iter);
                  setText(cell, m ? sysex::secondsText(m->milliseconds) : "");
              });
    addColumn("", 24,
              [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
                 gpointer self) {
                  const CapturedMessage* m = static_cast<Self*>(self)->messageAt(model, iter);
                  setText(cell, m ? std::string(1, sysex::arrowOf(m->direction)) : "");
              });
    addColumn(
        "Message", 380,
        [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
           gpointer self) {
            const CapturedMessage* m = static_cast<Self*>(self)->messageAt(model, iter);
            setText(cell, m ? m->name : "(dropped)");
            g_object_set(cell, "foreground", ProblemColour, "foreground-set", m && m->isProblem(),
                         nullptr);
        },
        true);
    addColumn("Length", 60,
              [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
                 gpointer self) {
                  const CapturedMessage* m = static_cast<Self*>(self)->messageAt(model, iter);
                  setText(cell, m ? std::to_string(m->bytes.size()) : "");
              });
    addColumn("First bytes", 340,
              [](GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
                 gpointer self) {
                  const CapturedMessage* m = static_cast<Self*>(self)->messageAt(model, iter);
                  setText(cell, m ? firstBytesText(m->bytes, FirstBytesShown) : "");
              });
    // Every row one height: the list measures none of 100,000 rows to lay them out.
    gtk_tree_view_set_fixed_height_mode(GTK_TREE_VIEW(list_), TRUE);

    scroller_ = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller_), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scroller_), list_);
    return scroller_;
}

void MonitorWindow::addColumn(const char* title, int width, GtkTreeCellDataFunc text, bool expand) {
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    if (std::string_view(title) == "First bytes")
        g_object_set(cell, "family", "monospace", nullptr);
    GtkTreeViewColumn* column = gtk_tree_view_column_new();
    gtk_tree_view_column_set_title(column, title);
    gtk_tree_view_column_pack_start(column, cell, TRUE);
    gtk_tree_view_column_set_cell_data_func(column, cell, text, this, nullptr);
    gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(column, width);
    gtk_tree_view_column_set_resizable(column, TRUE);
    gtk_tree_view_column_set_expand(column, expand);
    gtk_tree_view_append_column(GTK_TREE_VIEW(list_), column);
}

GtkWidget* MonitorWindow::buildDetail() {
    detail_ = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(detail_), FALSE);
    gtk_text_view_set_monospace(GTK_TEXT_VIEW(detail_), TRUE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(detail_), GTK_WRAP_WORD_CHAR);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_widget_set_size_request(scroller, -1, DetailHeight);
    gtk_container_add(GTK_CONTAINER(scroller), detail_);
    return scroller;
}

gboolean MonitorWindow::onKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<Self*>(data);
    if (!(event->state & GDK_CONTROL_MASK)) return FALSE;
    if (event->keyval == GDK_KEY_s) {
        self->save();
        return TRUE;
    }
    // The search entry keeps its own copy.
    if (event->keyval != GDK_KEY_c || gtk_widget_has_focus(self->search_)) return FALSE;
    self->copySelection();
    return TRUE;
}

gboolean MonitorWindow::onTick(GtkWidget*, GdkFrameClock*, gpointer data) {
    auto* self = static_cast<Self*>(data);
    self->dropGoneRows();
    if (!active(self->pause_)) self->appendNewRows();
    self->updateStatus();
    return G_SOURCE_CONTINUE;
}

// The capture drops its oldest messages first, so gone rows are at the top.
void MonitorWindow::dropGoneRows() {
    GtkTreeIter first;
    while (gtk_tree_model_get_iter_first(GTK_TREE_MODEL(rows_), &first) &&
           !messageAt(GTK_TREE_MODEL(rows_), &first)) {
        gtk_list_store_remove(rows_, &first);
        --shown_;
    }
}

void MonitorWindow::appendNewRows() {
    const std::uint64_t end = capture_.nextSequence();
    if (nextToShow_ >= end) return;
    const bool follow = scrolledToEnd();
    const std::uint64_t oldest =
        capture_.messages().empty() ? end : capture_.messages().front().sequence;
    const std::uint64_t first = std::max(nextToShow_, oldest);
    const std::uint64_t last = std::min(end, first + MaxRowsPerFrame);
    std::size_t added = 0;
    for (std::uint64_t sequence = first; sequence < last; ++sequence) {
        const CapturedMessage* message = capture_.find(sequence);
        if (!message || !pass_.shows(*message)) continue;
        gtk_list_store_insert_with_values(rows_, nullptr, -1, SequenceColumn, sequence, -1);
        ++added;
    }
    nextToShow_ = last;
    shown_ += added;
    if (follow && added > 0) {
        GtkTreePath* path = gtk_tree_path_new_from_indices(gint(shown_ - 1), -1);
        gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(list_), path, nullptr, FALSE, 0, 0);
        gtk_tree_path_free(path);
    }
}

bool MonitorWindow::scrolledToEnd() const {
    GtkAdjustment* a = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(scroller_));
    return gtk_adjustment_get_value(a) + gtk_adjustment_get_page_size(a) >=
           gtk_adjustment_get_upper(a) - 1.0;
}

// A new filter sees the whole capture again, from the oldest held message.
void MonitorWindow::refilter() {
    MonitorFilter filter;
    filter.hideRepeatedIdentify = active(hideIdentify_);
    filter.onlyProblems = active(onlyProblems_);
    filter.search = gtk_entry_get_text(GTK_ENTRY(search_));
    pass_ = MonitorFilterPass(filter);
    gtk_list_store_clear(rows_);
    shown_ = 0;
    nextToShow_ = 0;
}

void MonitorWindow::clearAll() {
    capture_.clear();
    refilter();
}

const CapturedMessage* MonitorWindow::messageAt(GtkTreeModel* model, GtkTreeIter* iter) const {
    guint64 sequence = 0;
    gtk_tree_model_get(model, iter, SequenceColumn, &sequence, -1);
    return capture_.find(sequence);
}

void MonitorWindow::copySelection() {
    GtkTreeModel* model = nullptr;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
    GList* paths = gtk_tree_selection_get_selected_rows(selection, &model);
    std::string text;
    for (GList* item = paths; item; item = item->next) {
        GtkTreeIter iter;
        if (!gtk_tree_model_get_iter(model, &iter, static_cast<GtkTreePath*>(item->data))) continue;
        if (const CapturedMessage* m = messageAt(model, &iter)) text += m->line() + '\n';
    }
    g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
    if (text.empty()) return;
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, text.c_str(), gint(text.size()));
}

// What the list shows, filters applied: with none, every held message.
void MonitorWindow::save() {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        "Save File", GTK_WINDOW(window_), GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel",
        GTK_RESPONSE_CANCEL, "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gtk_file_chooser_set_current_folder(chooser, folder_.c_str());
    gtk_file_chooser_set_current_name(chooser, SaveName);
    for (const auto& [name, pattern] : {std::pair{"SysEx messages (*.syx)", "*.[sS][yY][xX]"},
                                        std::pair{"Decoded text (*.txt)", "*.[tT][xX][tT]"}}) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, name);
        gtk_file_filter_add_pattern(filter, pattern);
        gtk_file_chooser_add_filter(chooser, filter);
    }
    std::string path;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        if (chosen) path = chosen;
        g_free(chosen);
    }
    gtk_widget_destroy(dialog);
    if (path.empty()) return;

    std::vector<const CapturedMessage*> shown;
    shown.reserve(shown_);
    GtkTreeModel* model = GTK_TREE_MODEL(rows_);
    GtkTreeIter iter;
    for (bool more = gtk_tree_model_get_iter_first(model, &iter); more;
         more = gtk_tree_model_iter_next(model, &iter))
        if (const CapturedMessage* m = messageAt(model, &iter)) shown.push_back(m);
    const Result saved = saveCapture(path, shown);
    if (!saved.ok()) showError(window_, saved.error());
}

void MonitorWindow::showSelected() {
    GtkTreeModel* model = nullptr;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
    GList* paths = gtk_tree_selection_get_selected_rows(selection, &model);
    std::string text;
    GtkTreeIter iter;
    // The last row selected: where a shift-click or a drag ended.
    if (GList* last = g_list_last(paths);
        last && gtk_tree_model_get_iter(model, &iter, static_cast<GtkTreePath*>(last->data))) {
        const CapturedMessage* m = messageAt(model, &iter);
        text = m ? detailText(*m) : "This message is no longer held.";
    }
    g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(detail_)), text.c_str(), -1);
}

void MonitorWindow::updateStatus() {
    std::string text = monitorStatus(shown_, capture_);
    if (active(pause_)) text += "; paused";
    if (text == statusShown_) return;
    gtk_label_set_text(GTK_LABEL(status_), text.c_str());
    statusShown_ = std::move(text);
}

}  // namespace vornix::app
