#pragma once
// The pages laid over the main page: the title bar's status lines, the
// firmware page, the global settings page with its two MIDI pages, the
// transfer progress overlay and the About page. Each is attached once, after
// the main page, and shown and hidden by its groups.
#include <cstdint>
#include <functional>

#include "controls/igraphics.hpp"

namespace vornix::ui {

// What the settings pages ask of the editor; the pages show and hide
// themselves.
struct SettingsActions {
    // The settings page closed: the editor looks for the device again and
    // the preset list follows a changed numbering.
    std::function<void()> closed;
    // A MIDI page opened: the device is asked for its table (global page 1 or 2).
    std::function<void(int page)> requestPage;
    // A MIDI page was left with BACK: its whole table goes to the device.
    std::function<void(int page)> writePage;
    // A reset button: asks, then resets (sysex::reset targets).
    std::function<void(std::uint8_t target)> factoryReset;
};

struct FirmwarePageActions {
    std::function<void()> chooseFile;
    std::function<void()> close;
};

// The address the firmware page's link opens: where the maker publishes
// firmware files.
inline constexpr const char* FirmwareDownloadsText = "www.quellix.example";
inline constexpr const char* FirmwareDownloadsUrl = "https://www.quellix.example/downloads/";
inline constexpr const char* EditorVersion = "1.0.0";

// status_overlays.cpp
void attachStatusLines(igraphics::IGraphics& g, std::function<void()> reconnect);
// COMPARE, left of RECONNECT and in its style.
void attachCompareButton(igraphics::IGraphics& g, std::function<void()> compare);
void attachProgressOverlay(igraphics::IGraphics& g);
// firmware_page.cpp
void attachFirmwarePage(igraphics::IGraphics& g, const FirmwarePageActions& actions);
// global_settings_page.cpp
void attachGlobalSettingsPage(igraphics::IGraphics& g, const SettingsActions& actions);
// midi_pages.cpp
void attachMidiCcPage(igraphics::IGraphics& g, const SettingsActions& actions);
void attachProgramMapPage(igraphics::IGraphics& g, const SettingsActions& actions);
void openMidiCcPage(igraphics::IGraphics& g, const SettingsActions& actions);
void openProgramMapPage(igraphics::IGraphics& g, const SettingsActions& actions);
// about_page.cpp
void attachAboutPage(igraphics::IGraphics& g);

}  // namespace vornix::ui
