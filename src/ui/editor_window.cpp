#include "ui/editor_window.hpp"

#include "ui/ir_panel.hpp"
#include "ui/pages/main_page.hpp"

namespace vornix::ui {

namespace {

// What the page's gestures ask of the editor.
MainPageActions actionsOn(VornixControl& editor) {
    MainPageActions actions;
    actions.reconnect = [&editor] { editor.reconnect(); };
    actions.loadAmpVoicing = [&editor](int model) { editor.loadAmpVoicing(model); };
    actions.loadAmbienceVoicing = [&editor](int type) { editor.loadAmbienceVoicing(type); };
    actions.faceSwitch = [&editor](FaceSwitch which, bool down) {
        down ? editor.pressSwitch(which) : editor.releaseSwitch(which);
    };
    actions.presetColumn.rowClicked = [&editor](int row) { editor.presetRowClicked(row); };
    actions.presetColumn.importPreset = [&editor] { editor.chooseAndImportPreset(); };
    actions.presetColumn.exportPreset = [&editor] { editor.chooseAndExportPreset(); };
    // The whole preset goes out under its new name, online or not.
    actions.presetColumn.rename = [&editor](const std::string& name) {
        editor.renamePreset(name);
        editor.sendPreset();
    };
    // A WAV that cannot be read is refused in a message box by the editor.
    actions.irPage.importUserIr = [&editor](int position) {
        std::string ignored;
        editor.importUserIr(position == 7 ? UserIrTarget::Ir7 : UserIrTarget::Ir8, std::nullopt,
                            ignored);
    };
    // Closing the settings page lets the editor look for the device again; a
    // changed PATCH OFFSET renumbers the list.
    actions.settings.closed = [&editor] {
        editor.enableKeepAlive(true);
        editor.refreshPresetListFromFiles();
    };
    actions.settings.requestPage = [&editor](int page) { editor.requestGlobalPage(page); };
    actions.settings.writePage = [&editor](int page) { editor.writeGlobalPage(page); };
    actions.settings.factoryReset = [&editor](std::uint8_t target) { editor.factoryReset(target); };
    actions.firmware.chooseFile = [&editor] { editor.chooseFirmwareFile(); };
    actions.firmware.close = [&editor] { editor.closeFirmwarePage(); };
    return actions;
}

}  // namespace

EditorWindow::EditorWindow(VornixControl& editor, EventLoop& loop,
                           igraphics::ResourceLookup resources, igraphics::IPlatform* platform)
    : editor_(editor), graphics_(std::make_unique<igraphics::IGraphics>(editor, loop)) {
    graphics_->setPlatform(platform);
    graphics_->setResourceLookup(std::move(resources));
    view_ = std::make_unique<GraphicsView>(*graphics_);
    editor.resetProgramMap();
    buildMainPage(*graphics_, *view_, actionsOn(editor));
    editor.attachView(view_.get());
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
void EditorWindow::showKeptState() {
    if (editor_.online()) {
        view_->deviceAnswered(editor_.device().version());
        view_->identified(editor_.device().version(), editor_.device().serial);
        view_->presetSelected(editor_.currentPreset());
    } else {
        view_->searchStatusChanged(editor_.searchStatus());
    }
    if (editor_.layerB()) view_->knobLayerChanged(true);
    view_->presetList().scrollTo(preset_list::topRowOfScroll(editor_.intValue(param::Scroll)));
    showImpulseResponse();
}

// The cabinet rows name what the cache holds, the positions and modes are
// the editor's, and the graph shows the IR they give.
void EditorWindow::showImpulseResponse() {
    for (int cabinet = 0; cabinet < ir_panel::Rows; ++cabinet)
        view_->cabinetNameChanged(cabinet, editor_.cabinetName(cabinet));
    for (int position : {7, 8}) {
        view_->irPositionNameChanged(position, editor_.userIrName(position));
        view_->showIrMode(position,
                          editor_.intValue(position == 7 ? param::Ir7Mode : param::Ir8Mode));
    }
    view_->showIrPosition(editor_.intValue(param::Ir));
    editor_.showIrSelection(editor_.intValue(param::Ir));
}

EditorWindow::~EditorWindow() {
    editor_.setQueuedValueSink(nullptr);
    if (editor_.windowOpen()) editor_.attachView(nullptr);
    // The controls go before the view their actions reach.
    graphics_.reset();
}

}  // namespace vornix::ui
