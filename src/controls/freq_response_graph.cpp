#include "controls/freq_response_graph.hpp"

#include <cairo.h>

#include <algorithm>
#include <string_view>

namespace igraphics {

namespace {

using freqresponse::Axes;

constexpr IColor kGridColor{255, 120, 120, 120};
constexpr float kGridLabelSize = 18.f;
constexpr float kGridDash = 2.f;
constexpr float kGridThickness = 1.f;
// The 0 dB line stands out from the other levels.
constexpr float kUnityGridThickness = 2.f;
constexpr double kUnityLevel = 0.0;
// Frequency lines start below their labels, which sit in this band at the top.
constexpr float kLabelBand = 20.f;
constexpr float kLabelHalfWidth = 20.f;
// Level lines stop short of the right edge, where their labels stand.
constexpr float kLevelLabelWidth = 40.f;
constexpr float kLevelLabelHalfHeight = 10.f;
constexpr double kCurveThickness = 3.0;

// Only some frequency lines are labelled; the others would crowd the top.
constexpr std::array<std::string_view, kFreqGraphGridFrequencies.size()> kFrequencyLabels = {
    "", "", "50Hz", "100Hz", "", "", "", "500Hz", "1kHz", "", "", "", "5kHz", "10kHz"};

// The readout box: 10 pixels off the pointer, 90 wide, two text rows.
constexpr float kReadoutGap = 10.f;
constexpr float kReadoutWidth = 90.f;
constexpr float kReadoutHeight = 28.f;
constexpr float kReadoutRowHeight = 18.f;
constexpr float kReadoutSecondRowHeight = 38.f;
constexpr float kReadoutInset = 2.f;
// Closer than this to the right edge, the readout goes left of the pointer.
constexpr float kReadoutFlipMargin = 100.f;

constexpr Axes kConstructionAxes{20.0, 20480.0, 80.0, 30.0};

}  // namespace

IFreqResponseGraph::IFreqResponseGraph(const IRECT& bounds, IColor color, const IText& textStyle)
    : IControl(bounds), color_(color), textStyle_(textStyle) {
    setSize(kFreqGraphDefaultSize);
    setRange(kConstructionAxes.fmin, kConstructionAxes.fmax, kConstructionAxes.range,
             kConstructionAxes.offset);
}

int IFreqResponseGraph::width() const {
    return std::max(0, static_cast<int>(bounds().W()));
}

int IFreqResponseGraph::height() const {
    return std::max(0, static_cast<int>(bounds().H()));
}

// ---------------------------------------------------------------- setters

void IFreqResponseGraph::setRange(double fmin, double fmax, double range, double offset) {
    axes_ = Axes{fmin, fmax, range, offset};
    for (std::size_t i = 0; i < gridX_.size(); ++i)
        gridX_[i] = axes_.frequencyToFraction(kFreqGraphGridFrequencies[i]);
    for (std::size_t i = 0; i < gridY_.size(); ++i)
        gridY_[i] = axes_.levelToFraction(kFreqGraphGridLevels[i]);
    layer_.invalidate();
    markDirty();
}

void IFreqResponseGraph::setHold(bool hold) {
    hold_ = hold;
}

void IFreqResponseGraph::setSampleRate(double rate) {
    if (rate > 0.0) sampleRate_ = rate;
}

void IFreqResponseGraph::setSize(int n) {
    n_ = std::max(n, 2);
    spectrum_.resize(n_);
    // Both buffers hold N values of which the first N/2 are used; the rest
    // stay zero, as a newly built control's do.
    magnitude_.assign(static_cast<std::size_t>(n_), 0.0);
    logMagnitude_.assign(static_cast<std::size_t>(n_), 0.0);
    onResize();
}

void IFreqResponseGraph::onResize() {
    curve_.assign(static_cast<std::size_t>(width()), 0.0);
    analysis_.assign(curve_.size(), 0.0);
    hasCurve_ = false;
    layer_.invalidate();
    markDirty();
}

void IFreqResponseGraph::setData(std::span<const double> samples) {
    const auto half = static_cast<std::size_t>(n_ / 2);
    spectrum_.compute(samples, std::span(magnitude_).first(half));
    freqresponse::resampleToLogScale(magnitude_, n_, sampleRate_, axes_, logMagnitude_);
    freqresponse::resampleToColumns(logMagnitude_, n_, width(), height(), axes_, analysis_);
    if (hold_ || !hasCurve_) {
        curve_ = analysis_;
    } else {
        // Fewer pixels below the top is louder.
        for (std::size_t c = 0; c < curve_.size(); ++c)
            curve_[c] = std::min(curve_[c], analysis_[c]);
    }
    hasCurve_ = true;
    layer_.invalidate();
    markDirty();
}

// ---------------------------------------------------------------- mouse

void IFreqResponseGraph::onMouseOver(float x, float y, const IMouseMod&) {
    pointerX_ = x;
    pointerY_ = y;
    pointerInside_ = true;
    markDirty();
}

void IFreqResponseGraph::onMouseOut() {
    pointerInside_ = false;
    markDirty();
}

IRECT IFreqResponseGraph::readoutBox(float x, float y) const {
    const float left = x - bounds().L < static_cast<float>(width()) - kReadoutFlipMargin
                           ? x + kReadoutGap
                           : x - kReadoutWidth;
    return IRECT(left, y + kReadoutGap, left + kReadoutWidth, y + kReadoutGap + kReadoutHeight);
}

// ---------------------------------------------------------------- drawing

void IFreqResponseGraph::draw(Painter& p) {
    // The readout and the curve's thick ends may reach past the edges; what
    // lies outside would stay behind when the graph alone is redrawn.
    p.pushClip(bounds());
    layer_.paint(p, bounds(), [this](Painter& q) {
        drawGrid(q);
        drawCurve(q);
    });
    if (pointerInside_) drawReadout(p);
    p.popClip();
}

void IFreqResponseGraph::drawGrid(Painter& p) {
    const IRECT& r = bounds();
    const auto w = static_cast<float>(width());
    const auto h = static_cast<float>(height());
    const IText label = textStyle_.withSize(kGridLabelSize).withColor(kGridColor);
    // A level label is wider than its 40-pixel box; centred it would spill
    // past the right edge, where nothing erases it when the graph is hidden.
    const IText levelLabel = label.withAlign(EAlign::Far);
    for (std::size_t i = 0; i < gridX_.size(); ++i) {
        const float x = r.L + w * static_cast<float>(gridX_[i]);
        p.drawDottedLine(kGridColor, x, r.T + kLabelBand, x, r.T + h - 1, kGridDash,
                         kGridThickness);
        if (!kFrequencyLabels[i].empty())
            p.drawText(label, kFrequencyLabels[i],
                       IRECT(x - kLabelHalfWidth, r.T, x + kLabelHalfWidth, r.T + kLabelBand));
    }
    for (std::size_t i = 0; i < gridY_.size(); ++i) {
        const float y = r.T + h * static_cast<float>(gridY_[i]);
        const double level = kFreqGraphGridLevels[i];
        p.drawDottedLine(kGridColor, r.L, y, r.L + w - kLevelLabelWidth, y, kGridDash,
                         level == kUnityLevel ? kUnityGridThickness : kGridThickness);
        p.drawText(levelLabel, freqresponse::gridLevelLabel(level),
                   IRECT(r.L + w - kLevelLabelWidth, y - kLevelLabelHalfHeight, r.L + w,
                         y + kLevelLabelHalfHeight));
    }
}

void IFreqResponseGraph::drawCurve(Painter& p) {
    const IRECT& r = bounds();
    const auto h = static_cast<double>(height());
    const auto inside = [h](double y) { return y > 0.0 && y < h; };
    cairo_t* cr = p.cr();
    cairo_save(cr);
    cairo_set_source_rgba(cr, color_.R / 255.0, color_.G / 255.0, color_.B / 255.0,
                          color_.A / 255.0);
    cairo_set_line_width(cr, kCurveThickness);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Columns at a clamp limit start no segment, so the curve breaks where it
    // leaves the range; one path for all runs costs a single stroke.
    bool drawing = false;
    for (std::size_t c = 0; c + 1 < curve_.size(); ++c) {
        if (!inside(curve_[c])) {
            drawing = false;
            continue;
        }
        if (!drawing) cairo_move_to(cr, r.L + static_cast<double>(c), r.T + curve_[c]);
        cairo_line_to(cr, r.L + static_cast<double>(c) + 1, r.T + curve_[c + 1]);
        drawing = true;
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

std::pair<std::string, std::string> IFreqResponseGraph::readoutAt(float x, float y) const {
    const IRECT& r = bounds();
    const double across = (x - r.L) / static_cast<double>(std::max(width(), 1));
    const double down = (y - r.T) / static_cast<double>(std::max(height(), 1));
    return {freqresponse::frequencyReadout(axes_.fractionToFrequency(across)),
            freqresponse::levelReadout(axes_.fractionToLevel(down))};
}

void IFreqResponseGraph::drawReadout(Painter& p) {
    const IRECT box = readoutBox(pointerX_, pointerY_);
    const auto [frequency, level] = readoutAt(pointerX_, pointerY_);
    p.fillRect(color_, box);
    // "Freq: 15.029 kHz" is wider than the box at the style's size, and the
    // part outside would vanish against the panel: both lines shrink alike.
    const float widest =
        std::max(p.measureText(textStyle_, frequency).W(), p.measureText(textStyle_, level).W());
    IText style = textStyle_;
    if (widest > box.W() - kReadoutInset * 2)
        style = style.withSize(style.size * (box.W() - kReadoutInset * 2) / widest);
    p.drawText(style, frequency, IRECT(box.L, box.T, box.R, box.T + kReadoutRowHeight));
    p.drawText(style, level, IRECT(box.L, box.T, box.R, box.T + kReadoutSecondRowHeight));
}

}  // namespace igraphics
