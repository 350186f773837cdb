// The two MIDI pages under the settings page: the controller number of each
// of eight device functions, and the map from a foot controller's program
// numbers to the device's presets. Each asks the device for its table when it
// opens and sends the whole table back on BACK.
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
constexpr const char* FootController = "midiferrok.png";

constexpr IRECT BackButton{1040, 250, 1160, 300};
constexpr float BackLabelSize = 20.f;

// The CC page: a box per function in row order, its label to the left.
constexpr const char* CcFunctions[] = {"DRIVE",  "LOW",  "MID",    "HIGH",
                                       "REVERB", "GATE", "FILTER", "LEVEL"};
constexpr int CcRows = 8;
constexpr IRECT CcBoxes{1100, 350, 1220, 750};
constexpr IRECT CcLabels{860, 350, 1080, 750};
constexpr float CcRowInset = 3.f;
constexpr float CcLabelSize = 30.f;

// The program map page: one pair of boxes for each numbering of the presets,
// in the same places.
constexpr float FootControllerX = 850.f;
constexpr float FootControllerY = 330.f;
constexpr IRECT ControllerBox{900, 500, 1050, 550};
constexpr IRECT DeviceBox{1150, 500, 1300, 550};
struct ProgramBox {
    IRECT bounds;
    const char* label;
    ParamIndex param;
    const char* group;
};
constexpr ProgramBox ProgramBoxes[] = {
    {.bounds = ControllerBox,
     .label = "Ctrl. Program (0-127)",
     .param = param::ControllerProgram,
     .group = group::ProgramMapFrom0},
    {.bounds = ControllerBox,
     .label = "Ctrl. Program (1-128)",
     .param = param::ControllerProgram1,
     .group = group::ProgramMapFrom1},
    {.bounds = DeviceBox,
     .label = "Vornix Program (0-127)",
     .param = param::DeviceProgram,
     .group = group::ProgramMapFrom0},
    {.bounds = DeviceBox,
     .label = "Vornix Program (1-128)",
     .param = param::DeviceProgram1,
     .group = group::ProgramMapFrom1},
};

void attachBackground(IGraphics& g, const char* group) {
    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(Background)), kNoTag,
             group);
}

void leaveMidiCcPage(IGraphics& g, const SettingsActions& actions) {
    g.hideGroup(group::MidiCc);
    g.showGroup(group::GlobalSettings);
    if (actions.writePage) actions.writePage(sysex::page::MidiAssign);
}

void leaveProgramMapPage(IGraphics& g, const SettingsActions& actions) {
    g.hideGroup(group::ProgramMap);
    g.hideGroup(group::ProgramMapFrom0);
    g.hideGroup(group::ProgramMapFrom1);
    g.showGroup(group::GlobalSettings);
    if (actions.writePage) actions.writePage(sysex::page::ProgramMap);
}

}  // namespace

void attachMidiCcPage(IGraphics& g, const SettingsActions& actions) {
    const char* group = group::MidiCc;
    attachBackground(g, group);
    IVStyle boxStyle = numberBoxStyle();
    for (int i = 0; i < CcRows; ++i)
        g.attach(
            std::make_unique<IVNumberBoxControl>(CcBoxes.row(i, CcRows).shrunk(CcRowInset),
                                                 param::FirstMidiAssign + i, nullptr, "", boxStyle),
            kNoTag, group);
    const IText labelStyle(CcLabelSize, COLOR_WHITE, RegularFont, EAlign::Far, EVAlign::Middle);
    for (int i = 0; i < CcRows; ++i)
        g.attach(std::make_unique<ITextControl>(CcLabels.row(i, CcRows).shrunk(CcRowInset),
                                                CcFunctions[i], labelStyle),
                 kNoTag, group);
    attachButton(
        g, BackButton, "BACK", settingsButtonStyle(BackLabelSize), group,
        [&g, actions] { leaveMidiCcPage(g, actions); }, tag::MidiCcBack);
}

void attachProgramMapPage(IGraphics& g, const SettingsActions& actions) {
    attachBackground(g, group::ProgramMap);
    attachButton(
        g, BackButton, "BACK", settingsButtonStyle(BackLabelSize), group::ProgramMap,
        [&g, actions] { leaveProgramMapPage(g, actions); }, tag::ProgramMapBack);
    g.attach(std::make_unique<IBitmapControl>(FootControllerX, FootControllerY,
                                              g.bitmapResource(FootController)),
             kNoTag, group::ProgramMap);
    for (const ProgramBox& box : ProgramBoxes)
        g.attach(std::make_unique<IVNumberBoxControl>(box.bounds, box.param, nullptr, box.label,
                                                      numberBoxStyle()),
                 kNoTag, box.group);
}

void openMidiCcPage(IGraphics& g, const SettingsActions& actions) {
    g.showGroup(group::MidiCc);
    g.hideGroup(group::GlobalSettings);
    if (actions.requestPage) actions.requestPage(sysex::page::MidiAssign);
}

// The boxes of the numbering the list shows; both pairs edit the same map.
void openProgramMapPage(IGraphics& g, const SettingsActions& actions) {
    g.showGroup(group::ProgramMap);
    const iplug::IParam* offset = g.delegate().getParam(param::PatchOffset);
    g.showGroup(offset && offset->intValue() != 0 ? group::ProgramMapFrom1
                                                  : group::ProgramMapFrom0);
    g.hideGroup(group::GlobalSettings);
    if (actions.requestPage) actions.requestPage(sysex::page::ProgramMap);
}

}  // namespace vornix::ui
