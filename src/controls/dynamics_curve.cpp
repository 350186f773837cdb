#include "controls/dynamics_curve.hpp"

#include <cmath>

namespace igraphics::dynamics {

double levelToKnee(double dB) {
    return 1.0 - std::fabs(dB) / kFloorDb;
}

void Knees::setGateThreshold(double dB) {
    gate = levelToKnee(dB);
    if (compressor < gate) compressor = gate;
}

void Knees::setCompThreshold(double dB) {
    compressor = levelToKnee(dB);
    if (gate > compressor) gate = compressor;
}

Curve transferCurve(const IRECT& r, const Knees& knees, double gateSlope, double ratio) {
    const double w = std::floor(r.W());
    const double h = std::floor(r.H());
    const double right = r.L + w;
    const double bottom = r.T + h;
    const auto kneePoint = [&](double k) {
        return Point{static_cast<float>(r.L + w * k), static_cast<float>(bottom - h * k)};
    };
    const Point pg = kneePoint(knees.gate);
    const Point pc = kneePoint(knees.compressor);

    Curve curve;
    curve.gate = {{static_cast<float>(pg.x - (pg.x - r.L) * gateSlope), static_cast<float>(bottom)},
                  pg};
    curve.unity = {pg, pc};
    if (ratio >= 1.0) {
        curve.compress = {
            pc, {static_cast<float>(right), static_cast<float>(pc.y - (pc.y - r.T) / ratio)}};
    } else {
        curve.compress = {pc, {static_cast<float>(pc.x + (right - pc.x) * ratio), r.T}};
    }
    return curve;
}

}  // namespace igraphics::dynamics
