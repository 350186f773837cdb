// Redraw cost of a window of 400 mixed controls: the whole window at scale 1
// and 0.5, and the small area a knob drag leaves dirty.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "controls/controls.hpp"
#include "framework/iplug/iparam.hpp"
#include "framework/virtual_event_loop.hpp"

namespace {

using namespace igraphics;

constexpr int kParams = 64;
constexpr int kControls = 400;
constexpr int kColumns = 25;
constexpr float kCell = 72.f;

class BenchDelegate : public iplug::IEditorDelegate {
  public:
    BenchDelegate() : params(kParams) {
        for (auto& p : params) p.initInt("P", 64, 0, 127);
    }
    int nParams() const override { return kParams; }
    iplug::IParam* getParam(int i) override {
        return i >= 0 && i < kParams ? &params[static_cast<std::size_t>(i)] : nullptr;
    }
    void sendParameterValueFromUI(int i, double v) override {
        if (auto* p = getParam(i)) p->setNormalised(v);
    }
    std::vector<iplug::IParam> params;
};

std::vector<std::uint8_t> png(int w, int h) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0.2, 0.3, 0.4);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::vector<std::uint8_t> bytes;
    cairo_surface_write_to_png_stream(
        s,
        [](void* out, const unsigned char* d, unsigned int n) {
            auto* v = static_cast<std::vector<std::uint8_t>*>(out);
            v->insert(v->end(), d, d + n);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(s);
    return bytes;
}

struct Window {
    BenchDelegate delegate;
    vornix::VirtualEventLoop loop;
    IGraphics ui{delegate, loop};
    std::vector<std::uint8_t> background = png(kLogicalWidth, kLogicalHeight);
    std::vector<std::uint8_t> knob = png(60, 60);
    std::vector<std::uint8_t> font;
    IVKnobControl* dragged = nullptr;

    Window() {
        std::ifstream in("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf",
                         std::ios::binary);
        font.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ui.loadFont("Roboto-Regular", font);
        ui.setResourceLookup([this](std::string_view name) -> std::span<const std::uint8_t> {
            if (name == "BG.PNG") return background;
            if (name == "KNOB.PNG") return knob;
            return {};
        });
        ui.attach(std::make_unique<IBitmapControl>(0, 0, ui.bitmapResource("bg.png")));
        const IText text(16, COLOR_WHITE, "Roboto-Regular");
        for (int i = 1; i < kControls; ++i) {
            const float x = static_cast<float>(i % kColumns) * (kCell + 4) + 4;
            const float y = static_cast<float>(i / kColumns) * (kCell + 2) + 4;
            const IRECT r = IRECT::makeXYWH(x, y, kCell, kCell);
            // The dragged knob (i == 1) has its parameter to itself, so no peer redraws.
            const int param = i == 1 ? 0 : 1 + i % (kParams - 1);
            switch (i % 5) {
                case 0:
                    ui.attach(std::make_unique<IBKnobRotaterControl>(
                        r, ui.bitmapResource("knob.png"), param));
                    break;
                case 1:
                    ui.attach(std::make_unique<IVKnobControl>(r, param, "K"));
                    break;
                case 2:
                    ui.attach(std::make_unique<ITextControl>(r, "64 %", text));
                    break;
                case 3:
                    ui.attach(std::make_unique<IVButtonControl>(r.shrunk(10), nullptr, "OK"));
                    break;
                default:
                    ui.attach(std::make_unique<IPanelControl>(r.shrunk(20), COLOR_GRAY));
                    break;
            }
        }
        dragged = static_cast<IVKnobControl*>(ui.getControl(1));
    }
};

void redrawAll(benchmark::State& state, float scale) {
    Window w;
    w.ui.setDrawScale(kLogicalWidth, kLogicalHeight, scale);
    cairo_surface_t* s =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(kLogicalWidth * scale),
                                   static_cast<int>(kLogicalHeight * scale));
    cairo_t* cr = cairo_create(s);
    for (auto _ : state) {
        w.ui.draw(cr, w.ui.bounds());
        cairo_surface_flush(s);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

void BM_FullRedraw(benchmark::State& state) {
    redrawAll(state, 1.f);
}
void BM_FullRedrawHalfScale(benchmark::State& state) {
    redrawAll(state, 0.5f);
}

void BM_KnobDragRedraw(benchmark::State& state) {
    Window w;
    cairo_surface_t* s =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kLogicalWidth, kLogicalHeight);
    cairo_t* cr = cairo_create(s);
    w.ui.draw(cr, w.ui.bounds());
    const IRECT b = w.dragged->bounds();
    w.ui.onMouseDown(b.MW(), b.MH(), {});
    // Far enough to change the value every time, up and down in turn.
    float dy = -30.f;
    for (auto _ : state) {
        w.ui.onMouseDrag(b.MW(), b.MH(), 0.f, dy, {});
        dy = -dy;
        IRECT dirty;
        if (w.ui.isDirty(dirty)) w.ui.draw(cr, dirty);
        cairo_surface_flush(s);
    }
    w.ui.onMouseUp(b.MW(), b.MH(), {});
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

}  // namespace

BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRedrawHalfScale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KnobDragRedraw)->Unit(benchmark::kMicrosecond);
