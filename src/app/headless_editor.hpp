#pragma once
// The editor's window content without a display, on the editor stack: what
// --render-to and --headless share. With the built-in pedal the editor and
// the pedal run on virtual time, so waiting costs no real time and every run
// gives the same result; on MIDI ports the clock is real.
//
// Nothing opens or closes a real window: no goodbye to the device at the end
// and nothing saved but what the editor saves as it goes.
#include <functional>
#include <memory>

#include "app/editor_stack.hpp"
#include "app/launch_options.hpp"
#include "controls/iplatform.hpp"
#include "core/platform.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/plain_event_loop.hpp"
#include "ui/window_content.hpp"

namespace vornix::app {

class HeadlessEditor {
  public:
    // Host messages go to stderr; `dialogs` serves the toolkit's boxes and
    // file dialogs (null: every question counts as cancelled). Throws
    // std::runtime_error when the start fails (a port that does not exist).
    HeadlessEditor(const Options& options, Platform& platform, igraphics::IPlatform* dialogs);
    ~HeadlessEditor();
    HeadlessEditor(const HeadlessEditor&) = delete;
    HeadlessEditor& operator=(const HeadlessEditor&) = delete;

    // Runs the loop until done() or `milliseconds` have passed; done()'s last answer.
    bool runUntil(const std::function<bool()>& done, int milliseconds);
    // Runs the work posted so far and whatever is due now, so the effect of
    // an input is there to be read.
    void settle();
    bool virtualTime() const { return virtualLoop_ != nullptr; }

    VornixControl& editor() { return stack_->editor(); }
    TrafficCapture& capture() { return stack_->capture(); }
    ui::WindowContent& window() { return *window_; }
    igraphics::IGraphics& graphics() { return window_->graphics(); }

  private:
    EventLoop& loop();

    std::unique_ptr<VirtualEventLoop> virtualLoop_;
    std::unique_ptr<host::PlainEventLoop> plainLoop_;
    std::unique_ptr<EditorStack> stack_;
    std::unique_ptr<ui::WindowContent> window_;
};

}  // namespace vornix::app
