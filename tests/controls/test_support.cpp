#include "test_support.hpp"

#include <cmath>

namespace igraphics::testing {

TestDelegate::TestDelegate() : params(kNumTestParams) {
    params[kGain].initDouble("Gain", 5.0, 0.0, 10.0, "dB");
    params[kSteps].initInt("Steps", 2, 0, 4);
    params[kMidi].initInt("Channel", 64, 0, 127);
    params[kChoice].initEnum("Type", 1, {"Room", "Hall", "Spring"});
    params[kSelect].initDouble("Select", 0.0, 0.0, 1.0);
}

iplug::IParam* TestDelegate::getParam(int index) {
    if (index < 0 || index >= nParams()) return nullptr;
    return &params[static_cast<std::size_t>(index)];
}

void TestDelegate::sendParameterValueFromUI(int index, double normalised) {
    iplug::IParam* p = getParam(index);
    if (!p) return;
    p->setNormalised(normalised);
    changes.push_back({index, p->value()});
}

void click(IGraphics& ui, float x, float y, IMouseMod mod) {
    ui.onMouseDown(x, y, mod);
    ui.onMouseUp(x, y, mod);
}

void dragVertically(IGraphics& ui, float x, float y, float dY, IMouseMod mod) {
    ui.onMouseDown(x, y, mod);
    const float step = dY < 0 ? -1.f : 1.f;
    for (float moved = 0; std::abs(moved) < std::abs(dY); moved += step)
        ui.onMouseDrag(x, y + moved + step, 0.f, step, mod);
    ui.onMouseUp(x, y + dY, mod);
}

namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<std::uint8_t> makePng(int w, int h, IColor fill) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, fill.R / 255.0, fill.G / 255.0, fill.B / 255.0, fill.A / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::vector<std::uint8_t> bytes;
    cairo_surface_write_to_png_stream(s, appendBytes, &bytes);
    cairo_surface_destroy(s);
    return bytes;
}

IColor pixelAt(IGraphics& ui, int x, int y, double scale) {
    const int w = static_cast<int>(std::lround(ui.width() * scale));
    const int h = static_cast<int>(std::lround(ui.height() * scale));
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    // Every control is painted again (from its kept picture where it has one),
    // not only copied from the window's kept frame.
    ui.setAllDirty();
    ui.draw(cr, ui.bounds());
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int px = static_cast<int>(x * scale), py = static_cast<int>(y * scale);
    std::uint32_t v = *reinterpret_cast<const std::uint32_t*>(
        data + static_cast<std::ptrdiff_t>(py) * cairo_image_surface_get_stride(s) + px * 4);
    cairo_surface_destroy(s);
    return IColor(static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF),
                  static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
}

Picture::Picture(IGraphics& ui, const IRECT& area, double scale) : area_(area), scale_(scale) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                          static_cast<int>(std::lround(area.W() * scale)),
                                          static_cast<int>(std::lround(area.H() * scale)));
    cairo_t* cr = cairo_create(surface_);
    cairo_translate(cr, -area.L * scale, -area.T * scale);
    ui.setDrawScale(ui.width(), ui.height(), static_cast<float>(scale));
    ui.setAllDirty();
    ui.draw(cr, area);
    cairo_destroy(cr);
    cairo_surface_flush(surface_);
}

Picture::~Picture() {
    cairo_surface_destroy(surface_);
}

IColor Picture::at(float x, float y) const {
    const int px = static_cast<int>((x - area_.L) * scale_);
    const int py = static_cast<int>((y - area_.T) * scale_);
    if (px < 0 || py < 0 || px >= cairo_image_surface_get_width(surface_) ||
        py >= cairo_image_surface_get_height(surface_))
        return COLOR_TRANSPARENT;
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    std::uint32_t v = *reinterpret_cast<const std::uint32_t*>(
        data + static_cast<std::ptrdiff_t>(py) * cairo_image_surface_get_stride(surface_) + px * 4);
    return IColor(static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF),
                  static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
}

bool Picture::writePng(const std::string& path) const {
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace igraphics::testing
