#include "app/library_window.hpp"

#include <gdk/gdkkeysyms.h>

#include <ctime>
#include <sstream>

#include "app/gtk_widgets.hpp"
#include "app/setlist_write_dialog.hpp"
#include "core/vornix_control.hpp"
#include "library/preset_content.hpp"
#include "storage/file_io.hpp"

namespace vornix::app {

namespace {

constexpr const char* Title = "Preset Library";
constexpr int DefaultWidth = 1100;
constexpr int DefaultHeight = 640;
constexpr int Spacing = 6;
constexpr int Border = 8;
enum Column {
    IdColumn,
    FavouriteColumn,
    NameColumn,
    AmpColumn,
    AmbienceColumn,
    CabinetColumn,
    TagsColumn,
    AddedColumn,
    SourceColumn,
    NoteColumn,
    ColumnCount
};
enum SongColumn { SongNumberColumn, SongNameColumn, SongNoteColumn, SongColumnCount };

using Self = LibraryWindow;
using library::EntryId;
using library::utcNow;

std::string noteOf(const library::EntrySummary& row) {
    return row.duplicateOf != 0 ? "duplicate of " + std::to_string(row.duplicateOf) : "";
}

bool isMovingKey(guint key) {
    return key == GDK_KEY_Up || key == GDK_KEY_Down || key == GDK_KEY_Page_Up ||
           key == GDK_KEY_Page_Down || key == GDK_KEY_Home || key == GDK_KEY_End ||
           key == GDK_KEY_KP_Up || key == GDK_KEY_KP_Down;
}

std::vector<std::string> chosenFiles(GtkFileChooser* chooser) {
    std::vector<std::string> files;
    GSList* list = gtk_file_chooser_get_filenames(chooser);
    for (GSList* item = list; item; item = item->next) {
        files.emplace_back(static_cast<char*>(item->data));
        g_free(item->data);
    }
    g_slist_free(list);
    return files;
}

}  // namespace

std::unique_ptr<LibraryWindow> openLibraryWindow(VornixControl& editor,
                                                 const storage::DataFolder& folder,
                                                 GtkWindow* owner) {
    storage::ensureFolder(folder.root());
    auto opened = library::PresetLibrary::open(folder.root() / library::LibraryFileName, utcNow());
    if (!opened.message.empty()) showError(GTK_WIDGET(owner), opened.message);
    if (!opened.library) return nullptr;
    return std::make_unique<LibraryWindow>(editor, std::move(opened.library));
}

LibraryWindow::LibraryWindow(VornixControl& editor, std::unique_ptr<library::PresetLibrary> library)
    : editor_(editor),
      library_(std::move(library)),
      librarian_(editor, *library_),
      writer_(editor) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), Title);
    gtk_window_set_default_size(GTK_WINDOW(window_), DefaultWidth, DefaultHeight);
    // Closing hides the window and keeps what was auditioned as the sound.
    g_signal_connect(window_, "delete-event",
                     G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, Self* self) {
                         self->librarian_.keepAudition();
                         return gtk_widget_hide_on_delete(widget);
                     }),
                     this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(box), Border);
    gtk_box_pack_start(GTK_BOX(box), buildToolbar(), FALSE, FALSE, 0);
    GtkWidget* panes = gtk_paned_new(GTK_ORIENTATION_HORIZONTAL);
    GtkWidget* left = gtk_box_new(GTK_ORIENTATION_VERTICAL, Spacing);
    gtk_box_pack_start(GTK_BOX(left), buildList(), TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(left), buildNotes(), FALSE, FALSE, 0);
    gtk_paned_pack1(GTK_PANED(panes), left, TRUE, FALSE);
    gtk_paned_pack2(GTK_PANED(panes), buildSetlists(), FALSE, FALSE);
    gtk_box_pack_start(GTK_BOX(box), panes, TRUE, TRUE, 0);
    status_ = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(status_), 0.f);
    gtk_label_set_ellipsize(GTK_LABEL(status_), PANGO_ELLIPSIZE_END);
    gtk_box_pack_start(GTK_BOX(box), status_, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);
    gtk_widget_show_all(box);
    reload();
    reloadSetlists();
}

LibraryWindow::~LibraryWindow() {
    gtk_widget_destroy(window_);
    g_object_unref(rows_);
    g_object_unref(songs_);
}

// The list has the keys: the arrow keys audition from the start.
void LibraryWindow::present(GtkWindow* owner) {
    presentBeside(window_, owner, Border);
    gtk_widget_grab_focus(list_);
}

GtkWidget* LibraryWindow::buildToolbar() {
    GtkWidget* bar = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    search_ = gtk_search_entry_new();
    gtk_entry_set_placeholder_text(GTK_ENTRY(search_),
                                   "Search names, tags, notes; amp: ambience: ir: fav");
    g_signal_connect_swapped(search_, "search-changed",
                             G_CALLBACK(+[](Self* self) { self->reload(); }), this);
    gtk_box_pack_start(GTK_BOX(bar), search_, TRUE, TRUE, 0);
    auditionToggle_ = gtk_check_button_new_with_mnemonic("_Audition");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(auditionToggle_), TRUE);
    gtk_widget_set_tooltip_text(auditionToggle_,
                                "The arrow keys play the selected entry on the pedal; Escape "
                                "puts the sound before back");
    gtk_box_pack_start(GTK_BOX(bar), auditionToggle_, FALSE, FALSE, 0);

    GtkWidget* add = gtk_menu_button_new();
    gtk_button_set_label(GTK_BUTTON(add), "Add");
    GtkWidget* menu = gtk_menu_new();
    const auto item = [&](const char* label, GCallback activate) {
        GtkWidget* entry = gtk_menu_item_new_with_mnemonic(label);
        g_signal_connect_swapped(entry, "activate", activate, this);
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), entry);
    };
    item("The _Edited Sound", G_CALLBACK(+[](Self* self) { self->addEditedSound(); }));
    item("A _Slot...", G_CALLBACK(+[](Self* self) { self->addSlot(); }));
    item("_All 128 Slots", G_CALLBACK(+[](Self* self) { self->addAllSlots(); }));
    item("_Preset or Bank Files...", G_CALLBACK(+[](Self* self) {
             self->addFiles(GTK_FILE_CHOOSER_ACTION_OPEN, "Add Preset or Bank Files");
         }));
    item("A _Folder of Preset Files...", G_CALLBACK(+[](Self* self) {
             self->addFiles(GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "Add a Folder of Preset Files");
         }));
    gtk_widget_show_all(menu);
    gtk_menu_button_set_popup(GTK_MENU_BUTTON(add), menu);
    gtk_box_pack_start(GTK_BOX(bar), add, FALSE, FALSE, 0);
    addButton(bar, "_Store into Slot...", G_CALLBACK(+[](Self* self) { self->storeSelected(); }),
              this);
    addButton(bar, "E_xport...", G_CALLBACK(+[](Self* self) { self->exportSelected(); }), this);
    addButton(bar, "_Delete", G_CALLBACK(+[](Self* self) { self->deleteSelected(); }), this);
    return bar;
}

GtkWidget* LibraryWindow::buildList() {
    rows_ = gtk_list_store_new(ColumnCount, G_TYPE_INT64, G_TYPE_BOOLEAN, G_TYPE_STRING,
                               G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING,
                               G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
    list_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(rows_));
    gtk_tree_view_set_enable_search(GTK_TREE_VIEW(list_), FALSE);
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
    gtk_tree_selection_set_mode(selection, GTK_SELECTION_MULTIPLE);
    g_signal_connect_swapped(selection, "changed",
                             G_CALLBACK(+[](Self* self) { self->selectionChanged(); }), this);

    addTextColumn("ID", IdColumn, 50);
    GtkCellRenderer* star = gtk_cell_renderer_toggle_new();
    g_signal_connect_swapped(
        star, "toggled",
        G_CALLBACK(+[](Self* self, const char* path) { self->favouriteToggled(path); }), this);
    GtkTreeViewColumn* favourite =
        gtk_tree_view_column_new_with_attributes("★", star, "active", FavouriteColumn, nullptr);
    gtk_tree_view_column_set_sort_column_id(favourite, FavouriteColumn);
    gtk_tree_view_append_column(GTK_TREE_VIEW(list_), favourite);
    addTextColumn("Name", NameColumn, 220);
    addTextColumn("Amplifier", AmpColumn, 90);
    addTextColumn("Ambience", AmbienceColumn, 90);
    addTextColumn("Cabinet / IRs", CabinetColumn, 170);
    addTextColumn("Tags", TagsColumn, 120, true);
    addTextColumn("Added (UTC)", AddedColumn, 140);
    addTextColumn("From", SourceColumn, 240);
    addTextColumn("", NoteColumn, 200);

    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scroller), list_);
    return scroller;
}

void LibraryWindow::addTextColumn(const char* title, int column, int width, bool editable) {
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    if (editable) {
        g_object_set(cell, "editable", TRUE, nullptr);
        g_signal_connect_swapped(cell, "edited",
                                 G_CALLBACK(+[](Self* self, const char* path, const char* text) {
                                     self->tagsEdited(path, text);
                                 }),
                                 this);
    }
    GtkTreeViewColumn* c =
        gtk_tree_view_column_new_with_attributes(title, cell, "text", column, nullptr);
    gtk_tree_view_column_set_sizing(c, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(c, width);
    gtk_tree_view_column_set_resizable(c, TRUE);
    gtk_tree_view_column_set_sort_column_id(c, column);
    gtk_tree_view_append_column(GTK_TREE_VIEW(list_), c);
}

GtkWidget* LibraryWindow::buildNotes() {
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    GtkWidget* label = gtk_label_new_with_mnemonic("_Notes:");
    notes_ = gtk_entry_new();
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), notes_);
    gtk_widget_set_sensitive(notes_, FALSE);
    g_signal_connect_swapped(notes_, "activate",
                             G_CALLBACK(+[](Self* self) { self->notesEdited(); }), this);
    g_signal_connect_swapped(notes_, "focus-out-event", G_CALLBACK(+[](Self* self) {
                                 self->notesEdited();
                                 return FALSE;
                             }),
                             this);
    gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), notes_, TRUE, TRUE, 0);
    return row;
}

GtkWidget* LibraryWindow::buildSetlists() {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, Spacing);
    GtkWidget* top = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    setlists_ = gtk_combo_box_text_new();
    g_signal_connect_swapped(setlists_, "changed",
                             G_CALLBACK(+[](Self* self) { self->showSetlist(); }), this);
    gtk_box_pack_start(GTK_BOX(top), gtk_label_new("Setlist:"), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(top), setlists_, TRUE, TRUE, 0);
    addButton(top, "_New...", G_CALLBACK(+[](Self* self) { self->newSetlist(); }), this);
    gtk_box_pack_start(GTK_BOX(box), top, FALSE, FALSE, 0);

    songs_ = gtk_list_store_new(SongColumnCount, G_TYPE_INT, G_TYPE_STRING, G_TYPE_STRING);
    songList_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(songs_));
    const auto column = [&](const char* title, int index) {
        gtk_tree_view_append_column(
            GTK_TREE_VIEW(songList_),
            gtk_tree_view_column_new_with_attributes(title, gtk_cell_renderer_text_new(), "text",
                                                     index, nullptr));
    };
    column("#", SongNumberColumn);
    column("Song", SongNameColumn);
    column("Note", SongNoteColumn);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_widget_set_size_request(scroller, 300, -1);
    gtk_container_add(GTK_CONTAINER(scroller), songList_);
    gtk_box_pack_start(GTK_BOX(box), scroller, TRUE, TRUE, 0);

    GtkWidget* buttons = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    addButton(buttons, "Add Se_lected", G_CALLBACK(+[](Self* self) { self->addToSetlist(); }),
              this);
    addButton(buttons, "_Remove", G_CALLBACK(+[](Self* self) { self->removeFromSetlist(); }), this);
    addButton(buttons, "_Up", G_CALLBACK(+[](Self* self) { self->moveInSetlist(-1); }), this);
    addButton(buttons, "Do_wn", G_CALLBACK(+[](Self* self) { self->moveInSetlist(1); }), this);
    addButton(buttons, "As _Text...", G_CALLBACK(+[](Self* self) { self->exportSetlistText(); }),
              this);
    gtk_box_pack_start(GTK_BOX(box), buttons, FALSE, FALSE, 0);
    GtkWidget* write = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    addButton(write, "Write to _Pedal from Slot...",
              G_CALLBACK(+[](Self* self) { self->writeSetlist(); }), this);
    gtk_box_pack_start(GTK_BOX(box), write, FALSE, FALSE, 0);
    return box;
}

// ---- the list ----------------------------------------------------------------------

void LibraryWindow::reload() {
    const std::string text = gtk_entry_get_text(GTK_ENTRY(search_));
    showRows(librarian_.library().search(library::parseSearchQuery(text)));
}

void LibraryWindow::showRows(const std::vector<library::EntrySummary>& rows) {
    filling_ = true;
    // Detached while filled: the view does not re-sort and redraw per row.
    g_object_ref(rows_);
    gtk_tree_view_set_model(GTK_TREE_VIEW(list_), nullptr);
    gtk_list_store_clear(rows_);
    for (const library::EntrySummary& row : rows)
        gtk_list_store_insert_with_values(
            rows_, nullptr, -1, IdColumn, gint64(row.id), FavouriteColumn, row.favourite,
            NameColumn, row.name.c_str(), AmpColumn, row.ampModel.c_str(), AmbienceColumn,
            row.ambience.c_str(), CabinetColumn, row.cabinet.c_str(), TagsColumn, row.tags.c_str(),
            AddedColumn, row.added.c_str(), SourceColumn,
            library::describeSource(row.source, row.added).c_str(), NoteColumn, noteOf(row).c_str(),
            -1);
    gtk_tree_view_set_model(GTK_TREE_VIEW(list_), GTK_TREE_MODEL(rows_));
    g_object_unref(rows_);
    filling_ = false;
    setStatus(std::to_string(rows.size()) + " of " + std::to_string(librarian_.library().count()) +
              " entries");
}

gboolean LibraryWindow::onKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<Self*>(data);
    if (event->keyval == GDK_KEY_Escape) {
        if (!self->librarian_.auditioning()) return FALSE;
        self->librarian_.cancelAudition();
        self->setStatus("The sound before the audition is back.");
        return TRUE;
    }
    self->keyMoved_ = isMovingKey(event->keyval) && gtk_widget_has_focus(self->list_);
    return FALSE;
}

void LibraryWindow::selectionChanged() {
    const EntryId id = selectedId();
    notesEdited();
    notesOf_ = id;
    const auto entry = id ? librarian_.library().find(id) : std::nullopt;
    gtk_entry_set_text(GTK_ENTRY(notes_), entry ? entry->summary.notes.c_str() : "");
    gtk_widget_set_sensitive(notes_, entry.has_value());
    const bool play =
        keyMoved_ && !filling_ && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(auditionToggle_));
    keyMoved_ = false;
    if (!play || !entry) return;
    if (!librarian_.audition(id)) return;
    const std::string differs = librarian_.irDifference(entry->content);
    setStatus("Playing " + std::to_string(id) + " \"" + entry->summary.name + "\"" +
              (differs.empty() ? "" : ": " + differs) + ". Escape puts the sound before back.");
    GtkTreeModel* model = nullptr;
    GList* paths = gtk_tree_selection_get_selected_rows(
        gtk_tree_view_get_selection(GTK_TREE_VIEW(list_)), &model);
    GtkTreeIter iter;
    if (paths && gtk_tree_model_get_iter(model, &iter, static_cast<GtkTreePath*>(paths->data)))
        gtk_list_store_set(rows_, &iter, NoteColumn, differs.c_str(), -1);
    g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
}

std::vector<EntryId> LibraryWindow::selectedIds() const {
    std::vector<EntryId> ids;
    GtkTreeModel* model = nullptr;
    GList* paths = gtk_tree_selection_get_selected_rows(
        gtk_tree_view_get_selection(GTK_TREE_VIEW(list_)), &model);
    for (GList* p = paths; p; p = p->next) {
        GtkTreeIter iter;
        gint64 id = 0;
        if (gtk_tree_model_get_iter(model, &iter, static_cast<GtkTreePath*>(p->data))) {
            gtk_tree_model_get(model, &iter, IdColumn, &id, -1);
            ids.push_back(id);
        }
    }
    g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
    return ids;
}

EntryId LibraryWindow::selectedId() const {
    const auto ids = selectedIds();
    return ids.size() == 1 ? ids.front() : 0;
}

void LibraryWindow::favouriteToggled(const char* path) {
    GtkTreeIter iter;
    if (!gtk_tree_model_get_iter_from_string(GTK_TREE_MODEL(rows_), &iter, path)) return;
    gint64 id = 0;
    gboolean favourite = FALSE;
    gtk_tree_model_get(GTK_TREE_MODEL(rows_), &iter, IdColumn, &id, FavouriteColumn, &favourite,
                       -1);
    if (librarian_.library().setFavourite(id, !favourite))
        gtk_list_store_set(rows_, &iter, FavouriteColumn, !favourite, -1);
}

void LibraryWindow::tagsEdited(const char* path, const char* text) {
    GtkTreeIter iter;
    if (!gtk_tree_model_get_iter_from_string(GTK_TREE_MODEL(rows_), &iter, path)) return;
    gint64 id = 0;
    gtk_tree_model_get(GTK_TREE_MODEL(rows_), &iter, IdColumn, &id, -1);
    // One space between tags, whatever was typed.
    std::istringstream words(text);
    std::string tags;
    for (std::string word; words >> word;) tags += (tags.empty() ? "" : " ") + word;
    if (librarian_.library().setTags(id, tags))
        gtk_list_store_set(rows_, &iter, TagsColumn, tags.c_str(), -1);
}

void LibraryWindow::notesEdited() {
    if (notesOf_ == 0) return;
    const auto entry = librarian_.library().find(notesOf_);
    const std::string notes = gtk_entry_get_text(GTK_ENTRY(notes_));
    if (entry && entry->summary.notes != notes) librarian_.library().setNotes(notesOf_, notes);
}

// ---- adding, exporting, deleting, storing -----------------------------------------

void LibraryWindow::reportAdded(const library::Librarian::AddResult& added,
                                const std::vector<std::string>& refusals) {
    reload();
    if (!added) {
        showError(window_, "The library could not be written: " + librarian_.library().error());
        return;
    }
    int duplicates = 0;
    for (const auto& row : *added) duplicates += row.duplicateOf != 0;
    std::string text = std::to_string(added->size()) + " added";
    if (duplicates) text += ", " + std::to_string(duplicates) + " of them duplicates";
    if (!refusals.empty()) text += "; " + std::to_string(refusals.size()) + " refused";
    setStatus(text + ".");
    if (refusals.empty()) return;
    std::string list = "Not added:\n";
    for (const std::string& refusal : refusals) list += refusal + "\n";
    showError(window_, list);
}

void LibraryWindow::addEditedSound() {
    reportAdded(librarian_.addEditedSound(utcNow()), {});
}

void LibraryWindow::addSlot() {
    int slot = 0;
    if (askNumber("Add a Slot", "Slot (0 to 127):", 0, NumPresets - 1, slot))
        reportAdded(librarian_.addSlots(slot, slot, utcNow()), {});
}

void LibraryWindow::addAllSlots() {
    reportAdded(librarian_.addSlots(0, NumPresets - 1, utcNow()), {});
}

void LibraryWindow::addFiles(GtkFileChooserAction action, const char* title) {
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new(title, GTK_WINDOW(window_), action, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Add", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_select_multiple(chooser, TRUE);
    if (action == GTK_FILE_CHOOSER_ACTION_OPEN) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, "Preset and bank files (*.kvp, *.kvb)");
        gtk_file_filter_add_pattern(filter, "*.kvp");
        gtk_file_filter_add_pattern(filter, "*.kvb");
        gtk_file_chooser_add_filter(chooser, filter);
    }
    std::vector<std::string> files;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) files = chosenFiles(chooser);
    gtk_widget_destroy(dialog);
    if (files.empty()) return;
    std::vector<std::string> refusals;
    const auto added = librarian_.addFiles({files.begin(), files.end()}, utcNow(), refusals);
    reportAdded(added, refusals);
}

void LibraryWindow::deleteSelected() {
    int kept = 0;
    for (const EntryId id : selectedIds()) kept += !librarian_.library().remove(id);
    reload();
    if (kept)
        showError(window_, std::to_string(kept) +
                               " of the entries are songs of a setlist and were kept; take them "
                               "out of the setlist first.");
}

void LibraryWindow::exportSelected() {
    const auto entry = librarian_.library().find(selectedId());
    if (!entry) return setStatus("Select one entry to export.");
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        "Export Entry", GTK_WINDOW(window_), GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel",
        GTK_RESPONSE_CANCEL, "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gtk_file_chooser_set_current_name(chooser, (entry->summary.name + ".kvp").c_str());
    std::vector<std::string> files;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) files = chosenFiles(chooser);
    gtk_widget_destroy(dialog);
    if (files.empty()) return;
    if (!storage::writeFile(files.front(), library::presetFileOf(entry->content),
                            storage::Durability::Durable))
        return showError(window_, "Cannot write " + files.front() + ".");
    setStatus("Written to " + files.front() + ".");
}

void LibraryWindow::storeSelected() {
    const EntryId id = selectedId();
    if (id == 0) return setStatus("Select one entry to store.");
    int slot = 0;
    if (!askNumber("Store into Slot", "Store into slot (0 to 127):", 0, NumPresets - 1, slot))
        return;
    std::string why;
    if (!librarian_.storeIntoSlot(id, slot, why)) return showError(window_, why);
    setStatus("Storing " + std::to_string(id) + " into slot " + std::to_string(slot) + "...");
}

// ---- setlists ----------------------------------------------------------------------

void LibraryWindow::reloadSetlists() {
    const std::string shown = currentSetlist();
    gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(setlists_));
    int index = 0;
    for (const std::string& name : librarian_.library().setlistNames()) {
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(setlists_), name.c_str());
        if (name == shown) gtk_combo_box_set_active(GTK_COMBO_BOX(setlists_), index);
        ++index;
    }
    if (gtk_combo_box_get_active(GTK_COMBO_BOX(setlists_)) < 0 && index > 0)
        gtk_combo_box_set_active(GTK_COMBO_BOX(setlists_), 0);
}

std::string LibraryWindow::currentSetlist() const {
    gchar* text = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(setlists_));
    std::string name = text ? text : "";
    g_free(text);
    return name;
}

void LibraryWindow::showSetlist() {
    gtk_list_store_clear(songs_);
    const auto songs = librarian_.library().setlist(currentSetlist());
    if (!songs) return;
    int number = 1;
    for (const auto& song : *songs)
        gtk_list_store_insert_with_values(songs_, nullptr, -1, SongNumberColumn, number++,
                                          SongNameColumn, song.summary.name.c_str(), SongNoteColumn,
                                          song.note.c_str(), -1);
}

void LibraryWindow::newSetlist() {
    GtkWidget* dialog =
        gtk_dialog_new_with_buttons("New Setlist", GTK_WINDOW(window_), GTK_DIALOG_MODAL, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Create", GTK_RESPONSE_ACCEPT, nullptr);
    GtkWidget* name = gtk_entry_new();
    gtk_entry_set_activates_default(GTK_ENTRY(name), TRUE);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), name);
    gtk_widget_show_all(dialog);
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT)
        chosen = gtk_entry_get_text(GTK_ENTRY(name));
    gtk_widget_destroy(dialog);
    if (chosen.empty()) return;
    if (!librarian_.library().createSetlist(chosen, utcNow()))
        return showError(window_, "There is a setlist \"" + chosen + "\" already.");
    reloadSetlists();
    const auto names = librarian_.library().setlistNames();
    for (std::size_t k = 0; k < names.size(); ++k)
        if (names[k] == chosen) gtk_combo_box_set_active(GTK_COMBO_BOX(setlists_), gint(k));
}

void LibraryWindow::addToSetlist() {
    const auto ids = selectedIds();
    if (ids.empty() || !librarian_.library().appendToSetlist(currentSetlist(), ids))
        return setStatus("Choose a setlist and select the entries to add.");
    showSetlist();
}

static int selectedSong(GtkWidget* songList) {
    GtkTreeModel* model = nullptr;
    GtkTreeIter iter;
    if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(songList)),
                                         &model, &iter))
        return -1;
    gint number = 0;
    gtk_tree_model_get(model, &iter, SongNumberColumn, &number, -1);
    return number - 1;
}

void LibraryWindow::removeFromSetlist() {
    const int song = selectedSong(songList_);
    if (song >= 0 && librarian_.library().removeFromSetlist(currentSetlist(), song)) showSetlist();
}

void LibraryWindow::moveInSetlist(int by) {
    const int song = selectedSong(songList_);
    if (song < 0 || !librarian_.library().moveInSetlist(currentSetlist(), song, song + by)) return;
    showSetlist();
    GtkTreePath* path = gtk_tree_path_new_from_indices(song + by, -1);
    gtk_tree_selection_select_path(gtk_tree_view_get_selection(GTK_TREE_VIEW(songList_)), path);
    gtk_tree_path_free(path);
}

void LibraryWindow::exportSetlistText() {
    const auto songs = librarian_.library().setlist(currentSetlist());
    if (!songs) return;
    int first = 0;
    if (!askNumber("Setlist as Text", "Programs from slot (0 to 127):", 0, NumPresets - 1, first))
        return;
    std::ostringstream text;
    for (std::size_t k = 0; k < songs->size(); ++k)
        text << first + static_cast<int>(k) << "  " << (*songs)[k].summary.name
             << ((*songs)[k].note.empty() ? "" : "  " + (*songs)[k].note) << '\n';
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), text.str().c_str(), -1);
    setStatus("The setlist is on the clipboard as text.");
}

// Song 1 into the chosen slot, song 2 into the next, ...: the slots that
// change are shown first, then the pedal is backed up (the editor asks), then
// only those slots are written and read back.
void LibraryWindow::writeSetlist() {
    const std::string name = currentSetlist();
    const auto songs = librarian_.library().setlist(name);
    if (!songs) return setStatus("Choose a setlist to write.");
    if (writer_.active()) return setStatus(writer_.progress() + "...");
    if (!editor_.connection().online()) return showError(window_, "The pedal is not connected.");
    int from = 0;
    if (!askNumber("Write to Pedal from Slot", "Song 1 into slot (0 to 127):", 0, NumPresets - 1,
                   from))
        return;
    library::SetlistPlan plan =
        library::planSetlistWrite(librarian_.library(), *songs, from, editor_.cache().folder());
    if (!plan.refusal.empty()) return showError(window_, plan.refusal);
    if (plan.toWrite() == 0)
        return setStatus("Slots " + std::to_string(from) + " to " +
                         std::to_string(from + static_cast<int>(songs->size()) - 1) +
                         " hold the setlist's songs already.");
    if (!confirmSetlistWrite(GTK_WINDOW(window_), name, plan)) return;
    // The step waits for the backup; std::function needs a copyable plan.
    auto kept = std::make_shared<library::SetlistPlan>(std::move(plan));
    editor_.backups().beforeDestructiveStep([this, kept] {
        std::string why;
        const int count = kept->toWrite();
        const auto done = [this](const library::SetlistWriter::Outcome& outcome) {
            const std::string summary = library::summarise(outcome);
            setStatus(summary);
            if (!outcome.failures.empty()) editor_.link().showMessage(summary);
        };
        setStatus("Writing " + std::to_string(count) + " slots...");
        if (!writer_.start(std::move(*kept), done, why)) setStatus(why);
    });
}

// ---- small dialogs -----------------------------------------------------------------

void LibraryWindow::setStatus(const std::string& text) {
    gtk_label_set_text(GTK_LABEL(status_), text.c_str());
}

bool LibraryWindow::askNumber(const char* title, const char* label, int lowest, int highest,
                              int& value) {
    GtkWidget* dialog =
        gtk_dialog_new_with_buttons(title, GTK_WINDOW(window_), GTK_DIALOG_MODAL, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_ACCEPT, nullptr);
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(row), Border);
    GtkWidget* spin = gtk_spin_button_new_with_range(lowest, highest, 1);
    gtk_entry_set_activates_default(GTK_ENTRY(spin), TRUE);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    gtk_box_pack_start(GTK_BOX(row), gtk_label_new(label), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), spin, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), row);
    gtk_widget_show_all(dialog);
    const bool ok = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT;
    value = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(spin));
    gtk_widget_destroy(dialog);
    return ok;
}

}  // namespace vornix::app
