#pragma once
// The magnitude response of an impulse response on a logarithmic frequency
// axis with a dB grid, and a readout of the frequency and level under the
// pointer. The spectrum is computed once per setData; drawing only reads the
// kept curve.
#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "controls/freq_response_math.hpp"
#include "controls/icontrol.hpp"
#include "controls/kept_layer.hpp"

namespace igraphics {

inline constexpr int kFreqGraphDefaultSize = 4096;
inline constexpr double kFreqGraphDefaultSampleRate = 44100.0;
// The grid lines of the frequency axis (Hz) and of the level axis (dB).
inline constexpr std::array<double, 14> kFreqGraphGridFrequencies = {
    30, 40, 50, 100, 200, 300, 400, 500, 1000, 2000, 3000, 4000, 5000, 10000};
inline constexpr std::array<double, 9> kFreqGraphGridLevels = {-60, -40, -20, -12, -6,
                                                               0,   6,   12,  20};

class IFreqResponseGraph final : public IControl {
  public:
    // The curve and the readout box take `color`; the readout text takes
    // `textStyle`, and the grid labels its font at a larger size.
    IFreqResponseGraph(const IRECT& bounds, IColor color, const IText& textStyle = {});

    void draw(Painter& p) override;
    void onMouseOver(float x, float y, const IMouseMod& mod) override;
    void onMouseOut() override;
    void onResize() override;

    // Takes N samples (missing ones count as zeros) and computes the curve.
    virtual void setData(std::span<const double> samples);
    virtual void setSampleRate(double rate);
    // The analysed length N; the transform is a power-of-two FFT in practice
    // but any length above 1 works.
    virtual void setSize(int n);
    // Set: every analysis replaces the curve. Cleared: each column keeps the
    // loudest level seen so far, a peak trace across several responses.
    virtual void setHold(bool hold);
    // The axis ends (Hz), the dB span of the height and the dB level at the top.
    virtual void setRange(double fmin, double fmax, double range, double offset);

    // ---- what is drawn, for tests and the pages
    const freqresponse::Axes& axes() const { return axes_; }
    int size() const { return n_; }
    double sampleRate() const { return sampleRate_; }
    bool hold() const { return hold_; }
    // One y per pixel column, pixels below the top, 0 .. H.
    const std::vector<double>& curve() const { return curve_; }
    // Fractions of the width and the height where the grid lines lie.
    const std::array<double, kFreqGraphGridFrequencies.size()>& gridX() const { return gridX_; }
    const std::array<double, kFreqGraphGridLevels.size()>& gridY() const { return gridY_; }
    bool pointerInside() const { return pointerInside_; }
    // Where the readout box lies for a pointer at (x, y): right of the pointer,
    // or left of it near the right edge.
    IRECT readoutBox(float x, float y) const;
    // The two readout lines for a pointer at (x, y): frequency, then level.
    std::pair<std::string, std::string> readoutAt(float x, float y) const;

  private:
    int width() const;
    int height() const;
    void drawGrid(Painter& p);
    void drawCurve(Painter& p);
    void drawReadout(Painter& p);

    IColor color_;
    IText textStyle_;
    // The grid and the curve; the readout is drawn over it.
    KeptLayer layer_;
    freqresponse::Axes axes_;
    int n_ = kFreqGraphDefaultSize;
    double sampleRate_ = kFreqGraphDefaultSampleRate;
    bool hold_ = false;
    bool hasCurve_ = false;
    freqresponse::MagnitudeSpectrum spectrum_{kFreqGraphDefaultSize};
    std::vector<double> magnitude_;
    std::vector<double> logMagnitude_;
    std::vector<double> curve_;
    std::vector<double> analysis_;  // the newest curve before hold is applied
    std::array<double, kFreqGraphGridFrequencies.size()> gridX_{};
    std::array<double, kFreqGraphGridLevels.size()> gridY_{};
    float pointerX_ = 0.f;
    float pointerY_ = 0.f;
    bool pointerInside_ = false;
};

}  // namespace igraphics
