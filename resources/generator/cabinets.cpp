// The eight factory cabinet impulse responses. Each is an impulse with a few box reflections,
// shaped by a cascade of filters that gives the cabinet its voicing (speaker roll-off, low
// resonance, mid and presence bumps), then faded so the tail ends in silence.
// The formats are those the pedal's factory set was delivered in: the first file at 44.1 kHz,
// 16-bit, with an extra metadata chunk after the samples; the others at 48 kHz, 24-bit.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "artwork.hpp"

namespace vornix::resources::gen {
namespace {

constexpr int kFrames = 1000;
constexpr double kPeak = 0.89;  // about -1 dBFS

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
    double run(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

enum class Kind { HighPass, LowPass, Peak };

struct Band {
    Kind kind;
    double hz, q, gainDb;
};

// Coefficients after the well-known audio-EQ cookbook formulas.
Biquad design(const Band& b, double rate) {
    const double w = 2 * M_PI * b.hz / rate, cw = std::cos(w), alpha = std::sin(w) / (2 * b.q);
    double b0, b1, b2, a0, a1, a2;
    if (b.kind == Kind::Peak) {
        const double A = std::pow(10.0, b.gainDb / 40);
        b0 = 1 + alpha * A, b1 = -2 * cw, b2 = 1 - alpha * A;
        a0 = 1 + alpha / A, a1 = -2 * cw, a2 = 1 - alpha / A;
    } else if (b.kind == Kind::LowPass) {
        b0 = (1 - cw) / 2, b1 = 1 - cw, b2 = (1 - cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
    } else {
        b0 = (1 + cw) / 2, b1 = -(1 + cw), b2 = (1 + cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
    }
    Biquad q;
    q.b0 = b0 / a0, q.b1 = b1 / a0, q.b2 = b2 / a0, q.a1 = a1 / a0, q.a2 = a2 / a0;
    return q;
}

struct Reflection {
    double ms, gain;
};

struct Cabinet {
    const char* file;
    const char* title;
    int rate;
    int bits;
    std::vector<Band> bands;
    std::vector<Reflection> reflections;
};

std::vector<Cabinet> cabinets() {
    using K = Kind;
    return {
        {"01-Tarmilo.wav",
         "Tarmilo",
         44100,
         16,
         {{K::HighPass, 45, 0.8, 0},
          {K::Peak, 100, 1.1, 3},
          {K::Peak, 2500, 1.4, 2},
          {K::LowPass, 5000, 0.75, 0},
          {K::LowPass, 6500, 0.6, 0}},
         {{0.9, 0.22}, {2.1, -0.12}}},
        {"02-Brannow.wav",
         "Brannow",
         48000,
         24,
         {{K::HighPass, 38, 0.9, 0},
          {K::Peak, 80, 1.0, 4},
          {K::Peak, 500, 1.2, -3},
          {K::LowPass, 3200, 0.8, 0},
          {K::LowPass, 4200, 0.6, 0}},
         {{1.4, 0.25}, {3.0, -0.1}}},
        {"03-Dalvin 8x10.wav",
         "Dalvin 8x10",
         48000,
         24,
         {{K::HighPass, 55, 0.8, 0},
          {K::Peak, 120, 1.2, 3},
          {K::Peak, 650, 1.0, 4},
          {K::Peak, 3000, 1.8, 3},
          {K::LowPass, 6000, 0.8, 0},
          {K::LowPass, 7500, 0.6, 0}},
         {{0.6, 0.3}, {1.3, 0.18}, {2.2, -0.1}}},
        {"04-Eskar 2x15.wav",
         "Eskar 2x15",
         48000,
         24,
         {{K::HighPass, 32, 0.9, 0},
          {K::Peak, 60, 1.3, 6},
          {K::Peak, 400, 0.9, -4},
          {K::LowPass, 2500, 0.8, 0},
          {K::LowPass, 3300, 0.6, 0}},
         {{1.8, 0.3}, {3.6, -0.12}}},
        {"05-Fennow 2x15.wav",
         "Fennow 2x15",
         48000,
         24,
         {{K::HighPass, 40, 1.0, 0},
          {K::Peak, 75, 1.4, 4},
          {K::Peak, 900, 1.3, 2},
          {K::LowPass, 3000, 0.8, 0},
          {K::LowPass, 3900, 0.6, 0}},
         {{1.6, 0.2}, {2.9, 0.08}}},
        {"06-Gorlan 4x10.wav",
         "Gorlan 4x10",
         48000,
         24,
         {{K::HighPass, 50, 0.8, 0},
          {K::Peak, 800, 1.1, 5},
          {K::Peak, 1600, 1.6, 3},
          {K::LowPass, 4500, 0.8, 0},
          {K::LowPass, 5600, 0.6, 0}},
         {{0.8, 0.2}, {1.7, -0.15}}},
        {"07-Hestry 12L.wav",
         "Hestry 12L",
         48000,
         24,
         {{K::HighPass, 70, 0.9, 0},
          {K::Peak, 110, 1.2, 3},
          {K::Peak, 1200, 1.2, 4},
          {K::LowPass, 4000, 0.9, 0},
          {K::LowPass, 5000, 0.6, 0}},
         {{1.1, 0.35}, {2.4, 0.15}}},
        {"08-Aldric V30.wav",
         "Aldric V30",
         48000,
         24,
         {{K::HighPass, 80, 0.8, 0},
          {K::Peak, 150, 1.1, 3},
          {K::Peak, 500, 1.0, -3},
          {K::Peak, 2800, 1.5, 6},
          {K::LowPass, 5500, 0.9, 0},
          {K::LowPass, 6800, 0.6, 0}},
         {{0.7, 0.25}, {1.5, -0.12}}},
    };
}

std::vector<double> synthesise(const Cabinet& cab) {
    std::vector<double> x(kFrames, 0.0);
    const int onset = 3;  // microphone distance
    x[onset] = 1.0;
    for (const Reflection& r : cab.reflections) {
        const int at = onset + static_cast<int>(std::lround(r.ms * cab.rate / 1000));
        if (at < kFrames) x[static_cast<std::size_t>(at)] += r.gain;
    }
    for (const Band& b : cab.bands) {
        Biquad f = design(b, cab.rate);
        for (double& s : x) s = f.run(s);
    }
    // Raised-cosine fade over the last 30 %: a truncated tail would click in the convolver.
    const int fadeStart = kFrames * 7 / 10;
    for (int i = fadeStart; i < kFrames; ++i) {
        const double t = double(i - fadeStart) / (kFrames - 1 - fadeStart);
        x[static_cast<std::size_t>(i)] *= 0.5 * (1 + std::cos(M_PI * t));
    }
    double peak = 0;
    for (double s : x) peak = std::max(peak, std::abs(s));
    for (double& s : x) s *= kPeak / peak;
    return x;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

void putText(std::vector<std::uint8_t>& out, const char* tag, const std::string& text) {
    // INFO strings are zero-terminated and padded to an even length.
    std::string s = text;
    s.push_back('\0');
    if (s.size() % 2) s.push_back('\0');
    putTag(out, tag);
    put32(out, static_cast<std::uint32_t>(s.size()));
    out.insert(out.end(), s.begin(), s.end());
}

std::vector<std::uint8_t> encode(const Cabinet& cab, const std::vector<double>& samples) {
    const unsigned bytes = static_cast<unsigned>(cab.bits / 8);
    std::vector<std::uint8_t> data;
    const double full = std::ldexp(1.0, cab.bits - 1) - 1;
    for (double s : samples) {
        const auto v = static_cast<std::int32_t>(std::lround(s * full));
        for (unsigned b = 0; b < bytes; ++b)
            data.push_back(
                static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * b)) & 0xFF));
    }
    std::vector<std::uint8_t> info;
    if (cab.bits == 16) {
        putTag(info, "INFO");
        putText(info, "INAM", cab.title);
        putText(info, "ISFT", "VornixControl cabinet synthesiser");
    }
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    const std::size_t riffSize =
        4 + (8 + 16) + (8 + data.size()) + (info.empty() ? 0 : 8 + info.size());
    put32(out, static_cast<std::uint32_t>(riffSize));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(cab.rate));
    put32(out, static_cast<std::uint32_t>(cab.rate) * bytes);
    put16(out, bytes);
    put16(out, static_cast<unsigned>(cab.bits));
    putTag(out, "data");
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) out.push_back(0);
    if (!info.empty()) {
        putTag(out, "LIST");
        put32(out, static_cast<std::uint32_t>(info.size()));
        out.insert(out.end(), info.begin(), info.end());
    }
    return out;
}

}  // namespace

std::vector<std::string> writeFactoryWavs(const std::string& dir) {
    std::vector<std::string> written;
    for (const Cabinet& cab : cabinets()) {
        const std::vector<std::uint8_t> bytes = encode(cab, synthesise(cab));
        std::ofstream out(dir + "/" + cab.file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) return {};
        written.emplace_back(cab.file);
    }
    return written;
}

}  // namespace vornix::resources::gen
