// Converting a user's WAV into an IR: read and resample a one-second 48 kHz
// 24-bit file, encode the slot file and pack its upload image.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <vector>

#include "device/sysex.hpp"
#include "device/transfer_buffer.hpp"
#include "ir/ir_slot_file.hpp"
#include "ir/wav_reader.hpp"
#include "storage/file_io.hpp"

namespace {

constexpr std::uint32_t Rate = 48000;
constexpr std::uint32_t Frames = Rate;  // one second
constexpr std::uint16_t Bits = 24;
constexpr std::uint16_t BlockAlign = Bits / 8;

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putId(std::vector<std::uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// A decaying noise burst, roughly what a cabinet IR looks like.
std::vector<std::uint8_t> cabinetLikeWav() {
    constexpr std::uint32_t formatBytes = 16;
    const std::uint32_t dataBytes = Frames * BlockAlign;
    std::vector<std::uint8_t> out;
    putId(out, "RIFF");
    put(out, 4 + 8 + formatBytes + 8 + dataBytes, 4);
    putId(out, "WAVE");
    putId(out, "fmt ");
    put(out, formatBytes, 4);
    put(out, 1, 2);
    put(out, 1, 2);
    put(out, Rate, 4);
    put(out, Rate * BlockAlign, 4);
    put(out, BlockAlign, 2);
    put(out, Bits, 2);
    putId(out, "data");
    put(out, dataBytes, 4);
    std::mt19937 noise(7);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    for (std::uint32_t k = 0; k < Frames; ++k) {
        const double sample = uniform(noise) * std::exp(-static_cast<double>(k) / 2000.0);
        put(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(sample * 8388607)), 3);
    }
    return out;
}

class IrConvert : public benchmark::Fixture {
  public:
    void SetUp(const benchmark::State&) override {
        path_ = std::filesystem::temp_directory_path() / "vornix-bench-ir-convert.wav";
        vornix::storage::writeFile(path_, cabinetLikeWav());
    }
    void TearDown(const benchmark::State&) override {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

  protected:
    std::filesystem::path path_;
};

BENCHMARK_F(IrConvert, WavFileToPackedImage)(benchmark::State& state) {
    using namespace vornix::ir;
    const auto name = vornix::sysex::padName("Bench Cab");
    IrSampleBuffer buffer;
    vornix::sysex::TransferBuffer transfer;
    for (auto _ : state) {
        const auto wav = readWav(path_);
        if (!wav.ok()) {
            state.SkipWithError(wav.message.c_str());
            break;
        }
        loadIntoBuffer(wav.samples, buffer);
        const auto slot = encodeIrSlotFile(name, buffer);
        transfer.load(slot.bytes);
        benchmark::DoNotOptimize(transfer.checksum());
    }
}

BENCHMARK_F(IrConvert, EncodeAndPackOnly)(benchmark::State& state) {
    using namespace vornix::ir;
    const auto name = vornix::sysex::padName("Bench Cab");
    IrSampleBuffer buffer;
    loadIntoBuffer(readWav(path_).samples, buffer);
    vornix::sysex::TransferBuffer transfer;
    for (auto _ : state) {
        const auto slot = encodeIrSlotFile(name, buffer);
        transfer.load(slot.bytes);
        benchmark::DoNotOptimize(transfer.checksum());
    }
}

}  // namespace
