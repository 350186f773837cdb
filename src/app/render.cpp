#include "app/render.hpp"

#include <cairo.h>

#include <cmath>
#include <functional>
#include <iostream>
#include <memory>

#include "app/editor_stack.hpp"
#include "controls/igraphics.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/plain_event_loop.hpp"
#include "resources/resources.hpp"
#include "ui/editor_window.hpp"

namespace vornix::app {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
// Long enough for the first identification request (3.3 s) and the answer.
constexpr int ConnectLimitMs = 30000;
constexpr int SliceMs = 100;
// Lets the progress overlay of the cache synchronisation hide again.
constexpr int SettleMs = 1500;
constexpr int PortsWaitMs = 4000;

// Questions are answered with OK and messages go to stderr: nobody is there.
class HeadlessPlatform : public Platform {
  public:
    void messageBox(const std::string& text, const std::string&, Buttons,
                    std::function<void(Answer)> completion) override {
        std::cerr << "vornix-control: " << text << '\n';
        if (completion) completion(Answer::Ok);
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void openUrl(const std::string&) override {}
};

// Runs the loop for up to `milliseconds` or until done().
using RunFor = std::function<void(const std::function<bool()>& done, int milliseconds)>;

bool writePng(igraphics::IGraphics& g, double scale, const std::string& file) {
    const int width = static_cast<int>(std::lround(igraphics::kLogicalWidth * scale));
    const int height = static_cast<int>(std::lround(igraphics::kLogicalHeight * scale));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    g.setAllDirty();
    g.draw(cr, g.bounds());
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

int render(const Options& options, EventLoop& loop, const RunFor& runFor) {
    const storage::DataFolder folder = storage::DataFolder::fromEnvironment();
    HeadlessPlatform platform;
    EditorStack stack(
        loop, folder, platform, StackOptions{options.simulator, false},
        [](const std::string& text, const std::string&) { std::cerr << text << '\n'; });
    stack.start();
    VornixControl& editor = stack.editor();
    const double scale = options.scale.value_or(editor.drawScale());

    // The window never really opens: nothing to save, no goodbye to the device.
    ui::EditorWindow window(editor, loop, resources::find);
    igraphics::IGraphics& graphics = window.graphics();
    graphics.setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight,
                          static_cast<float>(scale));

    // The picture waits for the device: in step with it on the built-in pedal,
    // or at least answering on the ports.
    struct Progress : EditorEvents {
        bool synchronised_ = false;
        void synchronised() override { synchronised_ = true; }
    } progress;
    editor.setEvents(&progress);
    if (options.simulator) {
        runFor([&] { return progress.synchronised_; }, ConnectLimitMs);
        runFor([] { return false; }, SettleMs);
    } else {
        runFor([&] { return editor.online(); }, PortsWaitMs);
    }
    editor.setEvents(nullptr);

    const bool written = writePng(graphics, scale, options.renderTo);
    if (!written) {
        std::cerr << "vornix-control: cannot write " << options.renderTo << '\n';
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace

int renderToPng(const Options& options) {
    try {
        if (options.simulator) {
            // Virtual time: the simulated pedal answers at once and the result
            // does not depend on the machine's load.
            VirtualEventLoop loop;
            return render(options, loop, [&loop](const std::function<bool()>& done, int ms) {
                for (int spent = 0; spent < ms && !done(); spent += SliceMs) loop.advance(SliceMs);
            });
        }
        host::PlainEventLoop loop;
        return render(options, loop, [&loop](const std::function<bool()>& done, int ms) {
            loop.runUntil(done, ms);
        });
    } catch (const std::exception& e) {
        std::cerr << "vornix-control: " << e.what() << '\n';
        return ExitFailed;
    }
}

}  // namespace vornix::app
