#pragma once
// The main page: every control of the window, attached once, region by
// region, then the visibility pass that leaves the impulse-response page on
// show and the faceplate disabled until the device comes online.
#include <functional>

#include "controls/igraphics.hpp"
#include "ui/page_presenter.hpp"
#include "ui/pages/faceplate_switches.hpp"
#include "ui/pages/ir_page.hpp"
#include "ui/pages/preset_column.hpp"
#include "ui/pages/secondary_pages.hpp"

namespace vornix::ui {

inline constexpr const char* BackgroundPicture = "background.png";
inline constexpr const char* LayerBBackgroundPicture = "backgroundred.png";

// What the page's gestures ask of the editor.
struct MainPageActions {
    std::function<void()> reconnect;
    // COMPARE: switches between the edit and the stored preset.
    std::function<void()> compare;
    // An amplifier model (0-9) or ambience type (0-6) was picked.
    std::function<void(int model)> loadAmpVoicing;
    std::function<void(int type)> loadAmbienceVoicing;
    // A faceplate switch went down or came up.
    FaceSwitchAction faceSwitch;
    PresetColumnActions presetColumn;
    IrPageActions irPage;
    SettingsActions settings;
    FirmwarePageActions firmware;
};

// Builds the page once: does nothing when the context already holds controls,
// as a window that is opened again keeps what it has. The view's panel learns
// the controls it switches.
void buildMainPage(igraphics::IGraphics& graphics, PagePresenter& view,
                   const MainPageActions& actions);

}  // namespace vornix::ui
