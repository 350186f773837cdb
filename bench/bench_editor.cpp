// The editor's own share of the device traffic: one parameter edit, one
// preset of a sync with its cache file, and a whole 128-slot sync against the
// simulated pedal with no latency.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/bulk_read.hpp"
#include "core/platform.hpp"
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

void ParameterEditToBytes(benchmark::State& state) {
    VirtualEventLoop loop;
    QuietPlatform platform;
    VornixControl editor(loop, storage::DataFolder(freshFolder("vornix-bench-edit")), platform);
    std::size_t bytes = 0;
    editor.link().setSender([&](std::span<const std::uint8_t> m) {
        bytes += m.size();
        return true;
    });
    editor.sysExReceived(sysex::identificationReply(13, "B"));
    editor.sysExReceived(sysex::parameterChanged(param::Level, 64));  // ends the bulk update
    int value = 0;
    for (auto _ : state) {
        editor.param(param::Drive)->set(value = (value + 1) & 0x7F);
        editor.showParamChange(param::Drive);
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(ParameterEditToBytes);

// One slot of a bulk read: armed by a checksum page that differs in slot 5,
// the request, then the reply cached and listed.
void SyncPresetWithSlotFile(benchmark::State& state) {
    QuietPlatform platform;
    Link link(platform);
    link.setSender([](std::span<const std::uint8_t>) { return true; });
    PresetCache cache(link, storage::DataFolder(freshFolder("vornix-bench-preset")));
    storage::ensureFolder(cache.folder().presetsFolder());
    BulkRead read(link, cache);
    sim::Pedal pedal;
    const auto message = sysex::blockMessage(sysex::cmd::PresetDump, 5, pedal.preset(5));
    const auto dump = sysex::parseBlockMessage(message).view;
    sysex::PresetChecksums device{};
    device[5] = {0x7F, 0x7F};
    for (auto _ : state) {
        read.armFrom(device);
        read.startStep();  // begin transfer
        read.startStep();  // the request
        read.receive(dump, 0);
    }
}
BENCHMARK(SyncPresetWithSlotFile);

void FullSyncAgainstSimulator(benchmark::State& state) {
    QuietPlatform platform;
    for (auto _ : state) {
        VirtualEventLoop loop;
        const storage::DataFolder folder(freshFolder("vornix-bench-sync"));
        host::BuiltInPedal pedal(loop, folder);
        VornixControl editor(loop, folder, platform);
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
}
BENCHMARK(FullSyncAgainstSimulator)->Unit(benchmark::kMillisecond);

}  // namespace
