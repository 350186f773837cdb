#pragma once
// The title bar's COMPARE button follows the A/B comparison: lit and reading
// "B: STORED" (or "B: SLOT 12", "B: FILE") while B plays, "COMPARE" otherwise.
#include "controls/igraphics.hpp"
#include "core/editor_events.hpp"
#include "core/vornix_control.hpp"

namespace vornix::ui {

class CompareButton : public SoundEvents {
  public:
    // Listens to the editor until destroyed.
    CompareButton(VornixControl& editor, igraphics::IGraphics& graphics);
    ~CompareButton() override;
    CompareButton(const CompareButton&) = delete;
    CompareButton& operator=(const CompareButton&) = delete;

    void comparisonChanged() override;

  private:
    void showComparison();

    VornixControl& editor_;
    igraphics::IGraphics& graphics_;
};

}  // namespace vornix::ui
