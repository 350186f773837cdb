#include "ui/pages/page_styles.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr IColor ButtonFace{255, 116, 116, 116};
constexpr IColor ButtonPressed{255, 144, 144, 144};
constexpr IColor ButtonFrame{255, 0, 0, 0};
constexpr float ButtonShadowOffset = 2.f;
constexpr float ButtonFrameThickness = 2.f;
constexpr float CatcherRoundness = 0.05f;

constexpr float SmallButtonLabelSize = 18.f;

constexpr float NumberTextSize = 20.f;

constexpr float RingMinAngle = -135.f;
constexpr float RingMaxAngle = 135.f;
constexpr double RingGearing = 4.0;
constexpr float RingTrackSize = 18.f;
constexpr IColor RingColour{255, 255, 160, 0};
constexpr IColor RingTrack{255, 60, 60, 60};

}  // namespace

IVStyle settingsButtonStyle(float labelSize) {
    IVStyle style;
    style.roundness = 1.f;
    style.emboss = true;
    style.drawFrame = true;
    style.drawShadows = true;
    style.shadowOffset = ButtonShadowOffset;
    style.frameThickness = ButtonFrameThickness;
    style.colors[kFG] = ButtonFace;
    style.colors[kPR] = ButtonPressed;
    style.colors[kFR] = ButtonFrame;
    style.labelText = IText(labelSize, COLOR_BLACK, RegularFont, EAlign::Center, EVAlign::Middle);
    return style;
}

IVStyle smallButtonStyle() {
    IVStyle style;
    style.drawShadows = false;
    style.colors[kFG] = ButtonFace;
    style.colors[kPR] = ButtonPressed;
    style.labelText = IText(SmallButtonLabelSize, COLOR_WHITE, RegularFont);
    return style;
}

IVStyle invisibleButtonStyle() {
    IVStyle style;
    style.showLabel = false;
    style.showValue = false;
    style.emboss = false;
    style.drawShadows = false;
    style.roundness = CatcherRoundness;
    style.colors.fill(COLOR_TRANSPARENT);
    return style;
}

IVStyle numberBoxStyle() {
    IVStyle style;
    style.showLabel = true;
    style.showValue = true;
    style.drawShadows = false;
    style.labelText = IText(NumberTextSize, COLOR_WHITE, RegularFont, EAlign::Center, EVAlign::Top);
    style.valueText =
        IText(NumberTextSize, COLOR_WHITE, RegularFont, EAlign::Center, EVAlign::Middle);
    style.colors[kBG] = IColor{255, 50, 50, 50};
    style.colors[kFR] = IColor{255, 116, 116, 116};
    return style;
}

std::unique_ptr<IVKnobControl> makeProgressRing(const IRECT& bounds, const char* label) {
    IVStyle style;
    style.showLabel = false;
    style.showValue = false;
    style.drawShadows = false;
    style.drawFrame = false;
    // Only the arc: the percentage is written where a knob's dial would be.
    style.colors.fill(COLOR_TRANSPARENT);
    style.colors[kX1] = RingColour;
    style.colors[kSH] = RingTrack;
    auto ring = std::make_unique<IVKnobControl>(bounds, kNoParameter, label, style, false, false,
                                                RingMinAngle, RingMaxAngle, RingMinAngle,
                                                EDirection::Vertical, RingGearing, RingTrackSize);
    ring->setIgnoreMouse(true);
    return ring;
}

IControl& attachButton(IGraphics& g, const IRECT& bounds, const char* label, const IVStyle& style,
                       const char* group, std::function<void()> action, ControlTag tag) {
    IControl& button = g.attach(
        std::make_unique<IVButtonControl>(bounds, splashClickActionFunc, label, style), tag, group);
    if (action) button.setEndAction([act = std::move(action)](IControl*) { act(); });
    return button;
}

}  // namespace vornix::ui
