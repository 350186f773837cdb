#include "ui/graphics_view.hpp"

#include "controls/text_controls.hpp"
#include "device/preset_record.hpp"
#include "ui/display_texts.hpp"
#include "ui/value_display.hpp"
#include "ui/value_texts.hpp"

namespace vornix::ui {

namespace {

constexpr igraphics::IColor ReadoutLit{255, 255, 255, 255};
// Dimmed while the sound differs from the stored preset.
constexpr igraphics::IColor ReadoutDimmed{100, 255, 255, 255};

bool inRange(int index, int count) {
    return index >= 0 && index < count;
}

void setVisible(igraphics::IGraphics& g, int tag, bool visible) {
    if (igraphics::IControl* control = g.controlWithTag(tag)) control->hide(!visible);
}

}  // namespace

// ---- the link ------------------------------------------------------------------------

void GraphicsView::connecting() {
    graphics_.setTextOf(tag::StatusDevice, "");
    graphics_.setTextOf(tag::StatusVersion, ConnectingText);
    graphics_.setTextOf(tag::StatusSerial, "");
    setKnobLayersEnabled(false);
    graphics_.hideGroup(group::Progress);
}

void GraphicsView::deviceAnswered(double version) {
    graphics_.setTextOf(tag::StatusDevice, DeviceNameText);
    graphics_.setTextOf(tag::StatusVersion, versionText(version));
    setKnobLayersEnabled(true);
}

void GraphicsView::identified(double, const std::string& serial) {
    graphics_.setTextOf(tag::StatusSerial, serialText(serial));
}

void GraphicsView::setKnobLayersEnabled(bool enabled) {
    enabled ? graphics_.enableGroup(group::Faceplate) : graphics_.disableGroup(group::Faceplate);
    for (const char* name : group::KnobLayers)
        enabled ? graphics_.enableGroup(name) : graphics_.disableGroup(name);
}

// ---- the sound -----------------------------------------------------------------------

int GraphicsView::valueOf(int index) const {
    const iplug::IParam* p = graphics_.delegate().getParam(index);
    return p ? p->intValue() : 0;
}

// Every parameter change: the readout shows the raw value of an edited
// preset parameter, the page that owns the parameter comes up (never while a
// block from the device or a voicing is applied), and its texts follow.
void GraphicsView::parameterChanged(int index, bool applyingBlock) {
    const int v = valueOf(index);
    if (index < NumPresetParams && !keepsReadout(index))
        graphics_.setTextOf(tag::Readout, readoutText(v));
    setVisible(graphics_, tag::Readout, true);
    if (index == param::PatchOffset) showPresetNumber();
    if (index == param::Scroll) presetList_.scrollTo(preset_list::topRowOfScroll(v));
    if (!applyingBlock) panel_.bringUp(blockOfParameter(index, panel_.punchMode()));
    showValueText(index, v);
    showBand(bandOfParameter(index, panel_.punchMode()));
    // The delay time belongs to the echo types.
    if (index == param::Reverb && panel_.currentBlock() == block::Ambience) {
        panel_.echoTypeLit() ? graphics_.showGroup(group::AmbienceTime)
                             : graphics_.hideGroup(group::AmbienceTime);
    }
}

void GraphicsView::showValueText(int index, int value) {
    if (const ValueText* entry = valueTextOf(index))
        graphics_.setTextOf(entry->tag, entry->text(value));
    if (index == param::AnalogSim)
        graphics_.setTextOf(tag::AnalogSimCaption, display::analogSim(value).caption);
}

void GraphicsView::showBand(Band band) {
    const FilterBand* filter = filterBandOf(band);
    if (!filter) return;
    const display::BandTexts texts = filter->texts(
        valueOf(filter->params[0]), valueOf(filter->params[1]), valueOf(filter->params[2]));
    graphics_.setTextOf(filter->tags[0], texts.gain);
    graphics_.setTextOf(filter->tags[1], texts.frequency);
    graphics_.setTextOf(filter->tags[2], texts.quality);
}

void GraphicsView::showPresetNumber() {
    graphics_.setTextOf(tag::Readout, readoutText(currentSlot_ + valueOf(param::PatchOffset)));
}

void GraphicsView::readoutTimedOut(int displayNumber) {
    graphics_.setTextOf(tag::Readout, readoutText(displayNumber));
}

void GraphicsView::presetNumberShown(int displayNumber) {
    graphics_.setTextOf(tag::Readout, readoutText(displayNumber));
    graphics_.setColorOf(tag::Readout, ReadoutLit);
    setVisible(graphics_, tag::Readout, true);
}

void GraphicsView::readoutShown(bool shown) {
    setVisible(graphics_, tag::Readout, shown);
}

void GraphicsView::presetSelected(int slot) {
    if (!inRange(slot, NumPresets)) return;
    currentSlot_ = slot;
    presetList_.highlight(slot);
}

// The buttons follow the sound; a mid-band page on show follows the model's
// band and the amplifier page is drawn again. No other page comes up.
void GraphicsView::presetApplied(const AppliedPreset& preset) {
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

void GraphicsView::presetStored(int) {
    setVisible(graphics_, tag::Readout, true);
}

void GraphicsView::modifiedChanged(bool modified) {
    graphics_.setColorOf(tag::Readout, modified ? ReadoutDimmed : ReadoutLit);
}

void GraphicsView::presetNameChanged(const std::string& name) {
    graphics_.setTextOf(tag::PresetName, name);
}

void GraphicsView::irPositionNameChanged(int position, const std::string& name) {
    graphics_.setTextOf(tag::cabinetRow(position), name);
}

void GraphicsView::knobLayerChanged(bool layerB) {
    setVisible(graphics_, tag::LayerLamp, layerB);
    setVisible(graphics_, tag::LayerBackground, layerB);
    panel_.showKnobLayer(layerB);
}

void GraphicsView::impulseResponseChanged(std::span<const double>, bool byUser) {
    panel_.bringUp(blockForIrChange(panel_.currentBlock(), byUser));
}

// ---- lists ---------------------------------------------------------------------------

void GraphicsView::presetRowChanged(int row, const std::string& text) {
    if (!inRange(row, NumPresets)) return;
    presetRows_[static_cast<std::size_t>(row)] = text;
    graphics_.setTextOf(tag::PresetRowFirst + row, text);
}

void GraphicsView::userIrRowChanged(int row, const std::string& text) {
    if (!inRange(row, UserIrRowCount)) return;
    userIrRows_[static_cast<std::size_t>(row)] = text;
    graphics_.setTextOf(tag::UserIrRowFirst + row, text);
}

void GraphicsView::cabinetNameChanged(int cabinet, const std::string& name) {
    if (cabinet < 1 || cabinet > 8) return;
    graphics_.setTextOf(tag::cabinetRow(cabinet), name);
}

// ---- transfers -----------------------------------------------------------------------

void GraphicsView::transferStarted(Transfer transfer) {
    if (transfer == Transfer::Firmware) {
        graphics_.showGroup(group::Firmware);
        graphics_.disableGroup(group::FirmwareUpdate);
        return;
    }
    graphics_.setValueOf(tag::ProgressRing, 0.0);
    graphics_.setTextOf(tag::ProgressText, percentText(0.0));
    graphics_.showGroup(group::Progress);
}

void GraphicsView::transferProgress(Transfer transfer, double fraction) {
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

void GraphicsView::transferEnded(Transfer transfer, bool ok) {
    // The firmware page stays until its result is acknowledged.
    if (transfer == Transfer::Firmware) return;
    hideProgress(transfer == Transfer::IrUpload || (transfer == Transfer::BankImport && !ok));
}

void GraphicsView::presetRequestUnanswered() {
    hideProgress(false);
}

void GraphicsView::hideProgress(bool reset) {
    if (reset) {
        graphics_.setValueOf(tag::ProgressRing, 0.0);
        graphics_.setTextOf(tag::ProgressText, percentText(0.0));
    }
    graphics_.hideGroup(group::Progress);
}

// ---- what the user opened --------------------------------------------------------------

void GraphicsView::firmwarePageOpened() {
    graphics_.showGroup(group::FirmwareBackground);
    graphics_.showGroup(group::FirmwareUpdate);
    graphics_.enableGroup(group::FirmwareUpdate);
    graphics_.disableGroup(group::Main);
}

void GraphicsView::firmwarePageClosed(bool afterUpdate) {
    if (afterUpdate) graphics_.hideGroup(group::Firmware);
    graphics_.hideGroup(group::FirmwareBackground);
    graphics_.hideGroup(group::FirmwareUpdate);
    graphics_.enableGroup(group::Main);
    if (afterUpdate) setKnobLayersEnabled(false);
}

void GraphicsView::globalSettingsOpened() {
    graphics_.showGroup(group::GlobalSettings);
}

void GraphicsView::aboutRequested() {
    graphics_.showGroup(group::About);
}

// ---- reading back ----------------------------------------------------------------------

std::string GraphicsView::text(int tag) const {
    const auto* control =
        dynamic_cast<const igraphics::ITextControl*>(graphics_.controlWithTag(tag));
    return control ? control->text() : std::string();
}

bool GraphicsView::hasGroup(std::string_view name) const {
    bool found = false;
    // forGroup is not const: it hands out mutable controls.
    const_cast<igraphics::IGraphics&>(graphics_).forGroup(
        name, [&](igraphics::IControl&) { found = true; });
    return found;
}

std::string GraphicsView::presetRow(int row) const {
    return inRange(row, NumPresets) ? presetRows_[static_cast<std::size_t>(row)] : std::string();
}

std::string GraphicsView::userIrRow(int row) const {
    return inRange(row, UserIrRowCount) ? userIrRows_[static_cast<std::size_t>(row)]
                                        : std::string();
}

}  // namespace vornix::ui
