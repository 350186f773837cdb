#pragma once
// Preset > History...: a side window of plain GTK widgets that lists the
// versions kept of every slot (slot, time in UTC, name, reason; newest
// first), filtered by slot, and puts the selected one back into its slot.
#include <gtk/gtk.h>

#include <vector>

#include "app/history_lines.hpp"
#include "core/vornix_control.hpp"

namespace vornix::app {

class HistoryWindow {
  public:
    explicit HistoryWindow(VornixControl& editor);
    ~HistoryWindow();
    HistoryWindow(const HistoryWindow&) = delete;
    HistoryWindow& operator=(const HistoryWindow&) = delete;

    // Shows the window (or raises it) beside `owner`, with the list read again.
    void present(GtkWindow* owner);

  private:
    GtkWidget* buildToolbar();
    GtkWidget* buildList();
    void addColumn(const char* title, int column);
    void refresh();
    void putBackSelected();

    static void onFilterChanged(GtkComboBox* box, gpointer self);
    static void onPutBack(GtkButton* button, gpointer self);
    static void onRefresh(GtkButton* button, gpointer self);

    VornixControl& editor_;
    GtkWidget* window_ = nullptr;
    GtkWidget* filter_ = nullptr;
    GtkWidget* list_ = nullptr;
    GtkWidget* status_ = nullptr;
    GtkListStore* rows_ = nullptr;
    std::vector<HistoryRow> shown_;
};

}  // namespace vornix::app
