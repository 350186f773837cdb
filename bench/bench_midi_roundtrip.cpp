// Round trip of a preset request and its 267-byte answer over real JACK MIDI
// ports, and the editor's own share of it (inbox, drain, delivery).
//
// The JACK benchmark needs a running server; run it as
//   tests/integration/with_jack.sh build/bench/bench_midi_roundtrip
// to get a dummy server at a 64-frame period. Without one it is skipped.
#include <RtMidi.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>

#include "device/sysex.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/device_connection.hpp"
#include "host/midi_api.hpp"
#include "host/plain_event_loop.hpp"
#include "host/rtmidi_port.hpp"
#include "sim/pedal.hpp"

namespace {

using namespace vornix;

constexpr const char* DevicePort = "Vornix Bench Pedal";
constexpr const char* DeviceInClient = "Vornix Bench In";
constexpr const char* DeviceOutClient = "Vornix Bench Out";
constexpr int ReplyTimeoutMs = 1000;
constexpr int WarmUpAttempts = 20;
constexpr int WarmUpWaitMs = 100;

// A pedal answering on RtMidi's input thread, as fast as the device could.
class BenchPedal {
  public:
    bool open() {
        in_ = host::makeMidiIn(DeviceInClient, RtMidi::UNIX_JACK);
        out_ = host::makeMidiOut(DeviceOutClient, RtMidi::UNIX_JACK);
        if (!in_ || !out_) return false;
        try {
            in_->ignoreTypes(false, true, false);
            in_->setCallback(&BenchPedal::onMessage, this);
            in_->openVirtualPort(DevicePort);
            out_->openVirtualPort(DevicePort);
        } catch (const RtMidiError&) {
            return false;
        }
        pedal_.setEmitter([this](sysex::Bytes reply, int) {
            try {
                out_->sendMessage(&reply);
            } catch (const RtMidiError&) {
            }
        });
        return true;
    }

  private:
    static void onMessage(double, std::vector<unsigned char>* message, void* self) {
        auto& bench = *static_cast<BenchPedal*>(self);
        std::lock_guard lock(bench.mutex_);
        bench.pedal_.receive(*message);
    }

    std::mutex mutex_;
    sim::Pedal pedal_;
    // The input goes first (its thread joined): a reply it was still
    // handling would otherwise be sent through an output already gone.
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<RtMidiIn> in_;
};

void BM_PresetRoundTripOverJack(benchmark::State& state) {
    BenchPedal pedal;
    if (!pedal.open()) {
        state.SkipWithError("no JACK server: run under tests/integration/with_jack.sh");
        return;
    }
    host::PlainEventLoop loop;
    host::RtMidiPort port;
    if (!port.openInput(std::string(DeviceOutClient) + ":" + DevicePort) ||
        !port.openOutput(std::string(DeviceInClient) + ":" + DevicePort)) {
        state.SkipWithError("the bench pedal's ports did not appear on the JACK server");
        return;
    }
    std::size_t received = 0;
    std::size_t lastSize = 0;
    host::DeviceConnection connection(loop, port, [&](std::span<const std::uint8_t> m) {
        ++received;
        lastSize = m.size();
    });
    // Connections become live within a period or two: wait for a first answer.
    bool live = false;
    for (int attempt = 0; attempt < WarmUpAttempts && !live; ++attempt) {
        connection.send(sysex::requestPage(sysex::page::Identify));
        live = loop.runUntil([&] { return received > 0; }, WarmUpWaitMs);
    }
    if (!live) {
        state.SkipWithError("the bench pedal never answered");
        return;
    }
    const auto request = sysex::requestPreset(7);
    for (auto _ : state) {
        const std::size_t before = received;
        connection.send(request);
        if (!loop.runUntil([&] { return received > before; }, ReplyTimeoutMs)) {
            state.SkipWithError("a reply was lost");
            return;
        }
    }
    if (lastSize != sysex::BlockMessageSize) state.SkipWithError("the reply was not a preset");
}
BENCHMARK(BM_PresetRoundTripOverJack)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the MIDI thread's push to the editor's handler, for one preset answer.
void BM_EditorSideDelivery(benchmark::State& state) {
    struct LoopbackPort : MidiPort {
        bool send(std::span<const std::uint8_t>) override { return true; }
        void setReceiver(Receiver r) override { receiver = std::move(r); }
        Receiver receiver;
    } port;
    VirtualEventLoop loop;
    std::size_t delivered = 0;
    host::DeviceConnection connection(
        loop, port, [&](std::span<const std::uint8_t> m) { delivered += m.size(); });
    const std::array<std::uint8_t, sysex::BlockSize> block{};
    const auto answer = sysex::blockMessage(sysex::cmd::PresetDump, 7, block);
    for (auto _ : state) {
        port.receiver(answer);
        loop.runPosted();
    }
    benchmark::DoNotOptimize(delivered);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(answer.size()));
}
BENCHMARK(BM_EditorSideDelivery);

}  // namespace
