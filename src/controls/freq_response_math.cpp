#include "controls/freq_response_math.hpp"

// The C++ template of KissFFT is header-only and works in double precision;
// the packaged library itself is built for float only.
#include <kissfft.hh>

#include <algorithm>
#include <cmath>
#include <complex>

#include "controls/text_format.hpp"

namespace igraphics::freqresponse {

namespace {

// -100 dB: the quietest level the curve can take, so log10 never sees zero.
constexpr double kMinGain = 0.00001;
constexpr double kDecibelsPerDecade = 20.0;
constexpr double kHzPerKHz = 1000.0;

}  // namespace

// ---------------------------------------------------------------- axes

double Axes::frequencyToFraction(double f) const {
    return (std::log10(f) - std::log10(fmin)) / std::log10(fmax / fmin);
}

double Axes::fractionToFrequency(double r) const {
    return std::pow(10.0, r * std::log10(fmax / fmin) + std::log10(fmin));
}

double Axes::levelToFraction(double dB) const {
    return std::max(0.0, offset - dB) / range;
}

double Axes::fractionToLevel(double fraction) const {
    return offset - range * fraction;
}

// ---------------------------------------------------------------- Catmull-Rom

double catmullRom(double a, double b, double c, double d, double u) {
    return b + u * ((c - a) / 2 +
                    u * ((2 * c + a - (5 * b + d) / 2) + u * ((3 * (b - c) - a + d) / 2)));
}

double catmullRomAt(std::span<const double> points, double p) {
    if (points.empty()) return 0.0;
    const double whole = std::floor(p);
    const double u = p - whole;
    const long i = whole <= 0.0 ? 1 : static_cast<long>(whole);
    const long last = static_cast<long>(points.size()) - 1;
    const auto at = [&](long k) {
        return points[static_cast<std::size_t>(std::clamp(k, 0L, last))];
    };
    return catmullRom(at(i - 1), at(i), at(i + 1), at(i + 2), u);
}

// ---------------------------------------------------------------- spectrum

struct MagnitudeSpectrum::Plan {
    explicit Plan(int n)
        : fft(static_cast<std::size_t>(n), false),
          in(static_cast<std::size_t>(n)),
          out(in.size()) {}
    kissfft<double> fft;
    std::vector<std::complex<double>> in;
    std::vector<std::complex<double>> out;
};

MagnitudeSpectrum::MagnitudeSpectrum(int n)
    : n_(std::max(n, 2)), plan_(std::make_unique<Plan>(n_)) {}

MagnitudeSpectrum::~MagnitudeSpectrum() = default;

void MagnitudeSpectrum::resize(int n) {
    n = std::max(n, 2);
    if (n == n_) return;
    n_ = n;
    plan_ = std::make_unique<Plan>(n_);
}

void MagnitudeSpectrum::compute(std::span<const double> x, std::span<double> magnitude) {
    const std::size_t n = plan_->in.size();
    for (std::size_t k = 0; k < n; ++k) plan_->in[k] = {k < x.size() ? x[k] : 0.0, 0.0};
    plan_->fft.transform(plan_->in.data(), plan_->out.data());
    const std::size_t half = std::min(n / 2, magnitude.size());
    for (std::size_t k = 0; k < half; ++k) magnitude[k] = std::abs(plan_->out[k]);
}

// ---------------------------------------------------------------- curve

void resampleToLogScale(std::span<const double> magnitude, int n, double sampleRate,
                        const Axes& axes, std::span<double> logMagnitude) {
    const int half = n / 2;
    const auto bins =
        magnitude.first(std::min<std::size_t>(magnitude.size(), static_cast<std::size_t>(half)));
    const double binsPerHz = half / (sampleRate / 2);
    const int count = std::min(half, static_cast<int>(logMagnitude.size()));
    for (int j = 0; j < count; ++j) {
        const double f = axes.fractionToFrequency(static_cast<double>(j) / half);
        logMagnitude[static_cast<std::size_t>(j)] = catmullRomAt(bins, f * binsPerHz);
    }
}

void resampleToColumns(std::span<const double> logMagnitude, int n, int width, int height,
                       const Axes& axes, std::span<double> curve) {
    const int half = n / 2;
    if (width <= 0) return;
    const auto points = logMagnitude.first(
        std::min<std::size_t>(logMagnitude.size(), static_cast<std::size_t>(half)));
    const int count = std::min(width, static_cast<int>(curve.size()));
    for (int c = 0; c < count; ++c) {
        const double q = static_cast<double>(c) * half / width;
        curve[static_cast<std::size_t>(c)] = gainToY(catmullRomAt(points, q), axes, height);
    }
}

double gainToY(double gain, const Axes& axes, int height) {
    const double dB = kDecibelsPerDecade * std::log10(std::max(gain, kMinGain));
    return std::clamp((axes.offset - dB) * height / axes.range, 0.0, static_cast<double>(height));
}

std::string frequencyReadout(double hz) {
    return hz >= kHzPerKHz ? formatNumber("Freq: %2.3f kHz", hz / kHzPerKHz)
                           : formatNumber("Freq: %4.0f Hz", hz);
}

std::string levelReadout(double dB) {
    return formatNumber("Gain: %4.1f dB", dB);
}

std::string gridLevelLabel(double dB) {
    return formatNumber("%4.0f dB", dB);
}

}  // namespace igraphics::freqresponse
