#include "device/value_texts.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "device/preset_record.hpp"

namespace vornix::display {

namespace {

constexpr int Centre = 64;
constexpr const char* Bypass = "Bypass";

double fraction(int v) {
    return v / double(DeviceValueMax);
}

// The whole number nearest to x, halves away from zero.
double nearest(double x) {
    return std::round(x);
}

std::string format(const char* pattern, double value) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// 2n - 1, exactly 0 at the centre: the quality of a band.
double bipolar(int v) {
    return v == Centre ? 0.0 : 2.0 * fraction(v) - 1.0;
}

// The punch and mid bands' centre frequency: 200 to 2000 Hz, 500 in the middle.
double shiftedFrequency(int v) {
    if (v == Centre) return 500.0;
    const double x = 2.0 * fraction(v) - 1.0;
    return x < 0.0 ? 500.0 + x * 300.0 : 500.0 + x * 1500.0;
}

}  // namespace

std::string level(int v) {
    return format("%.0f%%", fraction(v) * 100.0);
}

std::string atLeastOnePercent(int v) {
    return format("%.0f", std::max(1.0, fraction(v) * 100.0));
}

std::string percent(int v) {
    return format("%.0f", fraction(v) * 100.0);
}

std::string bandGain(int v) {
    return format("%.1f", v == Centre ? 0.0 : fraction(v) * 24.0 - 12.0);
}

std::string lowFrequency(int v) {
    return format("%.0f", v == Centre ? 120.0 : fraction(v) * 160.0 + 40.0);
}

std::string lowQuality(int v) {
    return format("%.1f", std::pow(2.0, bipolar(v)));
}

std::string reverbLevel(int v) {
    return v == 0 ? Bypass : percent(v);
}

std::string roomSize(int v) {
    return format("%.0f", std::pow(fraction(v), 1.7543859869269236) * 500.0 + 100.0);
}

double gateThresholdDb(int v) {
    return (fraction(v) - 1.0) * 70.0 - 30.0;
}

std::string gateThreshold(int v) {
    return v == 0 ? Bypass : format("%.1f", nearest(2.0 * gateThresholdDb(v)) / 2.0);
}

double compressorThresholdDb(int v) {
    return -60.0 * fraction(v);
}

std::string compressorThreshold(int v) {
    return v == 0 ? Bypass : format("%.1fdB", nearest(2.0 * compressorThresholdDb(v)) / 2.0);
}

double compressorRatio(int v) {
    return 1.0 + 19.0 * fraction(v);
}

std::string compressorRatioText(int v) {
    return format("%.1f:1", compressorRatio(v));
}

double gateRatio(int v) {
    return 1.0 + 9.0 * fraction(v);
}

std::string gateRatioText(int v) {
    return format("%.1f:1", gateRatio(v));
}

std::string compressorGain(int v) {
    if (v == Centre) return "0.00";
    const double n = fraction(v);
    return format("%.2f", n < 0.5 ? (n - 0.5) * 60.0 : (n - 0.5) * 36.0);
}

std::string attackTime(int v) {
    return format("%.1f", std::pow(fraction(v), 3) * 99.0 + 1.0);
}

std::string releaseTime(int v) {
    return format("%.1f", std::pow(fraction(v), 2) * 990.0 + 10.0);
}

std::string userIrGain(int v) {
    return format("%.2f", v == Centre ? 0.0 : (fraction(v) - 1.0) * 24.0 + 12.0);
}

std::string bipolarPercent(int v) {
    return format("%.0f", std::floor(fraction(v) * 200.0 - 100.0));
}

std::string autoFilterLevel(int v) {
    return v == Centre ? Bypass : bipolarPercent(v);
}

std::string chorusLevel(int v) {
    return v == 0 ? Bypass : level(v);
}

std::string chorusRate(int v) {
    return format("%.2f", std::pow(fraction(v), 2) * 6.0);
}

int irPositionReadout(int position) {
    constexpr float PositionMax = 127.f;
    constexpr float ReadoutScale = 80.5f;
    return static_cast<int>(static_cast<float>(position) / PositionMax * ReadoutScale);
}

AnalogSimTexts analogSim(int v) {
    if (v > Centre) return {format("%.0f", (v - Centre) / 63.0 * 100.0), "ANALOG SMOOTH"};
    if (v < Centre) return {format("%.0f", (Centre - v) / 64.0 * 100.0), "DIGITAL SMOOTH"};
    return {Bypass, "SMOOTHING"};
}

BandTexts punchBand(int gain, int frequency, int quality) {
    const double g = gain == Centre ? 0.0 : fraction(gain) * 48.0 - 24.0;
    // A cut narrows twice as fast as a boost.
    const double u = gain >= Centre ? bipolar(quality) : 2.0 * bipolar(quality);
    return {format("%.1f", nearest(2.0 * g) / 2.0), format("%.0f", shiftedFrequency(frequency)),
            format("%.1f", 0.644 * std::pow(2.0, 2.0 * u))};
}

BandTexts midBand(int gain, int frequency, int quality) {
    const double f = shiftedFrequency(frequency);
    const std::string frequencyText = f < 1000.0 ? format("%.0f", nearest(f / 10.0) * 10.0)
                                                 : format("%.2fk", nearest(f / 20.0) * 0.02);
    return {bandGain(gain), frequencyText, format("%.1f", std::pow(2.0, bipolar(quality)))};
}

BandTexts highBand(int gain, int frequency, int quality) {
    const double f = frequency == Centre ? 4500.0 : fraction(frequency) * 7000.0 + 1000.0;
    const double gainDb = gain == Centre ? 0.0 : fraction(gain) * 24.0 - 12.0;
    const double q = bipolar(quality);
    return {bandGain(gain), format("%.1fk", nearest(f / 100.0) / 10.0),
            format("%.1f", 0.7 * std::pow(2.0, gainDb < 0.0 ? 3.0 * q : q))};
}

}  // namespace vornix::display
