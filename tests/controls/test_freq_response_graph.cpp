// The frequency response graph: its axes, the spectrum and the two
// resamplings against direct computation, the curve a known response draws,
// the pointer readout, and PNGs of the graph for review.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <vector>

#include "controls/freq_response_graph.hpp"
#include "temp_dir.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

using freqresponse::Axes;

// The editor's graph: its place, its colour and the range it is given.
constexpr IRECT kGraph(1200, 685, 1872, 1135);
constexpr IColor kCurveColor{255, 100, 255, 255};
constexpr Axes kEditorAxes{20.0, 20480.0, 100.0, 30.0};
constexpr int kN = 4096;
// 0 dB lies 30 dB below the top of a 100 dB, 450-pixel-high graph.
constexpr double kUnityY = 135.0;
constexpr double kHeight = 450.0;

std::vector<double> unitImpulse(double gain = 1.0) {
    std::vector<double> x(kN, 0.0);
    x[0] = gain;
    return x;
}

std::vector<std::uint8_t> robotoBytes() {
    std::ifstream in("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---------------------------------------------------------------- axes

TEST(FreqResponseAxes, MapsFrequenciesOnALogScaleBothWays) {
    const struct {
        double hz, fraction;
    } cases[] = {{20, 0.0}, {640, 0.5}, {20480, 1.0}, {40, 0.1}, {10240, 0.9}};
    for (const auto& c : cases) {
        EXPECT_NEAR(kEditorAxes.frequencyToFraction(c.hz), c.fraction, 1e-12) << c.hz;
        EXPECT_NEAR(kEditorAxes.fractionToFrequency(c.fraction), c.hz, 1e-9) << c.fraction;
    }
}

TEST(FreqResponseAxes, MapsLevelsDownFromTheOffsetAndStopsAtTheTop) {
    const struct {
        double dB, fraction;
    } cases[] = {{30, 0.0}, {0, 0.3}, {-60, 0.9}, {-70, 1.0}, {20, 0.1}, {45, 0.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(kEditorAxes.levelToFraction(c.dB), c.fraction, 1e-12) << c.dB;
    EXPECT_DOUBLE_EQ(kEditorAxes.fractionToLevel(0.3), 0.0);
    EXPECT_DOUBLE_EQ(kEditorAxes.fractionToLevel(1.0), -70.0);
}

TEST(FreqResponseAxes, GainToPixelsClampsToTheHeight) {
    const struct {
        double gain, y;
    } cases[] = {
        {1.0, kUnityY},      {0.1, kUnityY + 20 * 4.5}, {10.0, kUnityY - 20 * 4.5},
        {0.0, kHeight},       // silence: -100 dB, far below the bottom
        {-1.0, kHeight},      // not a magnitude, still below the bottom
        {1000.0, 0.0},        // +60 dB, above the top
        {0.00001, kHeight},   // -100 dB
        {0.000316, kHeight},  // about -70 dB: just at the bottom
        {31.6227766, 0.0},    // +30 dB: exactly the top
    };
    for (const auto& c : cases)
        EXPECT_NEAR(freqresponse::gainToY(c.gain, kEditorAxes, 450), c.y, 0.01) << c.gain;
}

// ---------------------------------------------------------------- Catmull-Rom

TEST(CatmullRom, PassesThroughTheMiddlePointsAndKeepsStraightLinesStraight) {
    EXPECT_DOUBLE_EQ(freqresponse::catmullRom(7, 2, 5, -3, 0.0), 2.0);
    EXPECT_DOUBLE_EQ(freqresponse::catmullRom(7, 2, 5, -3, 1.0), 5.0);
    for (const double u : {0.1, 0.25, 0.5, 0.9}) {
        EXPECT_NEAR(freqresponse::catmullRom(1, 1, 1, 1, u), 1.0, 1e-15);
        EXPECT_NEAR(freqresponse::catmullRom(0, 1, 2, 3, u), 1.0 + u, 1e-15);
    }
    // Symmetric neighbours give the midpoint plus the overshoot of the curve.
    EXPECT_DOUBLE_EQ(freqresponse::catmullRom(0, 1, 1, 0, 0.5), 1.125);
}

TEST(CatmullRom, PositionsBelowOneInterpolateFromIndexOneWithTheirOwnFraction) {
    const std::vector<double> points = {100, 0, 10, 20, 30};
    // floor(0.5) = 0 is taken as 1: the segment from points[1] to points[2] at u = 0.5.
    EXPECT_DOUBLE_EQ(freqresponse::catmullRomAt(points, 0.5),
                     freqresponse::catmullRom(100, 0, 10, 20, 0.5));
    EXPECT_DOUBLE_EQ(freqresponse::catmullRomAt(points, 2.25),
                     freqresponse::catmullRom(0, 10, 20, 30, 0.25));
    // Past the end the last point stands in for the missing neighbours.
    EXPECT_DOUBLE_EQ(freqresponse::catmullRomAt(points, 4.0), 30.0);
    EXPECT_DOUBLE_EQ(freqresponse::catmullRomAt(points, 9.5), 30.0);
}

// ---------------------------------------------------------------- spectrum

std::vector<double> directDftMagnitude(const std::vector<double>& x) {
    const std::size_t n = x.size();
    std::vector<double> m(n / 2);
    for (std::size_t k = 0; k < n / 2; ++k) {
        std::complex<double> sum;
        for (std::size_t t = 0; t < n; ++t)
            sum += x[t] * std::polar(1.0, -2 * std::numbers::pi * double(k * t % n) / double(n));
        m[k] = std::abs(sum);
    }
    return m;
}

TEST(MagnitudeSpectrum, AgreesWithTheDirectTransformWithinRounding) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    for (const int n : {8, 64, 1024}) {
        std::vector<double> x(static_cast<std::size_t>(n));
        for (double& v : x) v = sample(random);
        freqresponse::MagnitudeSpectrum fft(n);
        std::vector<double> m(static_cast<std::size_t>(n / 2));
        fft.compute(x, m);
        const auto expected = directDftMagnitude(x);
        for (std::size_t k = 0; k < m.size(); ++k)
            ASSERT_NEAR(m[k], expected[k], 1e-9) << n << " bin " << k;
    }
}

TEST(MagnitudeSpectrum, ImpulsesAreFlatAndACosineOnABinIsOneLine) {
    freqresponse::MagnitudeSpectrum fft(kN);
    std::vector<double> m(kN / 2);
    for (const std::size_t delay : {0u, 1u, 1199u}) {
        std::vector<double> x(kN, 0.0);
        x[delay] = 1.0;
        fft.compute(x, m);
        for (std::size_t k = 0; k < m.size(); ++k)
            ASSERT_NEAR(m[k], 1.0, 1e-12) << delay << " " << k;
    }
    std::vector<double> x(kN);
    for (std::size_t t = 0; t < x.size(); ++t)
        x[t] = std::cos(2 * std::numbers::pi * 93.0 * double(t) / kN);
    fft.compute(x, m);
    EXPECT_NEAR(m[93], kN / 2.0, 1e-9);
    EXPECT_NEAR(m[92], 0.0, 1e-9);
    EXPECT_NEAR(m[94], 0.0, 1e-9);
}

TEST(MagnitudeSpectrum, ShortBuffersArePaddedWithZeros) {
    freqresponse::MagnitudeSpectrum fft(16);
    std::vector<double> m(8);
    fft.compute(std::vector<double>{0.5}, m);
    for (const double v : m) EXPECT_NEAR(v, 0.5, 1e-15);
}

// ---------------------------------------------------------------- the control

struct FreqGraphWindow : Context {
    std::vector<std::uint8_t> font = robotoBytes();
    IFreqResponseGraph* graph;

    FreqGraphWindow() {
        ui.loadFont("Roboto-Regular", font);
        ui.setBackgroundColor(COLOR_BLACK);
        graph = &ui.attach(std::make_unique<IFreqResponseGraph>(
            kGraph, kCurveColor, IText(14, COLOR_BLACK, "Roboto-Regular")));
        graph->setRange(20, 20480, 100, 30);
        graph->setHold(true);
    }
};

TEST(FreqResponseGraph, StartsWithTheConstructionRangeAndAFlatZeroCurve) {
    Context c;
    auto* graph = &c.ui.attach(std::make_unique<IFreqResponseGraph>(kGraph, kCurveColor));
    EXPECT_EQ(graph->axes().range, 80.0);
    EXPECT_EQ(graph->axes().offset, 30.0);
    EXPECT_EQ(graph->size(), 4096);
    EXPECT_EQ(graph->sampleRate(), 44100.0);
    ASSERT_EQ(graph->curve().size(), 672u);
    EXPECT_TRUE(std::all_of(graph->curve().begin(), graph->curve().end(),
                            [](double y) { return y == 0.0; }));
}

TEST(FreqResponseGraph, GridLiesWhereTheAxesPutItsFrequenciesAndLevels) {
    FreqGraphWindow w;
    EXPECT_NEAR(w.graph->gridX()[0], std::log10(30.0 / 20) / std::log10(1024.0), 1e-12);
    EXPECT_NEAR(w.graph->gridX()[8], std::log10(1000.0 / 20) / std::log10(1024.0), 1e-12);
    const double levels[] = {-60, -40, -20, -12, -6, 0, 6, 12, 20};
    for (std::size_t i = 0; i < std::size(levels); ++i)
        EXPECT_NEAR(w.graph->gridY()[i], (30 - levels[i]) / 100, 1e-12) << levels[i];
}

TEST(FreqResponseGraph, AUnitImpulseDrawsAFlatLineOnTheZeroDecibelGridLine) {
    FreqGraphWindow w;
    w.graph->setData(unitImpulse());
    for (const double y : w.graph->curve()) ASSERT_NEAR(y, kUnityY, 1e-9);
    EXPECT_NEAR(w.graph->gridY()[5] * kHeight, kUnityY, 1e-9);
    const Picture picture(w.ui, kGraph);
    // Between two frequency lines and away from the level labels.
    for (const float x : {kGraph.L + 5, kGraph.L + 300, kGraph.L + 600})
        EXPECT_EQ(picture.at(x, kGraph.T + 135), kCurveColor) << x;
}

TEST(FreqResponseGraph, SilenceIsClampedToTheBottomAndNotDrawn) {
    FreqGraphWindow w;
    w.graph->setData(std::vector<double>(kN, 0.0));
    for (const double y : w.graph->curve()) ASSERT_EQ(y, kHeight);
    const Picture picture(w.ui, kGraph);
    for (float y = kGraph.T; y < kGraph.B; ++y)
        for (const float x : {kGraph.L + 5, kGraph.L + 300})
            ASSERT_NE(picture.at(x, y), kCurveColor) << x << ", " << y;
}

TEST(FreqResponseGraph, ACurveLeavingTheRangeIsCutWhereItLeaves) {
    FreqGraphWindow w;
    // +40 dB is above the top edge: every column sits at the clamp.
    w.graph->setData(unitImpulse(100.0));
    for (const double y : w.graph->curve()) ASSERT_EQ(y, 0.0);
    const Picture picture(w.ui, kGraph);
    for (float y = kGraph.T; y < kGraph.T + 10; ++y)
        ASSERT_NE(picture.at(kGraph.L + 300, y), kCurveColor);
}

TEST(FreqResponseGraph, ATonePeaksInTheColumnOfItsFrequency) {
    FreqGraphWindow w;
    // A cosine on FFT bin 93 (about 1001 Hz) whose bin reads exactly 1 (0 dB).
    std::vector<double> x(kN);
    for (std::size_t t = 0; t < x.size(); ++t)
        x[t] = std::cos(2 * std::numbers::pi * 93.0 * double(t) / kN) * 2 / kN;
    w.graph->setData(x);
    const auto& curve = w.graph->curve();
    const auto peak = std::min_element(curve.begin(), curve.end()) - curve.begin();
    const double expected = 672 * kEditorAxes.frequencyToFraction(93.0 * 44100 / kN);
    EXPECT_NEAR(static_cast<double>(peak), expected, 2.0);
    // Near 1 kHz a column spans about one FFT bin, so the column nearest the
    // tone may sample its peak up to half a bin off: within 6 dB of it.
    EXPECT_NEAR(curve[static_cast<std::size_t>(peak)], kUnityY, 6 * 4.5);
    EXPECT_EQ(curve.front(), kHeight);
}

TEST(FreqResponseGraph, HoldReplacesTheCurveWhileClearedKeepsTheLoudestColumns) {
    FreqGraphWindow w;
    const double minusSix = kUnityY + 20 * std::log10(2.0) * 4.5;
    w.graph->setData(unitImpulse());
    w.graph->setData(unitImpulse(0.5));
    EXPECT_NEAR(w.graph->curve()[100], minusSix, 1e-9);
    w.graph->setHold(false);
    w.graph->setData(unitImpulse());
    w.graph->setData(unitImpulse(0.5));
    EXPECT_NEAR(w.graph->curve()[100], kUnityY, 1e-9);
}

TEST(FreqResponseGraph, AnotherSampleRateMovesTheToneAndAnotherSizeIsAnalysedWhole) {
    FreqGraphWindow w;
    w.graph->setSampleRate(88200);
    w.graph->setSize(1024);
    std::vector<double> x(1024);
    // Bin 12 of 1024 at 88.2 kHz is about 1034 Hz.
    for (std::size_t t = 0; t < x.size(); ++t)
        x[t] = std::cos(2 * std::numbers::pi * 12.0 * double(t) / 1024) * 2 / 1024;
    w.graph->setData(x);
    const auto& curve = w.graph->curve();
    const auto peak = std::min_element(curve.begin(), curve.end()) - curve.begin();
    EXPECT_NEAR(static_cast<double>(peak),
                672 * kEditorAxes.frequencyToFraction(12.0 * 88200 / 1024), 3.0);
}

TEST(FreqResponseGraph, ThePointerReadsTheFrequencyAndLevelTheScalesGive) {
    FreqGraphWindow w;
    const struct {
        float x, y;
        const char* frequency;
        const char* level;
    } cases[] = {
        {kGraph.L, kGraph.T, "Freq:   20 Hz", "Gain: 30.0 dB"},
        {kGraph.L + 336, kGraph.T + 135, "Freq:  640 Hz", "Gain:  0.0 dB"},
        {kGraph.L + 470.4f, kGraph.T + 450, "Freq: 2.560 kHz", "Gain: -70.0 dB"},
        {kGraph.L + 67.2f, kGraph.T + 162, "Freq:   40 Hz", "Gain: -6.0 dB"},
    };
    for (const auto& c : cases) {
        const auto [frequency, level] = w.graph->readoutAt(c.x, c.y);
        EXPECT_EQ(frequency, c.frequency) << c.x;
        EXPECT_EQ(level, c.level) << c.y;
    }
}

TEST(FreqResponseGraph, TheReadoutFollowsThePointerAndGoesLeftNearTheRightEdge) {
    FreqGraphWindow w;
    EXPECT_EQ(w.graph->readoutBox(kGraph.L + 336, kGraph.T + 200),
              IRECT(kGraph.L + 346, kGraph.T + 210, kGraph.L + 436, kGraph.T + 238));
    // 100 pixels from the right edge is already too close.
    EXPECT_EQ(w.graph->readoutBox(kGraph.R - 100, kGraph.T + 200),
              IRECT(kGraph.R - 190, kGraph.T + 210, kGraph.R - 100, kGraph.T + 238));
    EXPECT_EQ(w.graph->readoutBox(kGraph.R - 101, kGraph.T + 200).L, kGraph.R - 91);

    w.ui.onMouseOver(kGraph.L + 336, kGraph.T + 200, {});
    EXPECT_TRUE(w.graph->pointerInside());
    {
        const Picture picture(w.ui, kGraph);
        EXPECT_EQ(picture.at(kGraph.L + 348, kGraph.T + 212), kCurveColor);
    }
    w.ui.onMouseOver(kGraph.R - 20, kGraph.T + 200, {});
    {
        const Picture picture(w.ui, kGraph);
        EXPECT_EQ(picture.at(kGraph.R - 108, kGraph.T + 212), kCurveColor);
        EXPECT_NE(picture.at(kGraph.L + 348, kGraph.T + 212), kCurveColor);
    }
    w.ui.onMouseOut();
    EXPECT_FALSE(w.graph->pointerInside());
    const Picture picture(w.ui, kGraph);
    EXPECT_NE(picture.at(kGraph.R - 108, kGraph.T + 212), kCurveColor);
}

// The ink of a horizontal grid line: the summed alpha across a few rows at
// one column inside a dash.
int lineInk(const Picture& picture, float x, float y) {
    int ink = 0;
    for (float dy = -3; dy <= 3; ++dy) ink += picture.at(x, y + dy).R;
    return ink;
}

TEST(FreqResponseGraph, TheZeroDecibelLineIsTwiceAsThickAsTheOthers) {
    FreqGraphWindow w;
    const Picture picture(w.ui, kGraph);
    const int unity = lineInk(picture, kGraph.L + 1, kGraph.T + 135);
    const int minusSix = lineInk(picture, kGraph.L + 1, kGraph.T + 162);
    const int minusTwenty = lineInk(picture, kGraph.L + 1, kGraph.T + 225);
    EXPECT_GT(minusSix, 0);
    EXPECT_NEAR(double(unity) / minusSix, 2.0, 0.1);
    EXPECT_NEAR(double(minusTwenty), double(minusSix), 2.0);
}

TEST(FreqResponseGraph, ANewResponseReplacesTheKeptPictureAtEveryScale) {
    FreqGraphWindow w;
    const float minusSixY = kGraph.T + 162.1f;
    for (const double scale : {1.0, 0.5}) {
        w.graph->setData(unitImpulse());
        {
            const Picture before(w.ui, kGraph, scale);
            ASSERT_EQ(before.at(kGraph.L + 300, kGraph.T + 135), kCurveColor) << scale;
        }
        // A pointer move redraws over the kept grid and curve.
        w.ui.onMouseOver(kGraph.L + 100, kGraph.T + 300, {});
        {
            const Picture moved(w.ui, kGraph, scale);
            EXPECT_EQ(moved.at(kGraph.L + 300, kGraph.T + 135), kCurveColor) << scale;
        }
        w.graph->setData(unitImpulse(0.5));
        const Picture after(w.ui, kGraph, scale);
        EXPECT_NE(after.at(kGraph.L + 300, kGraph.T + 135), kCurveColor) << scale;
        // At half scale the -6 dB line covers no device row whole: mostly is enough.
        EXPECT_GT(after.at(kGraph.L + 300, minusSixY).G, 180) << scale;
        w.ui.onMouseOut();
    }
}

TEST(FreqResponseGraph, SetDataMarksTheGraphForDrawing) {
    FreqGraphWindow w;
    { const Picture settle(w.ui, kGraph); }
    EXPECT_FALSE(w.graph->isDirty());
    w.graph->setData(unitImpulse());
    EXPECT_TRUE(w.graph->isDirty());
}

// A cabinet-like response: a few decaying resonances and a high cut, 1200
// samples long as the device's IRs are.
std::vector<double> cabinetLikeResponse() {
    std::vector<double> x(kN, 0.0);
    const struct {
        double hz, decay, gain;
    } modes[] = {{110, 0.996, 0.03}, {900, 0.99, 0.05}, {2600, 0.985, 0.06}, {5200, 0.95, 0.02}};
    for (std::size_t t = 0; t < 1200; ++t)
        for (const auto& m : modes)
            x[t] += m.gain * std::pow(m.decay, double(t)) *
                    std::sin(2 * std::numbers::pi * m.hz * double(t) / 44100);
    x[0] += 0.3;
    return x;
}

TEST(FreqResponseGraph, RendersForReviewAtBothScales) {
    const auto dir =
        std::filesystem::path(vornix::testing::besideTestProgram(VORNIX_CONTROLS_GALLERY_DIR)) /
        "graphs";
    std::filesystem::create_directories(dir);
    FreqGraphWindow w;
    w.ui.setDefaultFont("Roboto-Regular");
    w.graph->setData(cabinetLikeResponse());
    w.ui.onMouseOver(kGraph.L + 336, kGraph.T + 250, {});
    for (const double scale : {1.0, 0.5}) {
        const Picture picture(w.ui, kGraph, scale);
        const auto file = dir / (scale < 1 ? "freq-response@0.5x.png" : "freq-response.png");
        EXPECT_TRUE(picture.writePng(file.string()));
    }
    w.graph->setData(unitImpulse());
    w.ui.onMouseOver(kGraph.R - 30, kGraph.T + 400, {});
    const Picture flat(w.ui, kGraph);
    EXPECT_TRUE(flat.writePng((dir / "freq-response-flat.png").string()));
}

}  // namespace
}  // namespace igraphics::testing
