#include "ui/pages/main_page.hpp"

#include "controls/controls.hpp"
#include "device/preset_record.hpp"
#include "ui/block_panel.hpp"
#include "ui/display_texts.hpp"
#include "ui/page_builder.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/pages/faceplate_knobs.hpp"
#include "ui/pages/ir_page.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/pages/secondary_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr IColor WindowBackground{255, 24, 24, 24};
constexpr const char* Fonts[][2] = {
    {"Roboto-Regular", "Roboto-Regular.ttf"},
    {"Font7Seg", "Font7Seg.ttf"},
    {"Fontknow", "Fontknow.ttf"},
};

constexpr IRECT ReadoutBounds{1255, 315, 1383, 403};
constexpr float ReadoutTextSize = 88.f;
constexpr IColor ReadoutGhost{255, 51, 51, 51};
constexpr IColor ReadoutDigits{255, 255, 255, 255};

constexpr IRECT GraphPanel{1180, 650, 1880, 1160};
constexpr IRECT FrequencyGraphBounds{1200, 685, 1872, 1135};
constexpr IRECT DynamicsGraphBounds{1200, 700, 1865, 1130};
constexpr IColor GraphColour{255, 100, 255, 255};
constexpr float GraphTextSize = 14.f;
constexpr double GraphLowestHz = 20, GraphHighestHz = 20480;
// 100 dB shown, 0 dB 30 dB below the top.
constexpr double GraphRangeDb = 100, GraphOffsetDb = 30;
// Where the curve's knees sit before the thresholds first change.
constexpr double InitialGateThresholdDb = -60;
constexpr double InitialCompressorThresholdDb = -51;
// As tall as its line of text at the invitation's size, so that a redraw of
// the invitation covers all of its glyphs: 20 rows once cut off their lower
// part when a block page brought it up. The text stays where it was (top
// aligned) and the box ends above the frequency graph.
constexpr IRECT EditIrInvitationBounds{1350, 658, 1817, 684};
constexpr IColor InvitationColour{255, 100, 255, 255};
constexpr float InvitationTextSize = 24.f;

// The select over the graph panel takes the pointer first; the frequency
// graph, while on show, still hears it pass to read out what lies under it.
class GraphPanelSelect : public IInvisibleSelectControl3 {
  public:
    GraphPanelSelect(const IRECT& bounds, IControl* hoverTarget)
        : IInvisibleSelectControl3(bounds, param::GraphPanel), hoverTarget_(hoverTarget) {}
    void onMouseOver(float x, float y, const IMouseMod& mod) override {
        if (hoverTarget_ && !hoverTarget_->isHidden()) hoverTarget_->onMouseOver(x, y, mod);
    }
    void onMouseOut() override {
        if (hoverTarget_) hoverTarget_->onMouseOut();
    }

  private:
    IControl* hoverTarget_;
};

void attachBackgrounds(IGraphics& g) {
    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(BackgroundPicture)),
             kNoTag, group::Background);
    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(LayerBBackgroundPicture)),
             tag::LayerBackground, group::Background)
        .hide(true);
}

// The two-digit readout over the unlit segments of "188".
void attachReadout(IGraphics& g) {
    const IText style(ReadoutTextSize, ReadoutGhost, "Font7Seg", EAlign::Far, EVAlign::Middle);
    g.attach(std::make_unique<ITextControl>(ReadoutBounds, "188", style), kNoTag, group::Faceplate);
    g.attach(std::make_unique<ITextControl>(ReadoutBounds, "00", style.withColor(ReadoutDigits)),
             tag::Readout, group::Faceplate);
}

// A press on a picture button that is not lit picks its model or type; the
// release, and a press on the lit one, change nothing but keep the lit one lit.
ButtonAction pickOnPress(PagePresenter& view, ControlTag firstTag, int (BlockPanel::*lit)() const,
                         void (BlockPanel::*select)(int), const std::function<void(int)>& load) {
    return [&view, firstTag, lit, select, load](IControl& button) {
        BlockPanel& panel = view.panel();
        const int choice = tag::placeAfter(firstTag, button.tag());
        if (button.getValue() > 0.5 && choice != (panel.*lit)()) {
            (panel.*select)(choice);
            if (load) load(choice);
        }
        panel.relightButtons();
    };
}

void attachBlockPages(IGraphics& g, PagePresenter& view, const MainPageActions& actions) {
    for (const BlockPage* page : pages::BlockPages) {
        ButtonAction action;
        if (page == &pages::Amplifier)
            action = pickOnPress(view, tag::AmpModelFirst, &BlockPanel::litAmpButton,
                                 &BlockPanel::selectAmpModel, actions.loadAmpVoicing);
        else if (page == &pages::Ambience)
            action = pickOnPress(view, tag::AmbienceTypeFirst, &BlockPanel::litAmbienceButton,
                                 &BlockPanel::selectAmbienceType, actions.loadAmbienceVoicing);
        attachBlockPage(g, *page, action);
    }
}

// The graph panel: the frequency graph, the dynamics graph, the invitation to
// edit the IR, and the select over all of it that brings up the IR page.
void attachGraphPanel(IGraphics& g, PagePresenter& view) {
    auto& frequency = g.attach(
        std::make_unique<IFreqResponseGraph>(FrequencyGraphBounds, GraphColour,
                                             IText(GraphTextSize, COLOR_BLACK, RegularFont)),
        kNoTag, group::IrDisplay);
    frequency.setRange(GraphLowestHz, GraphHighestHz, GraphRangeDb, GraphOffsetDb);
    frequency.setHold(true);
    auto& dynamics =
        g.attach(std::make_unique<IDynamicsResponseGraph>(DynamicsGraphBounds, GraphColour), kNoTag,
                 group::Main);
    dynamics.setGateThreshold(InitialGateThresholdDb);
    dynamics.setGateRatio(1);
    dynamics.setCompThreshold(InitialCompressorThresholdDb);
    dynamics.setCompRatio(1);
    dynamics.hide(true);
    view.setGraphs(&frequency, &dynamics);
    g.attach(
         std::make_unique<ITextControl>(
             EditIrInvitationBounds, "CLICK HERE TO EDIT IMPULSE RESPONSE",
             IText(InvitationTextSize, InvitationColour, RegularFont, EAlign::Near, EVAlign::Top)),
         tag::EditIrInvitation, group::Main)
        .hide(true);
    g.attach(std::make_unique<GraphPanelSelect>(GraphPanel, &frequency));
}

// Every page starts hidden but the IR page, the faceplate disabled.
void visibilityPass(IGraphics& g) {
    for (const char* name : {group::FirmwareBackground, group::FirmwareUpdate, group::Firmware})
        g.hideGroup(name);
    for (const char* name : group::MidiPages) g.hideGroup(name);
    for (const char* name : {group::GlobalSettings, group::About, group::Progress})
        g.hideGroup(name);
    for (const char* name : BlockPageGroups) g.hideGroup(name);
    g.showGroup(group::ImpulseResponse);
    // Layer A, the mid filter on the MID knob.
    for (const char* name :
         {group::KnobsB, group::PunchKnobsA, group::PunchKnobsB, group::MidKnobsB})
        g.hideGroup(name);
    g.disableGroup(group::Faceplate);
    for (const char* name : group::KnobLayers) g.disableGroup(name);
}

}  // namespace

void buildMainPage(IGraphics& g, PagePresenter& view, const MainPageActions& actions) {
    if (g.nControls() > 0) return;
    g.setBackgroundColor(WindowBackground);
    g.attachCornerResizer();
    for (const auto& [id, file] : Fonts) g.fontResource(id, file);
    g.setDefaultFont(RegularFont);

    attachBackgrounds(g);
    attachFaceplateKnobs(g);
    attachReadout(g);
    attachPresetList(g, view.presetList(), actions.presetColumn);
    attachBlockPages(g, view, actions);
    attachPresetFileButtons(g, actions.presetColumn);
    attachFaceplateSwitches(g, actions.faceSwitch);
    attachIrPage(g, actions.irPage);
    attachGraphPanel(g, view);
    attachPresetNameField(g, actions.presetColumn);
    attachStatusLines(g, actions.reconnect);
    attachCompareButton(g, actions.compare);
    // Overlays last: they cover the page and take its clicks while shown.
    attachFirmwarePage(g, actions.firmware);
    attachGlobalSettingsPage(g, actions.settings);
    attachMidiCcPage(g, actions.settings);
    attachProgramMapPage(g, actions.settings);
    attachProgressOverlay(g);
    attachAboutPage(g);
    visibilityPass(g);
}

}  // namespace vornix::ui
