// Start-up of the desktop editor in-process against a bare GTK window with a
// cairo drawing area: time from creating the window (and, for the editor, the
// host, the simulated pedal and the editor first) to its first drawn frame,
// and the resident memory once that frame is drawn. Needs a display: run it
// under xvfb-run -a -s '-screen 0 1920x1200x24'.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/desktop_window.hpp"
#include "app/editor_stack.hpp"
#include "app/glib_event_loop.hpp"
#include "app/gtk_platform.hpp"

namespace {

constexpr int BareWidth = 960;
constexpr int BareHeight = 600;
constexpr double BytesPerMiB = 1024.0 * 1024.0;

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib * 1024.0 / BytesPerMiB;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0.0;
}

bool displayReady() {
    static const bool ready = gtk_init_check(nullptr, nullptr);
    return ready;
}

// Iterates the main loop until the window's frame clock has painted a frame
// (the same measure for both windows, whoever handles their draw signals).
void runUntilPainted(GtkWidget* window) {
    bool painted = false;
    GdkFrameClock* clock = gdk_window_get_frame_clock(gtk_widget_get_window(window));
    const gulong handler = g_signal_connect(
        clock, "after-paint",
        G_CALLBACK(+[](GdkFrameClock*, gpointer flag) { *static_cast<bool*>(flag) = true; }),
        &painted);
    while (!painted) g_main_context_iteration(nullptr, TRUE);
    g_signal_handler_disconnect(clock, handler);
}

gboolean markDrawn(GtkWidget*, cairo_t* cr, gpointer flag) {
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_paint(cr);
    *static_cast<bool*>(flag) = true;
    return FALSE;
}

void BM_BareGtkWindowFirstFrame(benchmark::State& state) {
    if (!displayReady()) return state.SkipWithError("no display");
    double rss = 0;
    for (auto _ : state) {
        bool drawn = false;
        GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        GtkWidget* area = gtk_drawing_area_new();
        gtk_widget_set_size_request(area, BareWidth, BareHeight);
        g_signal_connect(area, "draw", G_CALLBACK(markDrawn), &drawn);
        gtk_container_add(GTK_CONTAINER(window), area);
        gtk_widget_show_all(window);
        runUntilPainted(window);
        benchmark::DoNotOptimize(drawn);
        state.PauseTiming();
        rss = residentMiB();
        gtk_widget_destroy(window);
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        state.ResumeTiming();
    }
    state.counters["rss_MiB"] = rss;
}

void BM_EditorWindowFirstFrame(benchmark::State& state) {
    if (!displayReady()) return state.SkipWithError("no display");
    char folder[] = "/tmp/vornix-bench-XXXXXX";
    if (!mkdtemp(folder)) return state.SkipWithError("no temporary folder");
    const vornix::storage::DataFolder data{std::filesystem::path(folder)};
    double rss = 0;
    for (auto _ : state) {
        vornix::app::GLibEventLoop loop;
        vornix::app::GtkPlatform platform(loop);
        vornix::app::EditorStack stack(loop, data, platform, {true, false}, {});
        stack.start();
        vornix::app::DesktopWindow window(stack.editor(), loop, platform, {},
                                          stack.host().settingsFile().hasScale());
        runUntilPainted(GTK_WIDGET(window.window()));
        state.PauseTiming();
        rss = residentMiB();
        window.close();
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        state.ResumeTiming();
    }
    state.counters["rss_MiB"] = rss;
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_BareGtkWindowFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_EditorWindowFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);
