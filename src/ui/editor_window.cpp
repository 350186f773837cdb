#include "ui/editor_window.hpp"

#include "ui/pages/main_page.hpp"

namespace vornix::ui {

EditorWindow::EditorWindow(VornixControl& editor, EventLoop& loop,
                           igraphics::ResourceLookup resources, igraphics::IPlatform* platform)
    : editor_(editor), graphics_(std::make_unique<igraphics::IGraphics>(editor, loop)) {
    graphics_->setPlatform(platform);
    graphics_->setResourceLookup(std::move(resources));
    view_ = std::make_unique<GraphicsView>(*graphics_);
    MainPageActions actions;
    actions.reconnect = [&editor] { editor.reconnect(); };
    actions.loadAmpVoicing = [&editor](int model) { editor.loadAmpVoicing(model); };
    actions.loadAmbienceVoicing = [&editor](int type) { editor.loadAmbienceVoicing(type); };
    actions.faceSwitch = [&editor](FaceSwitch which, bool down) {
        down ? editor.pressSwitch(which) : editor.releaseSwitch(which);
    };
    buildMainPage(*graphics_, *view_, actions);
    editor.attachView(view_.get());
    // The knob layer the device is in, kept while no window was open.
    if (editor.layerB()) view_->knobLayerChanged(true);
    editor.setQueuedValueSink([graphics = graphics_.get()] { graphics->onTimer20ms(); });
    graphics_->setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight,
                            editor.drawScale());
    editor.refreshPresetListFromFiles();
    editor.loadPresetSlots();
}

EditorWindow::~EditorWindow() {
    editor_.setQueuedValueSink(nullptr);
    if (editor_.windowOpen()) editor_.attachView(nullptr);
    // The controls go before the view their actions reach.
    graphics_.reset();
}

}  // namespace vornix::ui
