#pragma once
// The texts the window shows for a parameter's raw device value (0-127, 64
// the centre of most), as pure functions: the pages and the edit history's
// step names share them. n is the value over 127; "centre zero" means the
// value 64 shows 0 whatever the formula gives there.
#include <string>

namespace vornix::display {

// "%.0f%%" of n x 100: the main level.
std::string level(int v);
// "%.0f" of n x 100, at least 1: pre-amp and drive.
std::string atLeastOnePercent(int v);
// "%.0f" of n x 100: presence, decay, auto filter attack and release, chorus depth and size.
std::string percent(int v);
// "%.1f" of n x 24 - 12, centre zero: the gain of the low, mid and high bands.
std::string bandGain(int v);
// "%.0f" of n x 160 + 40 Hz, 120 at the centre.
std::string lowFrequency(int v);
// "%.1f" of 2 to the power (2n - 1, centre zero).
std::string lowQuality(int v);
// "%.0f" of n x 100, "Bypass" at 0: the ambience level.
std::string reverbLevel(int v);
// "%.0f" of n to the power 1.754..., x 500, + 100 ms.
std::string roomSize(int v);

// The gate threshold in dB, and its text rounded to half a dB ("Bypass" at 0).
double gateThresholdDb(int v);
std::string gateThreshold(int v);
// The compressor threshold in dB, and its text ("%.1fdB", "Bypass" at 0).
double compressorThresholdDb(int v);
std::string compressorThreshold(int v);
// 1 + 19n, "%.1f:1".
double compressorRatio(int v);
std::string compressorRatioText(int v);
// 1 + 9n, "%.1f:1": the gate's ratio.
double gateRatio(int v);
std::string gateRatioText(int v);
// -30 to +18 dB, "%.2f", "0.00" at the centre.
std::string compressorGain(int v);
// "%.1f" of n^3 x 99 + 1 ms.
std::string attackTime(int v);
// "%.1f" of n^2 x 990 + 10 ms: compressor and gate release.
std::string releaseTime(int v);
// "%.2f" of (n - 1) x 24 + 12 dB, exactly 0 at the centre.
std::string userIrGain(int v);
// "%.0f" of floor(n x 200 - 100): -100 to 100.
std::string bipolarPercent(int v);
// As bipolarPercent, "Bypass" at the centre: the auto filter level.
std::string autoFilterLevel(int v);
// "%.0f%%" of n x 100, "Bypass" at 0.
std::string chorusLevel(int v);
// "%.2f" of n^2 x 6 Hz.
std::string chorusRate(int v);

// The readout's number for a cabinet position (0-127): 0 to 80.
int irPositionReadout(int position);

// The analog simulation: its value text and the page caption that says which
// way it smooths.
struct AnalogSimTexts {
    std::string value;
    std::string caption;
};
AnalogSimTexts analogSim(int v);

// The three texts of a filter band, computed together.
struct BandTexts {
    std::string gain;
    std::string frequency;
    std::string quality;
};
BandTexts punchBand(int gain, int frequency, int quality);
BandTexts midBand(int gain, int frequency, int quality);
BandTexts highBand(int gain, int frequency, int quality);

}  // namespace vornix::display
