// The real main page against the built-in pedal on virtual time: a full
// redraw at draw scale 1 and 0.5, every control painted again, one knob drag step on a block page
// (the gesture, the bytes to the pedal, the value text and the redraw of what it left dirty),
// faceplate-style edits that switch the page each time, a footswitch pressed and released, one
// wheel notch over the preset list, and the 20 ms idle tick with nothing to do and with the readout
// blinking, and one step of the progress overlay during a sync.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <filesystem>

#include "app/editor_stack.hpp"
#include "framework/virtual_event_loop.hpp"
#include "quiet_platform.hpp"
#include "resources/resources.hpp"
#include "ui/window_content.hpp"

namespace {

using namespace vornix;

struct OnlineEditor {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("vornix-bench-page-" + std::to_string(::getpid()));
    VirtualEventLoop loop;
    bench::QuietPlatform platform;
    app::EditorStack stack{loop, storage::DataFolder(dir), platform, {true, false}, nullptr};
    std::unique_ptr<ui::WindowContent> window;

    explicit OnlineEditor(float scale) {
        stack.start();
        stack.editor().setDrawScale(scale);
        window = std::make_unique<ui::WindowContent>(stack.editor(), loop, resources::find);
        for (int ms = 0; ms < 30000 && !stack.editor().connection().online(); ms += 100)
            loop.advance(100);
        loop.advance(3000);
    }
    ~OnlineEditor() {
        window.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    igraphics::IGraphics& g() { return window->graphics(); }
};

struct Surface {
    cairo_surface_t* surface;
    cairo_t* cr;
    explicit Surface(float scale)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                             static_cast<int>(igraphics::kLogicalWidth * scale),
                                             static_cast<int>(igraphics::kLogicalHeight * scale))),
          cr(cairo_create(surface)) {}
    ~Surface() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

void redrawDirty(OnlineEditor& editor, Surface& s) {
    for (const igraphics::IRECT& dirty : editor.g().dirtyAreas()) editor.g().draw(s.cr, dirty);
    cairo_surface_flush(s.surface);
}

void redrawAll(benchmark::State& state, float scale) {
    OnlineEditor editor(scale);
    editor.stack.editor().setParameterFromUser(param::Drive, 90);  // the amplifier page
    Surface s(scale);
    editor.g().draw(s.cr, editor.g().bounds());
    for (auto _ : state) {
        editor.g().draw(s.cr, editor.g().bounds());
        cairo_surface_flush(s.surface);
    }
}

void BM_MainPageFullRedraw(benchmark::State& state) {
    redrawAll(state, 1.f);
}
void BM_MainPageFullRedrawHalfScale(benchmark::State& state) {
    redrawAll(state, 0.5f);
}

// Every control painted again (a page switch, a new preset), not only copied
// from the window's kept frame as an uncovered window is.
void BM_MainPageFullRepaint(benchmark::State& state) {
    OnlineEditor editor(1.f);
    editor.stack.editor().setParameterFromUser(param::Drive, 90);
    Surface s(1.f);
    editor.g().draw(s.cr, editor.g().bounds());
    for (auto _ : state) {
        editor.g().setAllDirty();
        editor.g().draw(s.cr, editor.g().bounds());
        cairo_surface_flush(s.surface);
    }
}

// The drive knob on the amplifier page, up and down in turn.
void BM_MainPageKnobDragStep(benchmark::State& state) {
    OnlineEditor editor(1.f);
    editor.stack.editor().setParameterFromUser(param::Drive, 64);
    Surface s(1.f);
    editor.g().draw(s.cr, editor.g().bounds());
    constexpr float X = 730, Y = 990;
    editor.g().onMouseDown(X, Y, {});
    float dy = -30.f;
    for (auto _ : state) {
        editor.g().onMouseDrag(X, Y, 0.f, dy, {});
        dy = -dy;
        redrawDirty(editor, s);
    }
    editor.g().onMouseUp(X, Y, {});
}

// Edits as the faceplate's knobs make them, alternating between the level
// (the gate page) and the drive (the amplifier page): each one switches the page.
void BM_MainPageEditSwitchingPages(benchmark::State& state) {
    OnlineEditor editor(1.f);
    Surface s(1.f);
    editor.g().draw(s.cr, editor.g().bounds());
    int step = 0;
    for (auto _ : state) {
        const int index = step % 2 ? param::Level : param::Drive;
        editor.stack.editor().sendParameterValueFromUI(index, (step % 64 + 32) / 127.0);
        ++step;
        redrawDirty(editor, s);
    }
}

// Up, pressed and released: the number steps, the select goes to the pedal
// and the readout is drawn again. The pedal's answer (a whole preset applied)
// is left out of the figure.
void BM_FootswitchPressRelease(benchmark::State& state) {
    OnlineEditor editor(1.f);
    Surface s(1.f);
    editor.g().draw(s.cr, editor.g().bounds());
    constexpr float X = 1460 + 37, Y = 510 + 37;
    for (auto _ : state) {
        editor.g().onMouseDown(X, Y, {});
        editor.g().onMouseUp(X, Y, {});
        redrawDirty(editor, s);
        state.PauseTiming();
        editor.loop.advance(0);
        redrawDirty(editor, s);
        state.ResumeTiming();
    }
}

// One notch down and one back up in turn, from row 50 at the top: every
// visible row moves.
void BM_PresetListWheelNotch(benchmark::State& state) {
    OnlineEditor editor(1.f);
    editor.stack.editor().setParameterFromUser(param::Scroll, 109 - 50);
    Surface s(1.f);
    editor.g().draw(s.cr, editor.g().bounds());
    float notch = -1.f;
    for (auto _ : state) {
        editor.g().onMouseWheel(130, 600, {}, notch);
        notch = -notch;
        redrawDirty(editor, s);
    }
}

// One idle tick on the editor's clock (every fifth also runs the device
// tick), with what it leaves to draw.
void idleTicks(benchmark::State& state, bool blinking) {
    OnlineEditor editor(1.f);
    Surface s(1.f);
    if (blinking) {
        editor.stack.editor().faceplate().press(FaceSwitch::Save);
        editor.stack.editor().faceplate().release(FaceSwitch::Save);
    }
    editor.g().draw(s.cr, editor.g().bounds());
    for (auto _ : state) {
        editor.loop.advance(IdleTickMs);
        redrawDirty(editor, s);
    }
}

void BM_IdleTickNothingPending(benchmark::State& state) {
    idleTicks(state, false);
}
void BM_IdleTickReadoutBlinking(benchmark::State& state) {
    idleTicks(state, true);
}

// The yardstick for a full redraw: one full-window ARGB picture painted over
// another, the least a window that draws everything itself can do per frame.
void BM_FullWindowPicturePaint(benchmark::State& state) {
    Surface target(1.f);
    Surface picture(1.f);
    cairo_set_source_rgba(picture.cr, 0.2, 0.4, 0.6, 0.8);
    cairo_paint(picture.cr);
    cairo_surface_flush(picture.surface);
    for (auto _ : state) {
        cairo_set_source_surface(target.cr, picture.surface, 0, 0);
        cairo_paint(target.cr);
        cairo_surface_flush(target.surface);
    }
}

// One step of the transfer progress overlay as a sync moves it on every
// preset: the ring and the percentage change, and what they left dirty is
// drawn, the page below the panel with it.
void BM_ProgressOverlayStep(benchmark::State& state) {
    OnlineEditor editor(1.f);
    ui::PagePresenter& view = editor.window->view();
    view.transferStarted(Transfer::BulkRead);
    Surface s(1.f);
    editor.g().draw(s.cr, editor.g().bounds());
    int preset = 0;
    for (auto _ : state) {
        view.transferProgress(Transfer::BulkRead, (preset % NumPresets + 1) / double(NumPresets));
        ++preset;
        redrawDirty(editor, s);
    }
}

}  // namespace

BENCHMARK(BM_FullWindowPicturePaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainPageFullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainPageFullRedrawHalfScale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainPageFullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainPageKnobDragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainPageEditSwitchingPages)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FootswitchPressRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresetListWheelNotch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IdleTickNothingPending)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IdleTickReadoutBlinking)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProgressOverlayStep)->Unit(benchmark::kMicrosecond);
