#pragma once
// Preset > Differences...: a side window of plain GTK widgets beside the
// editor that lists the parameters in which the edit (A) differs from B (the
// preset Compare With... picked, else the stored preset), grouped by block,
// each row with both values as the window shows them. "Take from B" applies
// B's values of the selected row or block to the edit as one step of the
// edit history. The list follows the sound as it changes.
#include <gtk/gtk.h>

#include "core/editor_events.hpp"
#include "core/vornix_control.hpp"

namespace vornix::app {

class DifferencesWindow : public SoundEvents {
  public:
    explicit DifferencesWindow(VornixControl& editor);
    ~DifferencesWindow() override;
    DifferencesWindow(const DifferencesWindow&) = delete;
    DifferencesWindow& operator=(const DifferencesWindow&) = delete;

    // Shows the window (or raises it) beside `owner`.
    void present(GtkWindow* owner);

    void parameterChanged(int index, bool applyingBlock) override;
    void presetApplied(const AppliedPreset&) override { refresh(); }
    void presetNameChanged(const std::string&) override { refresh(); }
    void comparisonChanged() override { refresh(); }

  private:
    void refresh();
    void takeSelected();
    static gboolean onRefreshIdle(gpointer self);

    VornixControl& editor_;
    GtkWidget* window_ = nullptr;
    GtkWidget* heading_ = nullptr;
    GtkWidget* note_ = nullptr;
    GtkTreeStore* rows_ = nullptr;
    GtkWidget* list_ = nullptr;
    guint refreshSource_ = 0;
};

}  // namespace vornix::app
