#include "ui/page_presenter.hpp"

#include "controls/text_controls.hpp"
#include "controls/vector_controls.hpp"
#include "device/preset_record.hpp"
#include "device/value_texts.hpp"
#include "ui/display_texts.hpp"
#include "ui/ir_panel.hpp"
#include "ui/value_display.hpp"

namespace vornix::ui {

namespace {

constexpr igraphics::IColor ReadoutLit{255, 255, 255, 255};
// Dimmed while the sound differs from the stored preset.
constexpr igraphics::IColor ReadoutDimmed{100, 255, 255, 255};

bool inRange(int index, int count) {
    return index >= 0 && index < count;
}

void setVisible(igraphics::IGraphics& g, ControlTag tag, bool visible) {
    if (igraphics::IControl* control = g.controlWithTag(tag)) control->hide(!visible);
}

}  // namespace

// ---- the link ------------------------------------------------------------------------

void PagePresenter::connecting() {
    answered_ = false;
    graphics_.setTextOf(tag::StatusDevice, "");
    showSearchStatus();
    setKnobLayersEnabled(false);
    graphics_.hideGroup(group::Progress);
}

// Shown in place of the connecting text until the device answers; its
// second line goes where the serial number will be.
void PagePresenter::searchStatusChanged(const std::string& text) {
    searchStatus_ = text;
    if (!answered_) showSearchStatus();
}

void PagePresenter::showSearchStatus() {
    const auto lineEnd = searchStatus_.find('\n');
    const std::string first = searchStatus_.substr(0, lineEnd);
    graphics_.setTextOf(tag::StatusVersion,
                        first.empty() ? std::string_view(ConnectingText) : std::string_view(first));
    graphics_.setTextOf(tag::StatusSerial, lineEnd == std::string::npos
                                               ? std::string()
                                               : searchStatus_.substr(lineEnd + 1));
}

void PagePresenter::deviceAnswered(double version) {
    answered_ = true;
    graphics_.setTextOf(tag::StatusDevice, DeviceNameText);
    graphics_.setTextOf(tag::StatusVersion, versionText(version));
    setKnobLayersEnabled(true);
}

void PagePresenter::identified(double, const std::string& serial) {
    graphics_.setTextOf(tag::StatusSerial, serialText(serial));
}

void PagePresenter::setKnobLayersEnabled(bool enabled) {
    enabled ? graphics_.enableGroup(group::Faceplate) : graphics_.disableGroup(group::Faceplate);
    for (const char* name : group::KnobLayers)
        enabled ? graphics_.enableGroup(name) : graphics_.disableGroup(name);
}

// ---- the sound -----------------------------------------------------------------------

int PagePresenter::valueOf(ParamIndex index) const {
    const iplug::IParam* p = graphics_.delegate().getParam(index);
    return p ? p->intValue() : 0;
}

// Every parameter change: the readout shows the raw value of an edited
// preset parameter, the page that owns the parameter comes up (never while a
// block from the device or a voicing is applied), and its texts follow.
void PagePresenter::parameterChanged(int changed, bool applyingBlock) {
    // The editor reports plain indices; the window's tables take typed ones.
    const ParamIndex index{changed};
    const int v = valueOf(index);
    if (index < NumPresetParams && !keepsReadout(index))
        graphics_.setTextOf(tag::Readout, readoutText(v));
    setVisible(graphics_, tag::Readout, true);
    if (index == param::PatchOffset) showPresetNumber();
    if (index == param::Scroll) presetList_.scrollTo(preset_list::topRowOfScroll(v));
    if (index == param::Ir) {
        graphics_.setTextOf(tag::Readout, readoutText(ir_panel::readoutOf(v)));
        showIrPosition(v);
    }
    if (index == param::Ir7Mode || index == param::Ir8Mode)
        showIrMode(index == param::Ir7Mode ? 7 : 8, v);
    feedDynamicsGraph(index, v);
    if (!applyingBlock) panel_.bringUp(blockOfParameter(index, panel_.punchMode()));
    showValueText(index, v);
    showBand(bandOfParameter(index, panel_.punchMode()));
    // The delay time belongs to the echo types.
    if (index == param::Reverb && panel_.currentBlock() == block::Ambience) {
        panel_.echoTypeLit() ? graphics_.showGroup(group::AmbienceTime)
                             : graphics_.hideGroup(group::AmbienceTime);
    }
}

void PagePresenter::showValueText(ParamIndex index, int value) {
    if (const ValueText* entry = valueTextOf(index))
        graphics_.setTextOf(entry->tag, entry->text(value));
    if (index == param::AnalogSim)
        graphics_.setTextOf(tag::AnalogSimCaption, display::analogSim(value).caption);
}

void PagePresenter::showBand(Band band) {
    const FilterBand* filter = filterBandOf(band);
    if (!filter) return;
    const display::BandTexts texts = filter->texts(
        valueOf(filter->params[0]), valueOf(filter->params[1]), valueOf(filter->params[2]));
    graphics_.setTextOf(filter->tags[0], texts.gain);
    graphics_.setTextOf(filter->tags[1], texts.frequency);
    graphics_.setTextOf(filter->tags[2], texts.quality);
}

// The compressor's ratio follows only while its page shows it.
void PagePresenter::feedDynamicsGraph(ParamIndex index, int value) {
    if (!dynamicsGraph_) return;
    switch (index) {
        case param::Gate:
            dynamicsGraph_->setGateThreshold(display::gateThresholdDb(value));
            break;
        case param::Dynamics:
            dynamicsGraph_->setCompThreshold(display::compressorThresholdDb(value));
            break;
        case param::CompressorRatio:
            if (const igraphics::IControl* text =
                    graphics_.controlWithTag(tag::CompressorRatioText);
                text && !text->isHidden())
                dynamicsGraph_->setCompRatio(display::compressorRatio(value));
            break;
        case param::GateRatio:
            dynamicsGraph_->setGateRatio(1.0 / display::gateRatio(value));
            break;
        default:
            break;
    }
}

void PagePresenter::setGraphs(igraphics::IFreqResponseGraph* frequency,
                              igraphics::IDynamicsResponseGraph* dynamics) {
    frequencyGraph_ = frequency;
    dynamicsGraph_ = dynamics;
    panel_.setDynamicsGraph(dynamics);
}

// A handle being dragged stays under the pointer.
void PagePresenter::showIrPosition(int position) {
    if (igraphics::IControl* slider = graphics_.controlWithTag(tag::IrPositionSlider))
        slider->setValueFromEditor(ir_panel::sliderValueOf(position));
}

void PagePresenter::showIrMode(int position, int mode) {
    const bool ir7 = position == 7;
    for (ControlTag tag :
         {ir7 ? tag::Ir7GainKnob : tag::Ir8GainKnob, ir7 ? tag::Ir7Import : tag::Ir8Import})
        if (igraphics::IControl* control = graphics_.controlWithTag(tag))
            control->disable(mode == 0);
    graphics_.setTextOf(tag::cabinetRow(position),
                        mode != 0 ? userIrNames_[ir7 ? 0 : 1] : cabinetNames_[position]);
}

void PagePresenter::showPresetNumber() {
    graphics_.setTextOf(tag::Readout, readoutText(currentSlot_ + valueOf(param::PatchOffset)));
}

void PagePresenter::readoutTimedOut(int displayNumber) {
    graphics_.setTextOf(tag::Readout, readoutText(displayNumber));
}

void PagePresenter::presetNumberShown(int displayNumber) {
    graphics_.setTextOf(tag::Readout, readoutText(displayNumber));
    graphics_.setColorOf(tag::Readout, ReadoutLit);
    setVisible(graphics_, tag::Readout, true);
}

void PagePresenter::readoutShown(bool shown) {
    setVisible(graphics_, tag::Readout, shown);
}

void PagePresenter::presetSelected(int slot) {
    if (!inRange(slot, NumPresets)) return;
    currentSlot_ = slot;
    presetList_.highlight(slot);
}

// The buttons follow the sound; a mid-band page on show follows the model's
// band and the amplifier page is drawn again. No other page comes up.
void PagePresenter::presetApplied(const AppliedPreset& preset) {
    presetSelected(preset.slot);
    panel_.selectAmpModel(preset.ampModel);
    panel_.selectAmbienceType(preset.ambienceType);
    const int page = blockAfterPresetApplied(panel_.currentBlock(), preset.ampModel);
    if (page != block::None) panel_.selectBlock(page);
    // The values came in while the previous model's mid band was in force:
    // both bands' texts follow the new values, whichever page shows them.
    showBand(Band::Punch);
    showBand(Band::Mid);
    setVisible(graphics_, tag::Readout, true);
    graphics_.setColorOf(tag::Readout, ReadoutLit);
    graphics_.setTextOf(tag::Readout, readoutText(preset.displayNumber));
    graphics_.setTextOf(tag::PresetName, preset.name);
    graphics_.setTextOf(tag::cabinetRow(7), preset.ir7Label);
    graphics_.setTextOf(tag::cabinetRow(8), preset.ir8Label);
}

// Undo and redo light the buttons as a received preset does, so that the
// model taken back can be picked again.
void PagePresenter::soundRestored(int ampModel, int ambienceType) {
    panel_.selectAmpModel(ampModel);
    panel_.selectAmbienceType(ambienceType);
    const int page = blockAfterPresetApplied(panel_.currentBlock(), ampModel);
    if (page != block::None) panel_.selectBlock(page);
    showBand(Band::Punch);
    showBand(Band::Mid);
}

void PagePresenter::presetStored(int) {
    setVisible(graphics_, tag::Readout, true);
}

void PagePresenter::modifiedChanged(bool modified) {
    graphics_.setColorOf(tag::Readout, modified ? ReadoutDimmed : ReadoutLit);
}

void PagePresenter::presetNameChanged(const std::string& name) {
    graphics_.setTextOf(tag::PresetName, name);
}

void PagePresenter::irPositionNameChanged(int position, const std::string& name) {
    if (position != 7 && position != 8) return;
    userIrNames_[position == 7 ? 0 : 1] = name;
    graphics_.setTextOf(tag::cabinetRow(position), name);
}

void PagePresenter::knobLayerChanged(bool layerB) {
    setVisible(graphics_, tag::LayerLamp, layerB);
    setVisible(graphics_, tag::LayerBackground, layerB);
    panel_.showKnobLayer(layerB);
}

void PagePresenter::impulseResponseChanged(std::span<const double> samples, bool byUser) {
    panel_.bringUp(blockForIrChange(panel_.currentBlock(), byUser));
    if (frequencyGraph_) frequencyGraph_->setData(samples);
}

// ---- lists ---------------------------------------------------------------------------

void PagePresenter::presetRowChanged(int row, const std::string& text) {
    if (!inRange(row, NumPresets)) return;
    presetRows_[static_cast<std::size_t>(row)] = text;
    graphics_.setTextOf(tag::presetRow(row), text);
}

void PagePresenter::userIrRowChanged(int row, const std::string& text) {
    if (!inRange(row, UserIrRowCount)) return;
    userIrRows_[static_cast<std::size_t>(row)] = text;
    graphics_.setTextOf(tag::userIrRow(row), text);
}

void PagePresenter::cabinetNameChanged(int cabinet, const std::string& name) {
    if (!inRange(cabinet, ir_panel::Rows)) return;
    cabinetNames_[static_cast<std::size_t>(cabinet)] = name;
    graphics_.setTextOf(cabinet == 0 ? tag::FlatResponseRow : tag::cabinetRow(cabinet), name);
}

// ---- transfers -----------------------------------------------------------------------

void PagePresenter::transferStarted(Transfer transfer) {
    if (transfer == Transfer::Firmware) {
        graphics_.showGroup(group::Firmware);
        graphics_.disableGroup(group::FirmwareUpdate);
        return;
    }
    graphics_.setValueOf(tag::ProgressRing, 0.0);
    graphics_.setTextOf(tag::ProgressText, percentText(0.0));
    graphics_.showGroup(group::Progress);
}

void PagePresenter::transferProgress(Transfer transfer, double fraction) {
    if (transfer == Transfer::Firmware) {
        graphics_.setValueOf(tag::FirmwareRing, fraction);
        graphics_.setTextOf(tag::FirmwareText, percentText(fraction));
        return;
    }
    graphics_.setValueOf(tag::ProgressRing, fraction);
    graphics_.setTextOf(tag::ProgressText, transfer == Transfer::IrDownload
                                               ? roundedPercentText(fraction)
                                               : percentText(fraction));
    // A backup shows its progress from the first answer on.
    if (transfer == Transfer::BankExport) graphics_.showGroup(group::Progress);
}

void PagePresenter::transferEnded(Transfer transfer, bool ok) {
    // The firmware page stays until its result is acknowledged.
    if (transfer == Transfer::Firmware) return;
    hideProgress(transfer == Transfer::IrUpload || (transfer == Transfer::BankImport && !ok));
}

void PagePresenter::presetRequestUnanswered() {
    hideProgress(false);
}

void PagePresenter::hideProgress(bool reset) {
    if (reset) {
        graphics_.setValueOf(tag::ProgressRing, 0.0);
        graphics_.setTextOf(tag::ProgressText, percentText(0.0));
    }
    graphics_.hideGroup(group::Progress);
}

// ---- what the user opened --------------------------------------------------------------

void PagePresenter::firmwarePageOpened() {
    graphics_.showGroup(group::FirmwareBackground);
    graphics_.showGroup(group::FirmwareUpdate);
    graphics_.enableGroup(group::FirmwareUpdate);
    graphics_.disableGroup(group::Main);
}

void PagePresenter::firmwarePageClosed(bool afterUpdate) {
    if (afterUpdate) graphics_.hideGroup(group::Firmware);
    graphics_.hideGroup(group::FirmwareBackground);
    graphics_.hideGroup(group::FirmwareUpdate);
    graphics_.enableGroup(group::Main);
    if (afterUpdate) setKnobLayersEnabled(false);
}

void PagePresenter::globalSettingsOpened() {
    graphics_.showGroup(group::GlobalSettings);
}

void PagePresenter::aboutRequested() {
    graphics_.showGroup(group::About);
}

// ---- reading back ----------------------------------------------------------------------

std::string PagePresenter::text(ControlTag tag) const {
    const igraphics::IControl* found = graphics_.controlWithTag(tag);
    // A button's text is its label (COMPARE names B while B plays).
    if (const auto* button = dynamic_cast<const igraphics::IVButtonControl*>(found))
        return button->label();
    const auto* control = dynamic_cast<const igraphics::ITextControl*>(found);
    return control ? control->text() : std::string();
}

bool PagePresenter::hasGroup(std::string_view name) const {
    bool found = false;
    // forGroup is not const: it hands out mutable controls.
    const_cast<igraphics::IGraphics&>(graphics_).forGroup(
        name, [&](igraphics::IControl&) { found = true; });
    return found;
}

std::string PagePresenter::presetRow(int row) const {
    return inRange(row, NumPresets) ? presetRows_[static_cast<std::size_t>(row)] : std::string();
}

std::string PagePresenter::userIrRow(int row) const {
    return inRange(row, UserIrRowCount) ? userIrRows_[static_cast<std::size_t>(row)]
                                        : std::string();
}

}  // namespace vornix::ui
