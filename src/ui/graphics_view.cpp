#include "ui/graphics_view.hpp"

#include "controls/text_controls.hpp"
#include "ui/display_texts.hpp"

namespace vornix::ui {

namespace {

constexpr igraphics::IColor ReadoutLit = igraphics::COLOR_WHITE;
constexpr igraphics::IColor ReadoutDimmed{255, 110, 110, 110};
constexpr igraphics::IColor RowSelected{255, 255, 160, 0};
constexpr igraphics::IColor RowNormal = igraphics::COLOR_WHITE;

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

void GraphicsView::presetSelected(int slot) {
    if (inRange(selectedPreset_, NumPresets))
        graphics_.setColorOf(tag::PresetRowFirst + selectedPreset_, RowNormal);
    selectedPreset_ = inRange(slot, NumPresets) ? slot : -1;
    if (selectedPreset_ >= 0) graphics_.setColorOf(tag::PresetRowFirst + slot, RowSelected);
}

void GraphicsView::presetApplied(const AppliedPreset& preset) {
    const Reselection page = afterPresetApplied(currentBlock_, preset.ampModel);
    if (page.block != block::None) selectBlock(page.block);
    setVisible(graphics_, tag::Readout, true);
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
}

void GraphicsView::impulseResponseChanged(std::span<const double>, bool byUser) {
    if (const int page = blockForIrChange(currentBlock_, byUser); page != block::None)
        selectBlock(page);
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
