#include "ui/pages/main_page.hpp"

#include "controls/controls.hpp"
#include "ui/display_texts.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr IColor WindowBackground{255, 24, 24, 24};
constexpr const char* RegularFont = "Roboto-Regular";
constexpr const char* Fonts[][2] = {
    {"Roboto-Regular", "Roboto-Regular.ttf"},
    {"Font7Seg", "Font7Seg.ttf"},
    {"Fontknow", "Fontknow.ttf"},
};

constexpr float StatusTextSize = 22.f;
constexpr IRECT StatusLines[] = {
    {660, 5, 1060, 29},
    {660, 27, 1060, 51},
    {660, 49, 1060, 73},
};
constexpr IRECT ReconnectBounds{540, 18, 655, 63};
constexpr float ButtonLabelSize = 18.f;

constexpr IRECT ProgressPanel{850, 400, 1250, 800};
constexpr IColor ProgressShade{208, 32, 32, 32};
constexpr IRECT ProgressCaptionBounds{850, 400, 1250, 470};
constexpr IRECT ProgressRingBounds{950, 500, 1150, 700};
constexpr float ProgressCaptionSize = 40.f;
constexpr float ProgressTextSize = 60.f;
constexpr float RingMinAngle = -135.f;
constexpr float RingMaxAngle = 135.f;
constexpr float RingTrackSize = 18.f;

IVStyle buttonStyle() {
    IVStyle style;
    style.roundness = 0.2f;
    style.drawShadows = false;
    style.colors[kBG] = IColor{255, 60, 60, 60};
    style.colors[kFG] = IColor{255, 70, 70, 70};
    style.colors[kPR] = IColor{255, 130, 130, 130};
    style.colors[kFR] = IColor{255, 200, 200, 200};
    style.labelText = IText(ButtonLabelSize, COLOR_WHITE, RegularFont);
    return style;
}

IVStyle ringStyle() {
    IVStyle style;
    style.showLabel = false;
    style.showValue = false;
    style.drawShadows = false;
    style.drawFrame = false;
    style.colors[kFG] = IColor{255, 255, 160, 0};
    style.colors[kX1] = IColor{255, 255, 160, 0};
    style.colors[kBG] = COLOR_TRANSPARENT;
    return style;
}

void attachStatusLines(IGraphics& g, const MainPageActions& actions) {
    const IText style(StatusTextSize, COLOR_BLACK, RegularFont, EAlign::Near, EVAlign::Middle);
    const int tags[] = {tag::StatusDevice, tag::StatusVersion, tag::StatusSerial};
    for (int i = 0; i < 3; ++i) {
        const char* initial = tags[i] == tag::StatusVersion ? ConnectingText : "";
        g.attach(std::make_unique<ITextControl>(StatusLines[i], initial, style), tags[i],
                 group::Device);
    }
    auto* button = g.attach(std::make_unique<IVButtonControl>(
                                ReconnectBounds, splashClickActionFunc, "RECONNECT", buttonStyle()),
                            kNoTag, group::Device);
    if (button && actions.reconnect)
        button->setEndAction([reconnect = actions.reconnect](IControl*) { reconnect(); });
}

void attachProgressOverlay(IGraphics& g) {
    g.attach(std::make_unique<IPanelControl>(ProgressPanel, ProgressShade), kNoTag,
             group::Progress);
    g.attach(std::make_unique<ITextControl>(ProgressCaptionBounds, "Loading Presets...",
                                            IText(ProgressCaptionSize, COLOR_WHITE, RegularFont,
                                                  EAlign::Center, EVAlign::Middle)),
             tag::ProgressCaption, group::Progress);
    g.attach(
        std::make_unique<IVKnobControl>(ProgressRingBounds, kNoParameter, "PRESET", ringStyle(),
                                        false, false, RingMinAngle, RingMaxAngle, RingMinAngle,
                                        EDirection::Vertical, kDefaultGearing, RingTrackSize),
        tag::ProgressRing, group::Progress);
    g.attach(std::make_unique<ITextControl>(ProgressPanel, "0 %",
                                            IText(ProgressTextSize, COLOR_WHITE, RegularFont,
                                                  EAlign::Center, EVAlign::Middle)),
             tag::ProgressText, group::Progress);
    g.hideGroup(group::Progress);
}

}  // namespace

void buildMainPage(IGraphics& g, const MainPageActions& actions) {
    if (g.nControls() > 0) return;
    g.setBackgroundColor(WindowBackground);
    g.attachCornerResizer();
    for (const auto& [id, file] : Fonts) g.fontResource(id, file);
    g.setDefaultFont(RegularFont);

    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(BackgroundPicture)),
             kNoTag, group::Background);
    attachStatusLines(g, actions);
    // Overlays last: they cover the page and take its clicks while shown.
    attachProgressOverlay(g);
}

}  // namespace vornix::ui
