#pragma once
// The editor's view of the window, on the drawing context: tags and groups go
// straight to the controls. The preset rows and user IR rows carry tags in
// ranges of their own, above every tag the pages use:
//   1000-1127  preset list rows 0-127
//   1200-1231  user IR name rows 0-31
// Their texts are also kept here, so the editor reads back what it wrote even
// before the pages that draw them exist. Block pages come later; until then
// the block operations only remember the current block.
#include <array>
#include <string>

#include "controls/igraphics.hpp"
#include "core/editor_view.hpp"

namespace vornix::ui {

namespace row_tag {
inline constexpr int PresetFirst = 1000;
inline constexpr int UserIrFirst = 1200;
inline constexpr int PresetCount = 128;
inline constexpr int UserIrCount = 32;
}  // namespace row_tag

// Cabinets 1-8 of the IR selector are the list rows with tags 68-75.
inline constexpr int CabinetRowFirstTag = 68;
inline constexpr int CabinetCount = 8;

class GraphicsView : public EditorView {
  public:
    explicit GraphicsView(igraphics::IGraphics& graphics) : graphics_(graphics) {}

    void setText(int tag, const std::string& text) override;
    std::string text(int tag) const override;
    void setValue(int tag, double normalised) override;
    void setVisible(int tag, bool visible) override;
    void setReadoutDimmed(bool dimmed) override;

    void showGroup(std::string_view name) override { graphics_.showGroup(name); }
    void hideGroup(std::string_view name) override { graphics_.hideGroup(name); }
    void enableGroup(std::string_view name) override { graphics_.enableGroup(name); }
    void disableGroup(std::string_view name) override { graphics_.disableGroup(name); }
    // True when some control carries the group name.
    bool hasGroup(std::string_view name) const;

    void setPresetRow(int row, const std::string& text) override;
    void setPresetRowSelected(int row, bool selected) override;
    void setUserIrRow(int row, const std::string& text) override;
    std::string userIrRow(int row) const override;
    void setCabinetLabel(int cabinet, const std::string& name) override;
    std::string presetRow(int row) const;
    int selectedPresetRow() const { return selectedPreset_; }

    int currentBlock() const override { return currentBlock_; }
    void selectBlock(int block) override { currentBlock_ = block; }
    void selectAmpModel(int) override {}
    void selectAmbienceType(int) override {}
    void showPunchBand() override {}
    void showMidBand() override {}
    void showKnobLayer(bool) override {}
    void showImpulseResponse(std::span<const double>) override {}

  private:
    igraphics::IGraphics& graphics_;
    std::array<std::string, row_tag::PresetCount> presetRows_;
    std::array<std::string, row_tag::UserIrCount> userIrRows_;
    int selectedPreset_ = -1;
    int currentBlock_ = 0;
};

}  // namespace vornix::ui
