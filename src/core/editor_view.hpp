#pragma once
// The editor's window as the editor sees it. The pages implement it on the
// drawing context; tests implement it as a recorder. A null view means the
// window is closed, and every user-interface step is then skipped.
#include <span>
#include <string>
#include <string_view>

namespace vornix {

class EditorView {
  public:
    virtual ~EditorView() = default;

    // Controls found by tag.
    virtual void setText(int tag, const std::string& text) = 0;
    virtual std::string text(int tag) const = 0;
    virtual void setValue(int tag, double normalised) = 0;
    virtual void setVisible(int tag, bool visible) = 0;
    // The front-panel readout: white, or dimmed while the sound differs from
    // the stored preset.
    virtual void setReadoutDimmed(bool dimmed) = 0;

    // Control groups.
    virtual void showGroup(std::string_view name) = 0;
    virtual void hideGroup(std::string_view name) = 0;
    virtual void enableGroup(std::string_view name) = 0;
    virtual void disableGroup(std::string_view name) = 0;

    // The preset list (rows 0-127) and the user IR slot rows (0-31).
    virtual void setPresetRow(int row, const std::string& text) = 0;
    virtual void setPresetRowSelected(int row, bool selected) = 0;
    virtual void setUserIrRow(int row, const std::string& text) = 0;
    virtual std::string userIrRow(int row) const = 0;
    // Label of cabinet 1-8 on the IR selector.
    virtual void setCabinetLabel(int cabinet, const std::string& name) = 0;

    // Block pages.
    virtual int currentBlock() const = 0;
    virtual void selectBlock(int block) = 0;
    virtual void selectAmpModel(int model) = 0;
    virtual void selectAmbienceType(int type) = 0;
    virtual void showPunchBand() = 0;
    virtual void showMidBand() = 0;
    virtual void showKnobLayer(bool layerB) = 0;
    // The IR display graph.
    virtual void showImpulseResponse(std::span<const double> samples) = 0;
};

}  // namespace vornix
