#include "ui/window_content.hpp"

#include <numeric>

#include "ui/ir_panel.hpp"
#include "ui/pages/main_page.hpp"

namespace vornix::ui {

namespace {

// What the page's gestures ask of the editor.
MainPageActions actionsOn(VornixControl& editor) {
    MainPageActions actions;
    actions.reconnect = [&editor] { editor.reconnect(); };
    actions.compare = [&editor] { editor.toggleComparison(); };
    // A voicing sets its ten or eleven values as one step of the history.
    actions.loadAmpVoicing = [&editor](int model) {
        editor.history().asOneStep(StepKind::AmpModel, model,
                                   [&editor, model] { editor.loadAmpVoicing(model); });
    };
    actions.loadAmbienceVoicing = [&editor](int type) {
        editor.history().asOneStep(StepKind::AmbienceType, type,
                                   [&editor, type] { editor.loadAmbienceVoicing(type); });
    };
    actions.faceSwitch = [&editor](FaceSwitch which, bool down) {
        down ? editor.faceplate().press(which) : editor.faceplate().release(which);
    };
    actions.presetColumn.rowClicked = [&editor](int row) { editor.presetRowClicked(row); };
    actions.presetColumn.importPreset = [&editor] { editor.presetFiles().chooseAndImportPreset(); };
    actions.presetColumn.exportPreset = [&editor] { editor.presetFiles().chooseAndExportPreset(); };
    // The whole preset goes out under its new name, online or not.
    actions.presetColumn.rename = [&editor](const std::string& name) {
        editor.history().asOneStep(StepKind::Rename, 0, [&editor, &name] {
            editor.renamePreset(name);
            editor.sendPreset();
        });
    };
    // A WAV that cannot be read is refused in a message box by the editor.
    actions.irPage.importUserIr = [&editor](int position) {
        editor.userIrs().importUserIr(position == 7 ? UserIrTarget::Ir7 : UserIrTarget::Ir8,
                                      std::nullopt);
    };
    // Closing the settings page lets the editor look for the device again; a
    // changed PATCH OFFSET renumbers the list.
    actions.settings.closed = [&editor] {
        editor.connection().enableKeepAlive(true);
        editor.refreshPresetListFromFiles();
    };
    actions.settings.requestPage = [&editor](int page) { editor.requestGlobalPage(page); };
    actions.settings.writePage = [&editor](int page) { editor.writeGlobalPage(page); };
    actions.settings.factoryReset = [&editor](std::uint8_t target) {
        editor.wholeDevice().factoryReset(target);
    };
    actions.firmware.chooseFile = [&editor] { editor.firmware().chooseFile(); };
    actions.firmware.close = [&editor] { editor.firmware().closePage(); };
    return actions;
}

}  // namespace

WindowContent::WindowContent(VornixControl& editor, EventLoop& loop,
                             igraphics::ResourceLookup resources, igraphics::IPlatform* platform)
    : editor_(editor), graphics_(std::make_unique<igraphics::IGraphics>(editor, loop)) {
    graphics_->setPlatform(platform);
    graphics_->setResourceLookup(std::move(resources));
    view_ = std::make_unique<PagePresenter>(*graphics_);
    // Every controller program selects the preset of its own number until
    // the program map page asks the device for its map.
    std::iota(editor.programMap().begin(), editor.programMap().end(), 0);
    buildMainPage(*graphics_, *view_, actionsOn(editor));
    editor.link().openWindow(*view_);
    compareButton_ = std::make_unique<CompareButton>(editor, *graphics_);
    showKeptState();
    editor.setQueuedValueSink([graphics = graphics_.get()] { graphics->onTimer20ms(); });
    graphics_->setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight,
                            editor.drawScale());
    editor.refreshPresetListFromFiles();
    editor.loadPresetSlots();
}

// What the editor kept while no window was open: the device it is online
// with, the knob layer the device is in, where the list was scrolled to, the
// current preset and the impulse response.
void WindowContent::showKeptState() {
    if (editor_.connection().online()) {
        view_->deviceAnswered(editor_.connection().device().version());
        view_->identified(editor_.connection().device().version(),
                          editor_.connection().device().serial);
        view_->presetSelected(editor_.sound().currentPreset);
    } else {
        view_->searchStatusChanged(editor_.connection().searchStatus());
    }
    if (editor_.sound().LayerB) view_->knobLayerChanged(true);
    view_->presetList().scrollTo(preset_list::topRowOfScroll(editor_.intValue(param::Scroll)));
    showImpulseResponse();
}

// The cabinet rows name what the cache holds, the positions and modes are
// the editor's, and the graph shows the IR they give.
void WindowContent::showImpulseResponse() {
    for (int cabinet = 0; cabinet < ir_panel::Rows; ++cabinet)
        view_->cabinetNameChanged(cabinet, editor_.userIrs().irNames().cabinetName(cabinet));
    for (int position : {7, 8}) {
        view_->irPositionNameChanged(position, editor_.userIrs().userIrName(position));
        view_->showIrMode(position,
                          editor_.intValue(position == 7 ? param::Ir7Mode : param::Ir8Mode));
    }
    view_->showIrPosition(editor_.intValue(param::Ir));
    editor_.userIrs().showIrSelection(editor_.intValue(param::Ir));
}

WindowContent::~WindowContent() {
    compareButton_.reset();
    editor_.setQueuedValueSink(nullptr);
    if (editor_.link().windowOpen()) editor_.link().closeWindow();
    // The controls go before the view their actions reach.
    graphics_.reset();
}

}  // namespace vornix::ui
