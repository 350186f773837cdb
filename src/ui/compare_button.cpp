#include "ui/compare_button.hpp"

#include "ui/registry.hpp"

namespace vornix::ui {

CompareButton::CompareButton(VornixControl& editor, igraphics::IGraphics& graphics)
    : editor_(editor), graphics_(graphics) {
    editor_.link().events().add(*this);
    showComparison();
}

CompareButton::~CompareButton() {
    editor_.link().events().remove(*this);
}

void CompareButton::comparisonChanged() {
    showComparison();
}

void CompareButton::showComparison() {
    graphics_.setTextOf(tag::Compare, editor_.comparison().buttonText());
    graphics_.setValueOf(tag::Compare, editor_.comparison().playingB() ? 1.0 : 0.0);
}

}  // namespace vornix::ui
