#pragma once
// The numbers behind the frequency response graph, kept apart from drawing so
// that they can be checked on their own: the axis mappings, the magnitude
// spectrum of an impulse response, the two Catmull-Rom resamplings (FFT bins
// onto a logarithmic frequency scale, then onto the pixel columns) and the
// level-to-pixel scale with its clamp.
//
// Sections: axes, Catmull-Rom, spectrum, curve.
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace igraphics::freqresponse {

// ---------------------------------------------------------------- axes
// The logarithmic frequency axis and the linear dB axis of the graph.
struct Axes {
    double fmin = 20.0;
    double fmax = 20480.0;
    double range = 80.0;   // dB from the top edge to the bottom edge
    double offset = 30.0;  // the level in dB at the top edge

    // Where f lies across the width, 0 at fmin and 1 at fmax.
    double frequencyToFraction(double f) const;
    // The frequency at a fraction of the width.
    double fractionToFrequency(double r) const;
    // Where a level lies down the height, 0 at the top. Levels above the top
    // edge stay at the top.
    double levelToFraction(double dB) const;
    // The level at a distance of `fraction` heights below the top.
    double fractionToLevel(double fraction) const;
};

// ---------------------------------------------------------------- Catmull-Rom
// Four-point Catmull-Rom interpolation between b (u = 0) and c (u = 1).
double catmullRom(double a, double b, double c, double d, double u);

// Interpolates `points` at a fractional position p: the segment starts at
// floor(p), but never below index 1, so that the first point still has a
// left neighbour; u stays the fraction of p. Indices past either end read
// the nearest end point, which keeps any buffer length safe.
double catmullRomAt(std::span<const double> points, double p);

// ---------------------------------------------------------------- spectrum
// The magnitude of the discrete Fourier transform of a real buffer, with a
// rectangular window. The transform's plan is made once per length.
class MagnitudeSpectrum {
  public:
    explicit MagnitudeSpectrum(int n);
    ~MagnitudeSpectrum();
    MagnitudeSpectrum(const MagnitudeSpectrum&) = delete;
    MagnitudeSpectrum& operator=(const MagnitudeSpectrum&) = delete;

    int size() const { return n_; }
    // A new length; the plan is made again only when it changes.
    void resize(int n);
    // Writes |X[k]| for k = 0 .. N/2 - 1 into magnitude (which must hold at
    // least N/2 values). Samples past the end of x count as zeros.
    void compute(std::span<const double> x, std::span<double> magnitude);

  private:
    struct Plan;
    int n_;
    std::unique_ptr<Plan> plan_;
};

// ---------------------------------------------------------------- curve
// Resamples the first N/2 FFT bins onto N/2 points spaced evenly in log
// frequency between the axis ends: point j holds the magnitude at
// fractionToFrequency(j / (N/2)).
void resampleToLogScale(std::span<const double> magnitude, int n, double sampleRate,
                        const Axes& axes, std::span<double> logMagnitude);

// Resamples the first N/2 log-scale points onto `width` pixel columns and
// turns each into pixels below the top, clamped to 0 .. height.
void resampleToColumns(std::span<const double> logMagnitude, int n, int width, int height,
                       const Axes& axes, std::span<double> curve);

// Pixels below the top for a linear gain, clamped to 0 .. height. Gains at or
// below -100 dB count as -100 dB so that silence has a finite place.
double gainToY(double gain, const Axes& axes, int height);

// The readout texts under the pointer.
std::string frequencyReadout(double hz);
std::string levelReadout(double dB);
// The grid's level label, e.g. " -60 dB".
std::string gridLevelLabel(double dB);

}  // namespace igraphics::freqresponse
