#pragma once
// The static transfer curve of the dynamics section, input level across and
// output level up, both from -100 dB to 0 dB: a downward-expanding gate below
// the gate knee, 1:1 between the knees and a compressor above the second knee.
#include <array>

#include "controls/dynamics_curve.hpp"
#include "controls/icontrol.hpp"
#include "controls/kept_layer.hpp"

namespace igraphics {

// The grid's levels (dB); each lies |level| / 100 of the size from the top
// and from the right.
inline constexpr std::array<double, 6> kDynamicsGraphGridLevels = {-80, -60, -40, -30, -20, -12};

class IDynamicsResponseGraph : public IControl {
  public:
    // The curve and the knee markers take `color`; the labels use the
    // context's default font.
    IDynamicsResponseGraph(const IRECT& bounds, IColor color);

    void draw(Painter& p) override;

    // Each setter stores its value and marks the graph for drawing.
    virtual void setGateThreshold(double dB);
    virtual void setCompThreshold(double dB);
    // Divides the input-to-output slope below the gate knee: 1 / gate ratio.
    virtual void setGateRatio(double slope);
    virtual void setCompRatio(double ratio);

    // ---- what is drawn, for tests and the pages
    const dynamics::Knees& knees() const { return knees_; }
    double gateSlope() const { return gateSlope_; }
    double compRatio() const { return compRatio_; }
    dynamics::Curve curve() const;

  private:
    void changed();
    void drawGraph(Painter& p);
    void drawGrid(Painter& p);

    IColor color_;
    dynamics::Knees knees_;
    double gateSlope_ = 1.0;
    double compRatio_ = 1.0;
    // Everything the graph shows: it changes only through the setters.
    KeptLayer layer_;
};

}  // namespace igraphics
