// The global settings page: a caption per device-wide setting under its
// label, the SETUP buttons of the two MIDI pages and the three factory
// resets, over a click catcher that closes the page.
#include "controls/controls.hpp"
#include "device/preset_record.hpp"
#include "device/sysex.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/pages/secondary_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr const char* Background = "globalbg.png";
constexpr const char* Group = group::GlobalSettings;

constexpr IRECT Window{0, 0, 1920, 1200};
constexpr IRECT CloseButton{1444, 220, 1499, 260};

constexpr float ColumnWidth = 200.f;
constexpr float LabelHeight = 30.f;
constexpr float CaptionHeight = 40.f;
constexpr float LeftColumn = 760.f;
constexpr float MiddleColumn = 980.f;
constexpr float RightColumn = 1200.f;

// A setting: its label on top of the caption that shows and chooses its value.
struct Setting {
    float left;
    float labelTop;
    const char* label;
    ParamIndex param;
    float labelSize = 19.f;
};

// Left column top to bottom, then the middle one; the cabinet bypass stands
// alone in the right column, below the SETUP buttons.
constexpr Setting Settings[] = {
    {.left = LeftColumn, .labelTop = 250, .label = "PATCH OFFSET", .param = param::PatchOffset},
    {.left = LeftColumn, .labelTop = 350, .label = "SAFE LEVEL MODE", .param = param::SafeLevel},
    {.left = LeftColumn,
     .labelTop = 450,
     .label = "DISENGAGE ALL POTS",
     .param = param::DisengageAllPots},
    // The one label wider than its column at the common size. A label is cut
    // at its column's sides, and at 15 this one still is (about 204 pixels):
    // 14 keeps it whole without reaching into the middle column's label.
    {.left = LeftColumn,
     .labelTop = 550,
     .label = "PRESET PROTECTION WRITER",
     .param = param::PresetProtection,
     .labelSize = 14.f},
    {.left = LeftColumn,
     .labelTop = 650,
     .label = "TUNER FREQUENCY",
     .param = param::TunerFrequency},
    {.left = MiddleColumn,
     .labelTop = 250,
     .label = "MIDI MAPPING",
     .param = param::DefineMidiMapping},
    {.left = MiddleColumn,
     .labelTop = 350,
     .label = "MIDI THRU FUNCTION",
     .param = param::MidiThruMode},
    {.left = MiddleColumn, .labelTop = 450, .label = "MIDI CC MODE", .param = param::MidiCcMode},
    {.left = MiddleColumn,
     .labelTop = 550,
     .label = "MIDI CHANNEL SELECT",
     .param = param::MidiCcChannel},
    {.left = MiddleColumn, .labelTop = 650, .label = "TUNER DETUNE", .param = param::TunerDetune},
};
constexpr Setting CabinetBypass{
    .left = RightColumn, .labelTop = 650, .label = "CABINET BYPASS", .param = param::CabinetBypass};

constexpr IRECT ProgramMapSetup{1200, 283, 1300, 323};
constexpr IRECT MidiCcSetup{1200, 483, 1300, 523};

// Wider than the 400 pixels of its row's centre (900-1300), which would cut
// the heading's ends at this size; nothing else shares the row.
constexpr IRECT ResetHeading{800, 750, 1400, 780};
constexpr const char* ResetHeadingText = "RESET TO FACTORY DEFAULT SETTINGS";
struct ResetButton {
    IRECT bounds;
    const char* label;
    std::uint8_t target;
};
constexpr ResetButton Resets[] = {
    {.bounds = {760, 800, 960, 850}, .label = "ALL", .target = sysex::reset::All},
    {.bounds = {980, 800, 1180, 850}, .label = "PRESETS", .target = sysex::reset::Presets},
    {.bounds = {1200, 800, 1400, 850}, .label = "SETTINGS", .target = sysex::reset::Settings},
};

// Between the settings and the resets. It is drawn here, not in the picture,
// which the MIDI pages share: there it ran through a row of their tables.
constexpr IRECT ResetDivider{740, 735, 1480, 736};
constexpr IColor DividerColour{255, 70, 73, 78};

constexpr float CaptionSize = 24.f;
constexpr float HeadingSize = 28.f;
constexpr float CloseLabelSize = 30.f;
constexpr float ButtonLabelSize = 20.f;
constexpr IColor CaptionText{255, 240, 240, 240};
constexpr IColor CaptionBackground{255, 70, 70, 70};

void attachSetting(IGraphics& g, const Setting& s) {
    const IRECT label{s.left, s.labelTop, s.left + ColumnWidth, s.labelTop + LabelHeight};
    const IRECT caption = IRECT{label.L, label.B, label.R, label.B + CaptionHeight};
    g.attach(std::make_unique<ITextControl>(label, s.label,
                                            IText(s.labelSize, COLOR_WHITE, RegularFont)),
             kNoTag, Group);
    // The default font: the captions are the toolkit's own menus' look.
    g.attach(std::make_unique<ICaptionControl>(caption, s.param, IText(CaptionSize, CaptionText),
                                               CaptionBackground),
             kNoTag, Group);
}

void close(IGraphics& g, const SettingsActions& actions) {
    g.hideGroup(Group);
    if (actions.closed) actions.closed();
}

}  // namespace

void attachGlobalSettingsPage(IGraphics& g, const SettingsActions& actions) {
    // The catcher lies under everything else of the page: a click that no
    // caption or button takes closes the page once its press has shown.
    attachButton(g, Window, "", invisibleButtonStyle(), Group,
                 [&g, actions] { close(g, actions); });
    // The picture lets the clicks through to the catcher.
    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(Background)), kNoTag,
             Group)
        .setIgnoreMouse(true);
    attachButton(
        g, CloseButton, "X", settingsButtonStyle(CloseLabelSize), Group,
        [&g, actions] { close(g, actions); }, tag::GlobalSettingsClose);
    for (const Setting& s : Settings) attachSetting(g, s);
    const IVStyle buttons = settingsButtonStyle(ButtonLabelSize);
    attachButton(g, ProgramMapSetup, "SETUP", buttons, Group,
                 [&g, actions] { openProgramMapPage(g, actions); });
    attachButton(g, MidiCcSetup, "SETUP", buttons, Group,
                 [&g, actions] { openMidiCcPage(g, actions); });
    attachSetting(g, CabinetBypass);
    g.attach(std::make_unique<ITextControl>(ResetHeading, ResetHeadingText,
                                            IText(HeadingSize, CaptionText, RegularFont)),
             kNoTag, Group);
    for (const ResetButton& r : Resets)
        attachButton(g, r.bounds, r.label, buttons, Group, [actions, target = r.target] {
            if (actions.factoryReset) actions.factoryReset(target);
        });
    g.attach(std::make_unique<IPanelControl>(ResetDivider, DividerColour), kNoTag, Group)
        .setIgnoreMouse(true);
}

}  // namespace vornix::ui
