#pragma once
// The editor's window content without the desktop: the drawing context, the
// main page built on it and the view that shows what the editor reports. The
// GTK window, --render-to and the script runner all open the editor through
// it, so each shows and acts the same.
#include <memory>

#include "controls/igraphics.hpp"
#include "core/vornix_control.hpp"
#include "framework/event_loop.hpp"
#include "ui/compare_button.hpp"
#include "ui/page_presenter.hpp"

namespace vornix::ui {

class WindowContent {
  public:
    // Builds the page at the editor's draw scale, attaches the view and the
    // queued-value sink, and fills the preset list.
    WindowContent(VornixControl& editor, EventLoop& loop, igraphics::ResourceLookup resources,
                  igraphics::IPlatform* platform = nullptr);
    // Detaches from the editor (without the goodbye of uiClosed, which the
    // shell sends when a real window closes).
    ~WindowContent();
    WindowContent(const WindowContent&) = delete;
    WindowContent& operator=(const WindowContent&) = delete;

    igraphics::IGraphics& graphics() { return *graphics_; }
    PagePresenter& view() { return *view_; }

  private:
    void showKeptState();
    void showImpulseResponse();

    VornixControl& editor_;
    std::unique_ptr<igraphics::IGraphics> graphics_;
    std::unique_ptr<PagePresenter> view_;
    std::unique_ptr<CompareButton> compareButton_;
};

}  // namespace vornix::ui
