#pragma once
// The block panel and the graph panel beside it: which block page is on show
// with which graph, and the two rows of picture buttons that show the
// amplifier model and the ambience type. Group and tag operations only; what
// a choice does to the sound is the editor's.
#include <array>

#include "controls/igraphics.hpp"
#include "ui/block_navigation.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

class BlockPanel {
  public:
    explicit BlockPanel(igraphics::IGraphics& graphics) : graphics_(graphics) {}

    // The dynamics graph, shown on its own for the two dynamics blocks (the
    // frequency graph is the group "irdisplay").
    void setDynamicsGraph(igraphics::IControl* graph) { dynamicsGraph_ = graph; }

    int currentBlock() const { return currentBlock_; }
    // The amplifier model voices its mid band with the punch filter.
    bool punchMode() const { return punchMode_; }
    bool layerB() const { return layerB_; }

    // Hides every block page with both graphs.
    void hideBlockPages();
    // Shows block `block`'s page, its graph and the invitation to edit the IR.
    void selectBlock(int block);
    // Selects `block` unless it is on show already.
    void bringUp(int block);

    // Lights the model's button (none for 10; 1's or 2's with the punch
    // filter for 11 and 12) and shows the knob layer that goes with it.
    void selectAmpModel(int model);
    // Lights the type's button (none for 7) and shows the delay time for the
    // echo types while the ambience page is on show.
    void selectAmbienceType(int type);
    // The button of the model or type that is lit, or -1.
    int litAmpButton() const { return litAmpButton_; }
    int litAmbienceButton() const { return litAmbienceButton_; }
    bool echoTypeLit() const { return hasDelayTime(litAmbienceButton_); }
    // Puts the buttons' values back to what is lit (a release leaves a
    // button dark).
    void relightButtons();

    // Shows the two faceplate knob groups of the layer and the mid band.
    void showKnobLayer(bool layerB);

  private:
    void setButtons(ControlTag firstTag, int count, int lit);

    igraphics::IGraphics& graphics_;
    igraphics::IControl* dynamicsGraph_ = nullptr;
    int currentBlock_ = block::None;
    bool punchMode_ = false;
    bool layerB_ = false;
    // Nothing is lit until the first preset is applied.
    int litAmpButton_ = -1;
    int litAmbienceButton_ = -1;
};

// Every group a block page is made of, as the visibility pass hides them.
extern const std::array<const char*, 13> BlockPageGroups;

}  // namespace vornix::ui
