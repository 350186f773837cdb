// The two response graphs: analysing a 4,096-sample impulse response, and
// drawing each graph at its place on the main page at scale 1 and 0.5.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <vector>

#include "controls/dynamics_graph.hpp"
#include "controls/freq_response_graph.hpp"
#include "controls/igraphics.hpp"
#include "framework/virtual_event_loop.hpp"

namespace {

using namespace igraphics;

constexpr IRECT kFreqGraph(1200, 685, 1872, 1135);
constexpr IRECT kDynamicsGraph(1200, 700, 1865, 1130);
constexpr IColor kGraphColor{255, 100, 255, 255};
constexpr int kSamples = 4096;
constexpr int kIrLength = 1200;

class NoParams : public iplug::IEditorDelegate {
  public:
    int nParams() const override { return 0; }
    iplug::IParam* getParam(int) override { return nullptr; }
    void sendParameterValueFromUI(int, double) override {}
};

// Decaying resonances over an impulse: a response with detail at every scale.
std::vector<double> impulseResponse() {
    std::vector<double> x(kSamples, 0.0);
    for (int t = 0; t < kIrLength; ++t)
        for (const double hz : {110.0, 900.0, 2600.0, 5200.0})
            x[static_cast<std::size_t>(t)] +=
                0.04 * std::pow(0.99, t) * std::sin(2 * std::numbers::pi * hz * t / 44100);
    x[0] += 0.3;
    return x;
}

struct GraphWindow {
    NoParams delegate;
    vornix::VirtualEventLoop loop;
    IGraphics ui{delegate, loop};
    std::vector<std::uint8_t> font;
    IFreqResponseGraph* freq;
    IDynamicsResponseGraph* dynamics;

    GraphWindow() {
        std::ifstream in("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf",
                         std::ios::binary);
        font.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ui.loadFont("Roboto-Regular", font);
        ui.setDefaultFont("Roboto-Regular");
        freq = &ui.attach(std::make_unique<IFreqResponseGraph>(
            kFreqGraph, kGraphColor, IText(14, COLOR_BLACK, "Roboto-Regular")));
        freq->setRange(20, 20480, 100, 30);
        freq->setHold(true);
        freq->setData(impulseResponse());
        dynamics =
            &ui.attach(std::make_unique<IDynamicsResponseGraph>(kDynamicsGraph, kGraphColor));
        dynamics->setGateThreshold(-60);
        dynamics->setGateRatio(0.25);
        dynamics->setCompThreshold(-24);
        dynamics->setCompRatio(8);
    }
};

void BM_FreqGraphSetData(benchmark::State& state) {
    GraphWindow w;
    const auto ir = impulseResponse();
    for (auto _ : state) {
        w.freq->setData(ir);
        benchmark::DoNotOptimize(w.freq->curve().data());
    }
}

enum class Change { Content, Pointer, None };

// Draws one graph's area of the window at the given scale, the other graph
// hidden, after a change of what it shows (a new curve: the grid and curve
// are drawn anew), after a pointer move (the kept grid and curve are copied,
// the readout drawn) or after nothing (a full window repaint).
void drawGraph(benchmark::State& state, bool frequencyGraph, Change change) {
    GraphWindow w;
    const float scale = static_cast<float>(state.range(0)) / 100.f;
    IControl* graph = frequencyGraph ? static_cast<IControl*>(w.freq) : w.dynamics;
    (frequencyGraph ? static_cast<IControl*>(w.dynamics) : w.freq)->hide(true);
    // The pointer's readout is part of what the frequency graph draws.
    if (frequencyGraph) w.ui.onMouseOver(kFreqGraph.L + 336, kFreqGraph.T + 200, {});
    w.ui.setDrawScale(kLogicalWidth, kLogicalHeight, scale);
    const IRECT area = graph->bounds();
    cairo_surface_t* s =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(area.W() * scale),
                                   static_cast<int>(area.H() * scale));
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, -area.L * scale, -area.T * scale);
    w.ui.draw(cr, area);
    float pointerY = 200;
    for (auto _ : state) {
        switch (change) {
            case Change::Content:
                // Cheap setters that change what is kept, without the analysis.
                if (frequencyGraph) {
                    w.freq->setRange(20, 20480, 100, 30);
                } else {
                    w.dynamics->setCompRatio(8);
                }
                break;
            case Change::Pointer:
                pointerY = 400 - pointerY;
                w.ui.onMouseOver(area.L + 336, area.T + pointerY, {});
                break;
            case Change::None:
                w.ui.setAllDirty();
                break;
        }
        w.ui.draw(cr, area);
        cairo_surface_flush(s);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

void BM_FreqGraphDrawNewCurve(benchmark::State& state) {
    drawGraph(state, true, Change::Content);
}
void BM_FreqGraphDrawPointerMove(benchmark::State& state) {
    drawGraph(state, true, Change::Pointer);
}
void BM_FreqGraphRepaintUnchanged(benchmark::State& state) {
    drawGraph(state, true, Change::None);
}
void BM_DynamicsGraphDrawNewCurve(benchmark::State& state) {
    drawGraph(state, false, Change::Content);
}
void BM_DynamicsGraphRepaintUnchanged(benchmark::State& state) {
    drawGraph(state, false, Change::None);
}

}  // namespace

BENCHMARK(BM_FreqGraphSetData)->Unit(benchmark::kMicrosecond);
// The argument is the draw scale in percent.
BENCHMARK(BM_FreqGraphDrawNewCurve)->Arg(100)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreqGraphDrawPointerMove)->Arg(100)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreqGraphRepaintUnchanged)->Arg(100)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynamicsGraphDrawNewCurve)->Arg(100)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DynamicsGraphRepaintUnchanged)->Arg(100)->Arg(50)->Unit(benchmark::kMicrosecond);
