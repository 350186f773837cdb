// The dynamics response graph: the knees that keep their order, the three
// pieces of the transfer curve at their edge cases, what the control draws,
// and PNGs of it for review.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "controls/dynamics_graph.hpp"
#include "temp_dir.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

using dynamics::Knees;
using dynamics::Point;
using dynamics::Segment;

// The editor's graph: 665 x 430 pixels.
constexpr IRECT kGraph(1200, 700, 1865, 1130);
constexpr IColor kCurveColor{255, 100, 255, 255};

// Where a knee at axis fraction k lies in the editor's graph.
Point kneeAt(double k) {
    return {static_cast<float>(kGraph.L + 665 * k), static_cast<float>(kGraph.B - 430 * k)};
}

void expectNear(const Point& actual, const Point& expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-3) << what;
}

TEST(DynamicsKnees, ALevelIsItsDistanceAboveMinusOneHundredDecibels) {
    const struct {
        double dB, knee;
    } cases[] = {{0, 1.0}, {-100, 0.0}, {-60, 0.4}, {-51, 0.49}, {-30, 0.7}, {12, 0.88}};
    for (const auto& c : cases) EXPECT_NEAR(dynamics::levelToKnee(c.dB), c.knee, 1e-12) << c.dB;
}

TEST(DynamicsKnees, MovingOneKneePastTheOtherTakesTheOtherAlong) {
    Knees k;
    // The editor's construction sequence.
    k.setGateThreshold(-60);
    EXPECT_DOUBLE_EQ(k.compressor, 0.4);
    k.setCompThreshold(-51);
    EXPECT_DOUBLE_EQ(k.gate, 0.4);
    EXPECT_DOUBLE_EQ(k.compressor, 0.49);
    // A gate threshold above the compressor's moves both knees there.
    k.setGateThreshold(-30);
    EXPECT_DOUBLE_EQ(k.gate, 0.7);
    EXPECT_DOUBLE_EQ(k.compressor, 0.7);
    // And a compressor threshold below the gate's pulls the gate down.
    k.setCompThreshold(-80);
    EXPECT_NEAR(k.gate, 0.2, 1e-12);
    EXPECT_NEAR(k.compressor, 0.2, 1e-12);
    // Apart again, each moves alone.
    k.setCompThreshold(-10);
    EXPECT_NEAR(k.gate, 0.2, 1e-12);
    EXPECT_NEAR(k.compressor, 0.9, 1e-12);
}

TEST(DynamicsCurve, PiecesMeetAtTheKneesAndTheMiddleOneHasSlopeOne) {
    Knees k;
    k.setGateThreshold(-60);
    k.setCompThreshold(-30);
    const auto c = dynamics::transferCurve(kGraph, k, 0.5, 4.0);
    expectNear(c.gate.to, kneeAt(0.4), "gate knee");
    EXPECT_EQ(c.unity.from, c.gate.to);
    expectNear(c.unity.to, kneeAt(0.7), "compressor knee");
    EXPECT_EQ(c.compress.from, c.unity.to);
    // Equal fractions of width and height: 45 degrees only on a square, so
    // compare in axis fractions.
    EXPECT_NEAR((c.unity.to.x - c.unity.from.x) / 665, (c.unity.from.y - c.unity.to.y) / 430, 1e-6);
}

TEST(DynamicsCurve, GateSlopeOneContinuesTheDiagonalToTheBottomLeftCorner) {
    Knees k;
    k.setGateThreshold(-60);
    k.setCompThreshold(-51);
    const auto c = dynamics::transferCurve(kGraph, k, 1.0, 1.0);
    expectNear(c.gate.from, {kGraph.L, kGraph.B}, "gate start");
    // With ratio 1 the last piece reaches the top right corner: one diagonal.
    expectNear(c.compress.to, {kGraph.R, kGraph.T}, "compressor end");
}

TEST(DynamicsCurve, GateRatioTenDropsToTheBottomATenthOfTheWayBack) {
    Knees k;
    k.setGateThreshold(-60);
    const auto c = dynamics::transferCurve(kGraph, k, 0.1, 1.0);
    const Point pg = kneeAt(0.4);
    expectNear(c.gate.from, {pg.x - (pg.x - kGraph.L) * 0.1f, kGraph.B}, "gate start");
}

TEST(DynamicsCurve, CompressorRatioTwentyRisesATwentiethOfTheRemainingHeight) {
    Knees k;
    k.setCompThreshold(-40);
    const auto c = dynamics::transferCurve(kGraph, k, 1.0, 20.0);
    const Point pc = kneeAt(0.6);
    expectNear(c.compress.to, {kGraph.R, pc.y - (pc.y - kGraph.T) / 20}, "compressor end");
}

TEST(DynamicsCurve, RatiosBelowOneEndOnTheTopEdge) {
    Knees k;
    k.setCompThreshold(-40);
    const auto c = dynamics::transferCurve(kGraph, k, 1.0, 0.5);
    const Point pc = kneeAt(0.6);
    expectNear(c.compress.to, {pc.x + (kGraph.R - pc.x) * 0.5f, kGraph.T}, "compressor end");
}

TEST(DynamicsCurve, AThresholdOfZeroPutsTheCompressorKneeInTheTopRightCorner) {
    Knees k;
    k.setCompThreshold(0);
    const auto c = dynamics::transferCurve(kGraph, k, 1.0, 20.0);
    expectNear(c.unity.to, {kGraph.R, kGraph.T}, "compressor knee");
    EXPECT_EQ(c.compress.from, c.compress.to);
}

// ---------------------------------------------------------------- the control

std::vector<std::uint8_t> robotoBytes() {
    std::ifstream in("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct DynamicsWindow : Context {
    std::vector<std::uint8_t> font = robotoBytes();
    IDynamicsResponseGraph* graph;

    DynamicsWindow() {
        ui.loadFont("Roboto-Regular", font);
        ui.setDefaultFont("Roboto-Regular");
        ui.setBackgroundColor(COLOR_BLACK);
        graph = &ui.attach(std::make_unique<IDynamicsResponseGraph>(kGraph, kCurveColor));
        // What the editor gives it at construction.
        graph->setGateThreshold(-60);
        graph->setGateRatio(1);
        graph->setCompThreshold(-51);
        graph->setCompRatio(1);
    }
};

TEST(DynamicsResponseGraph, StartsAsAStraightLineWithBothKneesAtTheBottom) {
    Context c;
    auto* graph = &c.ui.attach(std::make_unique<IDynamicsResponseGraph>(kGraph, kCurveColor));
    EXPECT_EQ(graph->knees().gate, 0.0);
    EXPECT_EQ(graph->knees().compressor, 0.0);
    EXPECT_EQ(graph->gateSlope(), 1.0);
    EXPECT_EQ(graph->compRatio(), 1.0);
}

TEST(DynamicsResponseGraph, EverySetterMarksTheGraphForDrawing) {
    DynamicsWindow w;
    const std::function<void()> setters[] = {
        [&] { w.graph->setGateThreshold(-40); }, [&] { w.graph->setCompThreshold(-20); },
        [&] { w.graph->setGateRatio(0.5); }, [&] { w.graph->setCompRatio(4); }};
    for (const auto& set : setters) {
        { const Picture settle(w.ui, kGraph); }
        ASSERT_FALSE(w.graph->isDirty());
        set();
        EXPECT_TRUE(w.graph->isDirty());
    }
    EXPECT_DOUBLE_EQ(w.graph->gateSlope(), 0.5);
    EXPECT_DOUBLE_EQ(w.graph->compRatio(), 4.0);
}

TEST(DynamicsResponseGraph, DrawsARingAndADotOnEachKnee) {
    DynamicsWindow w;
    w.graph->setCompRatio(4);
    const Picture picture(w.ui, kGraph);
    for (const Point& knee : {kneeAt(0.4), kneeAt(0.49)}) {
        // On the dot, which is itself a small ring 2 to 6 pixels out.
        EXPECT_EQ(picture.at(knee.x + 4, knee.y), kCurveColor);
        EXPECT_EQ(picture.at(knee.x - 5, knee.y), kCurveColor);
        // On the ring, 20 pixels straight below the knee (the curve runs up-right).
        EXPECT_EQ(picture.at(knee.x, knee.y + 20), kCurveColor);
        // Inside the ring, off the curve and off the dot, is background.
        EXPECT_EQ(picture.at(knee.x + 10, knee.y + 4), COLOR_BLACK);
    }
}

TEST(DynamicsResponseGraph, ANewThresholdReplacesTheKeptPicture) {
    DynamicsWindow w;
    const Point before = kneeAt(0.49), after = kneeAt(0.8);
    {
        const Picture picture(w.ui, kGraph);
        ASSERT_EQ(picture.at(before.x, before.y + 20), kCurveColor);
    }
    w.graph->setCompThreshold(-20);
    const Picture picture(w.ui, kGraph);
    EXPECT_NE(picture.at(before.x, before.y + 20), kCurveColor);
    EXPECT_EQ(picture.at(after.x, after.y + 20), kCurveColor);
}

TEST(DynamicsResponseGraph, RendersForReviewAtBothScales) {
    const auto dir =
        std::filesystem::path(vornix::testing::besideTestProgram(VORNIX_CONTROLS_GALLERY_DIR)) /
        "graphs";
    std::filesystem::create_directories(dir);
    DynamicsWindow w;
    {
        const Picture picture(w.ui, kGraph);
        EXPECT_TRUE(picture.writePng((dir / "dynamics-start.png").string()));
    }
    // Gate 4:1 at -60 dB, compressor 8:1 at -24 dB.
    w.graph->setGateRatio(0.25);
    w.graph->setCompThreshold(-24);
    w.graph->setCompRatio(8);
    for (const double scale : {1.0, 0.5}) {
        const Picture picture(w.ui, kGraph, scale);
        const auto file = dir / (scale < 1 ? "dynamics@0.5x.png" : "dynamics.png");
        EXPECT_TRUE(picture.writePng(file.string()));
    }
}

}  // namespace
}  // namespace igraphics::testing
