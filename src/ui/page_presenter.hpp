#pragma once
// The window's side of the editor: what the editor reports becomes texts,
// values, colours and group operations on the drawing context. Which pages a
// report brings up is decided here (and in block_navigation), not in the editor.
//
// The preset rows and user IR rows keep their texts here too, so they read
// back whatever the page shows.
#include <array>
#include <span>
#include <string>

#include "controls/dynamics_graph.hpp"
#include "controls/freq_response_graph.hpp"
#include "controls/igraphics.hpp"
#include "core/editor_events.hpp"
#include "device/preset_record.hpp"
#include "ui/block_navigation.hpp"
#include "ui/block_panel.hpp"
#include "ui/preset_list.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

inline constexpr int UserIrRowCount = 32;

class PagePresenter : public EditorEvents {
  public:
    explicit PagePresenter(igraphics::IGraphics& graphics)
        : graphics_(graphics), panel_(graphics), presetList_(graphics) {}

    // ---- EditorEvents ----
    void connecting() override;
    void searchStatusChanged(const std::string& text) override;
    void deviceAnswered(double version) override;
    void identified(double version, const std::string& serial) override;
    void parameterChanged(int index, bool applyingBlock) override;
    void readoutTimedOut(int displayNumber) override;
    void presetNumberShown(int displayNumber) override;
    void readoutShown(bool shown) override;
    void presetSelected(int slot) override;
    void presetApplied(const AppliedPreset& preset) override;
    void soundRestored(int ampModel, int ambienceType) override;
    void presetStored(int slot) override;
    void modifiedChanged(bool modified) override;
    void presetNameChanged(const std::string& name) override;
    void irPositionNameChanged(int position, const std::string& name) override;
    void knobLayerChanged(bool layerB) override;
    void impulseResponseChanged(std::span<const double> samples, bool byUser) override;
    void presetRowChanged(int row, const std::string& text) override;
    void userIrRowChanged(int row, const std::string& text) override;
    void cabinetNameChanged(int cabinet, const std::string& name) override;
    void transferStarted(Transfer transfer) override;
    void transferProgress(Transfer transfer, double fraction) override;
    void transferEnded(Transfer transfer, bool ok) override;
    void presetRequestUnanswered() override;
    void firmwarePageOpened() override;
    void firmwarePageClosed(bool afterUpdate) override;
    void globalSettingsOpened() override;
    void aboutRequested() override;
    // An old backup takes the serial number's line until the next backup.
    void backupOverdue(int days) override;
    void backupFinished(bool ok, const std::string& pathOrWhy) override;

    // The graphs of the graph panel, which the view feeds.
    void setGraphs(igraphics::IFreqResponseGraph* frequency,
                   igraphics::IDynamicsResponseGraph* dynamics);
    // The microphone slider at IR position 0-127 (the slider's own parameter
    // is left as it is).
    void showIrPosition(int position);
    // Position 7 or 8 plays its user IR (`mode` not 0) or its cabinet.
    void showIrMode(int position, int mode);

    // ---- what the window shows, for the shell and tests ----
    std::string text(ControlTag tag) const;
    // True when some control carries the group name.
    bool hasGroup(std::string_view name) const;
    std::string presetRow(int row) const;
    std::string userIrRow(int row) const;
    int currentBlock() const { return panel_.currentBlock(); }
    BlockPanel& panel() { return panel_; }
    PresetList& presetList() { return presetList_; }
    const igraphics::IFreqResponseGraph* frequencyGraph() const { return frequencyGraph_; }
    const igraphics::IDynamicsResponseGraph* dynamicsGraph() const { return dynamicsGraph_; }

  private:
    void setKnobLayersEnabled(bool enabled);
    void hideProgress(bool reset);
    int valueOf(ParamIndex index) const;
    void showValueText(ParamIndex index, int value);
    void showBand(Band band);
    void showPresetNumber();
    void feedDynamicsGraph(ParamIndex index, int value);
    void showSearchStatus();

    igraphics::IGraphics& graphics_;
    // The device answered since the last RECONNECT: the status lines are its.
    bool answered_ = false;
    std::string searchStatus_;
    std::string serial_;
    std::array<std::string, NumPresets> presetRows_;
    std::array<std::string, UserIrRowCount> userIrRows_;
    // What the cabinet rows name: the flat response and cabinets 1-8, and
    // the user IRs of positions 7 and 8.
    std::array<std::string, 9> cabinetNames_;
    std::array<std::string, 2> userIrNames_;
    igraphics::IFreqResponseGraph* frequencyGraph_ = nullptr;
    igraphics::IDynamicsResponseGraph* dynamicsGraph_ = nullptr;
    BlockPanel panel_;
    PresetList presetList_;
    int currentSlot_ = 0;
};

}  // namespace vornix::ui
