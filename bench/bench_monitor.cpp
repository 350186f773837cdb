// The MIDI monitor's cost: the editor's work per synced preset with the
// traffic capture listening against without it, and the memory 100,000 held
// messages take (reported as counters: bytes in all and per message).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <memory>

#include "core/bulk_read.hpp"
#include "core/platform.hpp"
#include "core/traffic_capture.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/built_in_pedal.hpp"
#include "host/device_connection.hpp"
#include "host/editor_startup.hpp"
#include "quiet_platform.hpp"
#include "sim/pedal.hpp"
#include "storage/file_io.hpp"

namespace {

using namespace vornix;

using bench::QuietPlatform;

std::filesystem::path freshFolder(const char* name) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

// One slot of a bulk read with its cache file, as bench_editor's
// SyncPresetWithSlotFile, plus what the capture adds when it listens: the
// two messages sent through the link, and the reply as the editor's
// reception hands it over.
void SyncPresetWithCapture(benchmark::State& state) {
    const bool capturing = state.range(0) != 0;
    VirtualEventLoop loop;
    QuietPlatform platform;
    Link link(platform);
    link.setSender([](std::span<const std::uint8_t>) { return true; });
    TrafficCapture capture(loop);
    if (capturing) link.events().add(capture);
    PresetCache cache(link, storage::DataFolder(freshFolder("vornix-bench-monitor")));
    storage::ensureFolder(cache.folder().presetsFolder());
    BulkRead read(link, cache);
    sim::Pedal pedal;
    const auto message = sysex::blockMessage(sysex::cmd::PresetDump, 5, pedal.preset(5));
    const auto dump = sysex::parseBlockMessage(message).view;
    sysex::PresetChecksums device{};
    device[5] = {0x7F, 0x7F};
    for (auto _ : state) {
        read.armFrom(device);
        read.startStep();
        read.startStep();
        if (capturing) link.events().emit(&TrafficEvents::messageReceived, message);
        read.receive(dump, 0);
    }
    state.SetLabel(capturing ? "capture on" : "capture off");
}
BENCHMARK(SyncPresetWithCapture)->Arg(0)->Arg(1);

// A cold sync of 128 presets against the simulated pedal, the whole editor.
void FullSyncWithCapture(benchmark::State& state) {
    const bool capturing = state.range(0) != 0;
    QuietPlatform platform;
    for (auto _ : state) {
        VirtualEventLoop loop;
        const storage::DataFolder folder(freshFolder("vornix-bench-monitor-sync"));
        host::BuiltInPedal pedal(loop, folder);
        VornixControl editor(loop, folder, platform);
        TrafficCapture capture(loop);
        if (capturing) editor.link().events().add(capture);
        host::DeviceConnection connection(loop, pedal.port(),
                                          [&](auto m) { editor.sysExReceived(m); });
        editor.link().setSender([&](auto m) { return connection.send(m); });
        host::startEditor(editor, {});
        struct Counter : EditorEvents {
            int synchronised_ = 0;
            void synchronised() override { ++synchronised_; }
        } events;
        editor.link().events().add(events);
        editor.link().send(sysex::requestPage(sysex::page::Identify));
        while (events.synchronised_ == 0) loop.advance(100);
    }
    state.SetLabel(capturing ? "capture on" : "capture off");
}
BENCHMARK(FullSyncWithCapture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// A full capture of what a bank export moves: requests and preset dumps in
// turn, each held with its decoded name.
void HundredThousandMessagesHeld(benchmark::State& state) {
    sim::Pedal pedal;
    const auto dump = sysex::blockMessage(sysex::cmd::PresetDump, 5, pedal.preset(5));
    const auto request = sysex::requestPreset(5);
    double bytes = 0;
    for (auto _ : state) {
        VirtualEventLoop loop;
        const std::size_t before = heapInUse();
        auto capture = std::make_unique<TrafficCapture>(loop);
        for (std::size_t i = 0; i < TrafficCapture::DefaultLimit / 2; ++i) {
            capture->messageSent(request);
            capture->messageReceived(dump);
        }
        bytes = double(heapInUse() - before);
        benchmark::DoNotOptimize(capture.get());
    }
    state.counters["held_MiB"] = bytes / (1024.0 * 1024.0);
    state.counters["bytes_per_message"] = bytes / double(TrafficCapture::DefaultLimit);
}
BENCHMARK(HundredThousandMessagesHeld)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
