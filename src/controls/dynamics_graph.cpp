#include "controls/dynamics_graph.hpp"

#include <cmath>

#include "controls/freq_response_math.hpp"

namespace igraphics {

namespace {

constexpr IColor kGridColor{255, 120, 120, 120};
constexpr float kGridLabelSize = 20.f;
constexpr float kGridDash = 2.f;
constexpr float kGridThickness = 1.f;
// Vertical lines start below their labels, which sit in this band at the top.
constexpr float kLabelBand = 20.f;
constexpr float kLabelHalfWidth = 20.f;
// Horizontal lines stop short of the right edge, where their labels stand.
constexpr float kLevelLabelWidth = 40.f;
constexpr float kLevelLabelHalfHeight = 10.f;
constexpr float kCurveThickness = 3.f;
// A knee is a ring with a dot in it.
constexpr float kKneeRingRadius = 20.f;
constexpr float kKneeRingThickness = 6.f;
constexpr float kKneeDotRadius = 4.f;
constexpr float kKneeDotThickness = 4.f;

}  // namespace

IDynamicsResponseGraph::IDynamicsResponseGraph(const IRECT& bounds, IColor color)
    : IControl(bounds), color_(color) {}

void IDynamicsResponseGraph::setGateThreshold(double dB) {
    knees_.setGateThreshold(dB);
    changed();
}

void IDynamicsResponseGraph::setCompThreshold(double dB) {
    knees_.setCompThreshold(dB);
    changed();
}

void IDynamicsResponseGraph::setGateRatio(double slope) {
    gateSlope_ = slope;
    changed();
}

void IDynamicsResponseGraph::setCompRatio(double ratio) {
    compRatio_ = ratio;
    changed();
}

void IDynamicsResponseGraph::changed() {
    layer_.invalidate();
    markDirty();
}

dynamics::Curve IDynamicsResponseGraph::curve() const {
    return dynamics::transferCurve(bounds(), knees_, gateSlope_, compRatio_);
}

void IDynamicsResponseGraph::draw(Painter& p) {
    // The knee rings reach past the edges when a knee sits in a corner; what
    // lies outside would stay behind when the graph alone is redrawn.
    p.pushClip(bounds());
    layer_.paint(p, bounds(), [this](Painter& q) { drawGraph(q); });
    p.popClip();
}

void IDynamicsResponseGraph::drawGraph(Painter& p) {
    drawGrid(p);
    const dynamics::Curve c = curve();
    for (const dynamics::Segment& s : {c.gate, c.unity, c.compress})
        p.drawLine(color_, s.from.x, s.from.y, s.to.x, s.to.y, kCurveThickness);
    for (const dynamics::Point& knee : {c.unity.from, c.unity.to}) {
        // Drawn as rings centred on the given radius; drawEllipse insets its
        // stroke, so the box grows by half the thickness.
        const auto ring = [&](float radius, float thickness) {
            const float outer = radius + thickness / 2;
            p.drawEllipse(color_,
                          IRECT(knee.x - outer, knee.y - outer, knee.x + outer, knee.y + outer),
                          thickness);
        };
        ring(kKneeRingRadius, kKneeRingThickness);
        ring(kKneeDotRadius, kKneeDotThickness);
    }
}

void IDynamicsResponseGraph::drawGrid(Painter& p) {
    const IRECT& r = bounds();
    const float w = std::floor(r.W());
    const float h = std::floor(r.H());
    const IText label(kGridLabelSize, kGridColor);
    // A level label is wider than its 40-pixel box; centred it would spill
    // past the right edge, where nothing erases it when the graph is hidden.
    const IText levelLabel = label.withAlign(EAlign::Far);
    for (const double level : kDynamicsGraphGridLevels) {
        const auto fromEdge = static_cast<float>(std::fabs(level) / dynamics::kFloorDb);
        const std::string text = freqresponse::gridLevelLabel(level);
        const float y = r.T + h * fromEdge;
        p.drawDottedLine(kGridColor, r.L, y, r.L + w - kLevelLabelWidth, y, kGridDash,
                         kGridThickness);
        p.drawText(levelLabel, text,
                   IRECT(r.L + w - kLevelLabelWidth, y - kLevelLabelHalfHeight, r.L + w,
                         y + kLevelLabelHalfHeight));
        const float x = r.L + w - w * fromEdge;
        p.drawDottedLine(kGridColor, x, r.T + kLabelBand, x, r.T + h - 1, kGridDash,
                         kGridThickness);
        p.drawText(label, text,
                   IRECT(x - kLabelHalfWidth, r.T, x + kLabelHalfWidth, r.T + kLabelBand));
    }
}

}  // namespace igraphics
