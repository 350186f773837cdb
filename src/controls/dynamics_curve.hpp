#pragma once
// The static transfer curve of the dynamics section, kept apart from drawing:
// a gate below one knee, 1:1 between the knees, a compressor above the
// second. Levels run from -100 dB to 0 dB on both axes; a knee is the
// threshold as a fraction of that span, 0 at -100 dB and 1 at 0 dB.
#include <array>

#include "controls/records.hpp"

namespace igraphics::dynamics {

inline constexpr double kFloorDb = 100.0;

// The axis fraction of a level: 1 - |dB| / 100.
double levelToKnee(double dB);

// The two knees, which stay in order: moving one past the other takes the
// other along.
struct Knees {
    double gate = 0.0;
    double compressor = 0.0;

    void setGateThreshold(double dB);
    void setCompThreshold(double dB);
};

struct Point {
    float x = 0.f;
    float y = 0.f;
    constexpr bool operator==(const Point&) const = default;
};

struct Segment {
    Point from;
    Point to;
    constexpr bool operator==(const Segment&) const = default;
};

// The three straight pieces of the curve inside a rectangle, the knee points
// being the ends of the middle one.
struct Curve {
    Segment gate;      // from the bottom edge up to the gate knee
    Segment unity;     // gate knee to compressor knee, slope 1
    Segment compress;  // compressor knee towards the right or the top edge
};

// gateSlope: the editor passes 1 / gate ratio; 1 continues the diagonal.
// ratio: the compressor ratio; below 1 the last piece ends on the top edge.
// Uses the whole pixels of the rectangle's size, as the grid does.
Curve transferCurve(const IRECT& bounds, const Knees& knees, double gateSlope, double ratio);

}  // namespace igraphics::dynamics
