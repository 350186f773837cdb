// Building, values, resources and drawing of the context; the mouse, keys,
// platform services and animations are in igraphics_input.cpp.
#include "controls/igraphics.hpp"

#include <cairo.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "framework/iplug/iparam.hpp"

namespace igraphics {

namespace {

constexpr double kDisabledOpacity = 0.25;

}  // namespace

IGraphics::IGraphics(iplug::IEditorDelegate& delegate, vornix::EventLoop& loop, int width,
                     int height)
    : delegate_(delegate),
      loop_(loop),
      width_(static_cast<float>(width)),
      height_(static_cast<float>(height)) {}

IGraphics::~IGraphics() {
    removeAllControls();
    if (frameTimer_) loop_.cancel(*frameTimer_);
    if (idleTimer_) loop_.cancel(*idleTimer_);
}

// ---------------------------------------------------------------- building

IControl& IGraphics::attach(std::unique_ptr<IControl> control, ControlTag tag,
                            std::string_view group) {
    if (!control) throw std::invalid_argument("a null control cannot be attached");
    if (tag.namesAControl() && tags_.count(tag.value()))
        throw std::invalid_argument("control tag " + std::to_string(tag.value()) +
                                    " is attached twice");
    IControl* c = control.get();
    c->ui_ = this;
    c->tag_ = tag;
    c->group_ = std::string(group);
    controls_.push_back(std::move(control));
    if (tag.namesAControl()) tags_[tag.value()] = c;
    // A control built while the plug-in already holds values starts from them.
    for (int i = 0; i < c->nVals(); ++i)
        if (const iplug::IParam* p = c->param(i)) c->setValue(p->normalised(), i);
    c->onAttached();
    c->markDirty();
    return *c;
}

IControl* IGraphics::getControl(int index) const {
    if (index < 0 || index >= nControls()) return nullptr;
    return controls_[static_cast<std::size_t>(index)].get();
}

IControl* IGraphics::controlWithTag(ControlTag tag) const {
    auto it = tags_.find(tag.value());
    return it == tags_.end() ? nullptr : it->second;
}

void IGraphics::removeAllControls() {
    // Completions of an open menu may refer to controls: end them first.
    menu_.dismiss();
    textEntry_.cancel();
    captured_ = nullptr;
    mouseOver_ = nullptr;
    resizing_ = false;
    controls_.clear();
    tags_.clear();
    animating_.clear();
    if (frameTimer_) loop_.cancel(*frameTimer_);
    frameTimer_.reset();
    backgroundDirty_ = true;
}

void IGraphics::forAllControls(const ControlFn& fn) {
    for (std::size_t i = 0; i < controls_.size(); ++i) fn(*controls_[i]);
}

void IGraphics::forGroup(std::string_view group, const ControlFn& fn) {
    if (group.empty()) return;
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->group() == group) fn(*controls_[i]);
}

void IGraphics::forParam(int paramIdx, const ControlFn& fn) {
    if (paramIdx < 0) return;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        IControl& c = *controls_[i];
        for (int v = 0; v < c.nVals(); ++v) {
            if (c.paramIdx(v) == paramIdx) {
                fn(c);
                break;
            }
        }
    }
}

void IGraphics::disableForParam(int paramIdx, bool disabled) {
    forParam(paramIdx, [disabled](IControl& c) { c.disable(disabled); });
}

void IGraphics::hideGroup(std::string_view g) {
    forGroup(g, [](IControl& c) { c.hide(true); });
}
void IGraphics::showGroup(std::string_view g) {
    forGroup(g, [](IControl& c) { c.hide(false); });
}
void IGraphics::disableGroup(std::string_view g) {
    forGroup(g, [](IControl& c) { c.disable(true); });
}
void IGraphics::enableGroup(std::string_view g) {
    forGroup(g, [](IControl& c) { c.disable(false); });
}

bool IGraphics::setTextOf(ControlTag tag, std::string_view text) {
    IControl* c = controlWithTag(tag);
    if (c) c->setText(text);
    return c != nullptr;
}

bool IGraphics::setColorOf(ControlTag tag, IColor color) {
    IControl* c = controlWithTag(tag);
    if (c) c->setColor(color);
    return c != nullptr;
}

bool IGraphics::setValueOf(ControlTag tag, double normalised) {
    IControl* c = controlWithTag(tag);
    if (c) c->setValueFromEditor(normalised);
    return c != nullptr;
}

// ---------------------------------------------------------------- values

void IGraphics::onUserEdit(IControl& control, int valIdx) {
    for (int i = 0; i < control.nVals(); ++i) {
        if (valIdx != kNoValIdx && i != valIdx) continue;
        const int idx = control.paramIdx(i);
        if (idx < 0) continue;
        delegate_.sendParameterValueFromUI(idx, control.getValue(i));
        // The peers show what the plug-in stored (rounded and clamped), not the raw gesture.
        const iplug::IParam* p = control.param(i);
        const double shown = p ? p->normalised() : control.getValue(i);
        forParam(idx, [&](IControl& peer) {
            if (&peer == &control) return;
            for (int v = 0; v < peer.nVals(); ++v)
                if (peer.paramIdx(v) == idx) peer.setValueFromEditor(shown, v);
        });
    }
    // A copy: the action may replace itself.
    if (IActionFunction action = control.action()) action(&control);
}

void IGraphics::sendParameterValueFromDelegate(int paramIdx, double normalised) {
    forParam(paramIdx, [&](IControl& c) {
        for (int v = 0; v < c.nVals(); ++v)
            if (c.paramIdx(v) == paramIdx) c.setValueFromEditor(normalised, v);
    });
}

void IGraphics::onTimer20ms() {
    delegate_.drainQueuedValues([this](int index, double normalised) {
        sendParameterValueFromDelegate(index, normalised);
    });
}

void IGraphics::startIdleTimer(std::function<void()> idle) {
    if (idleTimer_) loop_.cancel(*idleTimer_);
    idleTimer_ = loop_.every(kIdleTimerMs, [this, idle = std::move(idle)] {
        onTimer20ms();
        if (idle) idle();
    });
}

// ---------------------------------------------------------------- resources and scale

IBitmap IGraphics::bitmapResource(std::string_view name, int frames, bool framesHorizontal) {
    constexpr double kDoubleScale = 2.0;
    return resources_.bitmap(name, frames, framesHorizontal, pixelScale() >= kDoubleScale);
}

ISVG IGraphics::svgResource(std::string_view name, std::string_view /*units*/, float /*dpi*/) {
    return resources_.svg(name);
}

bool IGraphics::loadFont(const std::string& id, std::span<const std::uint8_t> bytes) {
    const bool ok = fonts_.load(id, bytes);
    if (ok) {
        // Kept pictures hold text in the font the id used to name.
        for (const auto& c : controls_) c->drawCache_.invalidate();
        setAllDirty();
    }
    return ok;
}

bool IGraphics::fontResource(const std::string& id, std::string_view fileName) {
    return loadFont(id, resources_.find(fileName));
}

void IGraphics::setDrawScale(float width, float height, float scale) {
    if (!(scale > 0.f) || !std::isfinite(scale)) return;
    const bool changed = scale != drawScale_;
    width_ = width;
    height_ = height;
    drawScale_ = scale;
    if (changed) forAllControls([](IControl& c) { c.onRescale(); });
    setAllDirty();
    if (platform_)
        platform_->resizeWindow(static_cast<int>(std::lround(width * scale)),
                                static_cast<int>(std::lround(height * scale)), scale);
}

void IGraphics::setScreenScale(double scale) {
    if (!(scale > 0.0) || scale == screenScale_) return;
    screenScale_ = scale;
    forAllControls([](IControl& c) { c.onRescale(); });
    setAllDirty();
}

// ---------------------------------------------------------------- drawing

void IGraphics::setBackgroundColor(IColor color) {
    background_ = color;
    backgroundDirty_ = true;
}

void IGraphics::attachCornerResizer(float size) {
    resizer_.enable(size);
    markAreaDirty(resizer_.bounds(bounds()));
}

// Only what lies in the window: a draw of the window clears the mark.
void IGraphics::markAreaDirty(const IRECT& area) {
    pendingDirty_ = pendingDirty_.united(area.intersection(bounds()));
}

void IGraphics::setAllDirty() {
    backgroundDirty_ = true;
}

bool IGraphics::isDirty(IRECT& rect) {
    IRECT area;
    for (const IRECT& r : dirtyAreas()) area = area.united(r);
    if (area.empty()) return false;
    rect = area;
    return true;
}

std::vector<IRECT> IGraphics::dirtyAreas() {
    IRECT layer;
    if (menu_.takeDirty(layer)) markAreaDirty(layer);
    if (textEntry_.takeDirty(layer)) markAreaDirty(layer);
    if (backgroundDirty_) return {bounds()};
    std::vector<IRECT> areas;
    const auto add = [&](IRECT r) {
        r = r.intersection(bounds());
        if (r.empty()) return;
        // Whatever the new area touches is merged into it, until nothing does.
        for (auto it = areas.begin(); it != areas.end();) {
            if (it->intersects(r)) {
                r = r.united(*it);
                areas.erase(it);
                it = areas.begin();
            } else {
                ++it;
            }
        }
        areas.push_back(r);
    };
    add(pendingDirty_);
    for (const auto& c : controls_)
        if (c->isDirty()) add(c->bounds());
    return areas;
}

void IGraphics::draw(cairo_t* cr, const IRECT& dirty) {
    const IRECT area = dirty.intersection(bounds());
    if (area.empty()) return;
    const double s = pixelScale();
    // Clip on whole device pixels so edges of neighbouring redraws meet exactly.
    const double x0 = std::floor(area.L * s), y0 = std::floor(area.T * s);
    const double w = std::ceil(area.R * s) - x0, h = std::ceil(area.B * s) - y0;
    bool fresh = false;
    if (frame_.fit(cr, width_ * s, height_ * s, fresh)) {
        if (fresh) frameStale_ = true;
        // Whatever did not change in the area is in the frame already.
        const std::vector<IRECT> parts =
            frameStale_ || backgroundDirty_ ? std::vector<IRECT>{area} : dirtyAreas();
        cairo_t* fc = frame_.context();
        for (const IRECT& part : parts) {
            const IRECT r = part.intersection(area);
            if (r.empty()) continue;
            cairo_save(fc);
            frame_.clipToPixels(r.L * s, r.T * s, r.W() * s, r.H() * s);
            paintArea(fc, r, frame_.targetFontOptions());
            cairo_restore(fc);
        }
        cairo_surface_flush(cairo_get_target(fc));
        frame_.copyTo(cr, x0, y0, w, h);
    } else {
        cairo_save(cr);
        cairo_rectangle(cr, x0, y0, w, h);
        cairo_clip(cr);
        paintArea(cr, area, nullptr);
        cairo_restore(cr);
    }

    const bool whole = area == bounds();
    for (const auto& c : controls_) {
        if (!c->isDirty()) continue;
        const IRECT visible = c->bounds().intersection(bounds());
        if (whole || visible.empty() || area.united(visible) == area) c->clearDirty();
    }
    if (whole) {
        backgroundDirty_ = false;
        frameStale_ = false;
    }
    if (area.united(pendingDirty_) == area) pendingDirty_ = IRECT{};
}

// Draws the background, the controls and the layers above them on cr, which
// is clipped to the area.
void IGraphics::paintArea(cairo_t* cr, const IRECT& area,
                          const cairo_font_options_t* surfaceOptions) {
    const double s = pixelScale();
    cairo_scale(cr, s, s);
    cairo_font_options_t* options = cairo_font_options_create();
    // Text on the frame must come out as it would on the target surface.
    if (surfaceOptions) cairo_font_options_merge(options, surfaceOptions);
    // Hinted advances are whole device pixels, which spreads digits apart at small scales.
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    // Hinted outlines are snapped per glyph, which opens gaps inside words at
    // the default draw scale of 0.5 ("RECO NNECT").
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);

    Painter p(cr, fonts_, s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, background_.R / 255.0, background_.G / 255.0, background_.B / 255.0,
                          background_.A / 255.0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);

    for (const auto& c : controls_) {
        if (c->isHidden() || !c->bounds().intersects(area)) continue;
        // Animations change every frame without a value change: always drawn.
        const bool cacheable = c->cachesDrawing() && !c->isAnimating();
        if (!c->isDisabled()) {
            if (!cacheable || !c->drawCache_.paint(cr, p, *c, 1.0)) c->drawTree(p);
            continue;
        }
        const IRECT r = c->bounds();
        cairo_save(cr);
        cairo_rectangle(cr, r.L, r.T, r.W(), r.H());
        cairo_clip(cr);
        if (!cacheable || !c->drawCache_.paint(cr, p, *c, kDisabledOpacity)) {
            // A group only as large as the control keeps greying cheap.
            cairo_push_group(cr);
            c->drawTree(p);
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, kDisabledOpacity);
        }
        cairo_restore(cr);
    }
    textEntry_.draw(p);
    menu_.draw(p);
    if (resizer_.bounds(bounds()).intersects(area)) resizer_.draw(p, bounds());
}

}  // namespace igraphics
