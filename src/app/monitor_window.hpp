#pragma once
// View > MIDI Monitor: a side window of plain GTK widgets over the editor's
// traffic capture. One row per message (time, direction, name, length, first
// bytes), the selected message whole in the pane below, filters, pause,
// clear, copy and save. The capture records whether the window is open or
// not; the list catches up once per frame, in batches, so that a bank export
// that sends and receives hundreds of messages a second leaves it responsive.
//
// The rows hold only sequence numbers: the texts come from the capture as
// the rows are drawn, so 100,000 rows cost the list little memory.
#include <gtk/gtk.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/monitor_view.hpp"
#include "core/traffic_capture.hpp"

namespace vornix::app {

class MonitorWindow {
  public:
    // `folder`: where Save offers to write first.
    MonitorWindow(TrafficCapture& capture, std::filesystem::path folder);
    // Destroys the window.
    ~MonitorWindow();
    MonitorWindow(const MonitorWindow&) = delete;
    MonitorWindow& operator=(const MonitorWindow&) = delete;

    // Shows the window (or raises it) beside `owner`.
    void present(GtkWindow* owner);

  private:
    GtkWidget* buildToolbar();
    GtkWidget* buildList();
    GtkWidget* buildDetail();
    void addColumn(const char* title, int width, GtkTreeCellDataFunc text, bool expand = false);

    // Ctrl+C copies the selected rows, Ctrl+S saves.
    static gboolean onKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    // Once per frame: rows the capture let go leave the list, new ones join it.
    static gboolean onTick(GtkWidget* widget, GdkFrameClock* clock, gpointer self);
    void dropGoneRows();
    void appendNewRows();
    void refilter();
    void clearAll();
    void copySelection();
    void save();
    void showSelected();
    void updateStatus();
    const CapturedMessage* messageAt(GtkTreeModel* model, GtkTreeIter* iter) const;
    bool scrolledToEnd() const;

    TrafficCapture& capture_;
    std::filesystem::path folder_;
    GtkWidget* window_ = nullptr;
    GtkListStore* rows_ = nullptr;
    GtkWidget* list_ = nullptr;
    GtkWidget* scroller_ = nullptr;
    GtkWidget* detail_ = nullptr;
    GtkWidget* status_ = nullptr;
    GtkWidget* hideIdentify_ = nullptr;
    GtkWidget* onlyProblems_ = nullptr;
    GtkWidget* search_ = nullptr;
    GtkWidget* pause_ = nullptr;

    MonitorFilterPass pass_;
    std::uint64_t nextToShow_ = 0;  // the sequence number the list looks at next
    std::size_t shown_ = 0;
    std::string statusShown_;
};

}  // namespace vornix::app
