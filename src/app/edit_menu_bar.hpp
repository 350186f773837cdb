#pragma once
// The menu bar's Edit menu: Undo and Redo with the step they take, greyed
// when there is none (their accelerators then do nothing), and the edits a
// recall threw away. It follows the editor's history as it changes.
#include <gtk/gtk.h>

#include <array>

#include "app/edit_menu.hpp"
#include "core/editor_events.hpp"
#include "core/vornix_control.hpp"

namespace vornix::app {

class EditMenuBar : public SoundEvents {
  public:
    // Appends "Edit" to the bar.
    EditMenuBar(VornixControl& editor, GtkWidget* bar);
    EditMenuBar(const EditMenuBar&) = delete;
    EditMenuBar& operator=(const EditMenuBar&) = delete;

    GtkWidget* undoItem() const { return undo_; }
    GtkWidget* redoItem() const { return redo_; }
    // Labels, greying and the Bring Back items from the history as it is now.
    void refresh();
    void editHistoryChanged() override { refresh(); }

  private:
    GtkWidget* addItem(GtkWidget* menu, EditAction action, std::size_t which);

    VornixControl& editor_;
    GtkWidget* undo_ = nullptr;
    GtkWidget* redo_ = nullptr;
    // The greyed item shown while no edit waits, and one item per edit kept.
    GtkWidget* noBringBack_ = nullptr;
    std::array<GtkWidget*, EditHistory::MaxAbandonedEdits> bringBack_{};
};

}  // namespace vornix::app
