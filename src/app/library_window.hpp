#pragma once
// Library > Show Library: a side window of plain GTK widgets over the preset
// library. A search box (words, amp:, ambience:, ir:, fav), sortable columns,
// favourite and tags edited in place, notes below the list. Selecting a row
// with the arrow keys auditions it on the pedal; Escape puts the sound
// before back. Entries are added from the pedal and from files, exported,
// deleted and stored into a slot; setlists are put together on the right
// and written to the pedal from a slot on.
#include <gtk/gtk.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "library/librarian.hpp"
#include "library/setlist_writer.hpp"
#include "storage/data_folder.hpp"

namespace vornix::app {

class LibraryWindow {
  public:
    LibraryWindow(VornixControl& editor, std::unique_ptr<library::PresetLibrary> library);
    ~LibraryWindow();
    LibraryWindow(const LibraryWindow&) = delete;
    LibraryWindow& operator=(const LibraryWindow&) = delete;

    void present(GtkWindow* owner);
    // The rows again from the library (after vornixctl or a script changed it).
    void reload();
    GtkWidget* widget() const { return window_; }

  private:
    GtkWidget* buildToolbar();
    GtkWidget* buildList();
    GtkWidget* buildNotes();
    GtkWidget* buildSetlists();
    void addTextColumn(const char* title, int column, int width, bool editable = false);

    static gboolean onKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    void showRows(const std::vector<library::EntrySummary>& rows);
    void selectionChanged();
    library::EntryId selectedId() const;
    std::vector<library::EntryId> selectedIds() const;
    void favouriteToggled(const char* path);
    void tagsEdited(const char* path, const char* text);
    void notesEdited();

    void addEditedSound();
    void addSlot();
    void addAllSlots();
    void addFiles(GtkFileChooserAction action, const char* title);
    void reportAdded(const library::Librarian::AddResult& added,
                     const std::vector<std::string>& refusals);
    void deleteSelected();
    void exportSelected();
    void storeSelected();

    void reloadSetlists();
    void showSetlist();
    std::string currentSetlist() const;
    void newSetlist();
    void addToSetlist();
    void removeFromSetlist();
    void moveInSetlist(int by);
    void exportSetlistText();
    void writeSetlist();

    void setStatus(const std::string& text);
    // Asks for a number in a small dialog; false when cancelled.
    bool askNumber(const char* title, const char* label, int lowest, int highest, int& value);

    VornixControl& editor_;
    std::unique_ptr<library::PresetLibrary> library_;
    library::Librarian librarian_;
    library::SetlistWriter writer_;
    GtkWidget* window_ = nullptr;
    GtkListStore* rows_ = nullptr;
    GtkWidget* list_ = nullptr;
    GtkWidget* search_ = nullptr;
    GtkWidget* auditionToggle_ = nullptr;
    GtkWidget* notes_ = nullptr;
    GtkWidget* status_ = nullptr;
    GtkWidget* setlists_ = nullptr;
    GtkListStore* songs_ = nullptr;
    GtkWidget* songList_ = nullptr;
    library::EntryId notesOf_ = 0;
    // Set while the list is refilled: selection changes then are no audition.
    bool filling_ = false;
    // A key moved the cursor: the selection that follows auditions.
    bool keyMoved_ = false;
};

// Opens the data folder's library and its window. A library that had to be
// moved aside is said so over `owner`; null when none can be opened.
std::unique_ptr<LibraryWindow> openLibraryWindow(VornixControl& editor,
                                                 const storage::DataFolder& folder,
                                                 GtkWindow* owner);

}  // namespace vornix::app
