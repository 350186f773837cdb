// The title bar's connection texts with RECONNECT, and the overlay that shows
// how far a transfer between editor and device has come.
#include "controls/controls.hpp"
#include "ui/display_texts.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/pages/secondary_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr float StatusTextSize = 22.f;
constexpr IRECT StatusLines[] = {
    {660, 5, 1060, 29},
    {660, 27, 1060, 51},
    {660, 49, 1060, 73},
};
constexpr IRECT ReconnectBounds{540, 18, 655, 63};
constexpr IRECT CompareBounds{420, 18, 535, 63};
constexpr float ReconnectLabelSize = 18.f;

constexpr IRECT ProgressPanel{850, 400, 1250, 800};
constexpr IColor ProgressShade{208, 32, 32, 32};
constexpr IRECT ProgressCaptionBounds{850, 400, 1250, 470};
constexpr IRECT ProgressRingBounds{950, 500, 1150, 700};
constexpr float ProgressCaptionSize = 40.f;
constexpr float ProgressTextSize = 60.f;

}  // namespace

void attachStatusLines(IGraphics& g, std::function<void()> reconnect) {
    const IText style(StatusTextSize, COLOR_BLACK, RegularFont, EAlign::Near, EVAlign::Middle);
    const ControlTag tags[] = {tag::StatusDevice, tag::StatusVersion, tag::StatusSerial};
    for (int i = 0; i < 3; ++i) {
        const char* initial = tags[i] == tag::StatusVersion ? ConnectingText : "";
        g.attach(std::make_unique<ITextControl>(StatusLines[i], initial, style), tags[i],
                 group::Device);
    }
    attachButton(g, ReconnectBounds, "RECONNECT", settingsButtonStyle(ReconnectLabelSize),
                 group::Device, std::move(reconnect));
}

void attachCompareButton(IGraphics& g, std::function<void()> compare) {
    attachButton(g, CompareBounds, "COMPARE", settingsButtonStyle(ReconnectLabelSize),
                 group::Device, std::move(compare), tag::Compare);
}

// The panel takes the clicks that reach it, so the page below stays out of
// reach while a transfer runs.
void attachProgressOverlay(IGraphics& g) {
    const IText text(ProgressCaptionSize, COLOR_WHITE, RegularFont, EAlign::Center,
                     EVAlign::Middle);
    g.attach(std::make_unique<IPanelControl>(ProgressPanel, ProgressShade), kNoTag,
             group::Progress);
    g.attach(std::make_unique<ITextControl>(ProgressCaptionBounds, "Loading Presets...", text),
             tag::ProgressCaption, group::Progress);
    g.attach(makeProgressRing(ProgressRingBounds, "PRESET"), tag::ProgressRing, group::Progress);
    g.attach(std::make_unique<ITextControl>(ProgressPanel, "0 %", text.withSize(ProgressTextSize)),
             tag::ProgressText, group::Progress);
}

}  // namespace vornix::ui
