// The editor's own share of the device traffic: one parameter edit, one
// preset of a sync with its cache file, and a whole 128-slot sync against the
// simulated pedal with no latency.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/device_connection.hpp"
#include "host/simulator_port.hpp"
#include "sim/pedal.hpp"
#include "storage/file_io.hpp"

namespace {

using namespace vornix;

class QuietPlatform : public Platform {
  public:
    void messageBox(const std::string&, const std::string&, Buttons,
                    std::function<void(Answer)> done) override {
        if (done) done(Answer::Ok);
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void openUrl(const std::string&) override {}
};

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
    editor.setSender([&](std::span<const std::uint8_t> m) {
        bytes += m.size();
        return true;
    });
    editor.link().online = true;
    editor.BulkUpdate = false;
    int value = 0;
    for (auto _ : state) {
        editor.parameter(param::Drive).set(value = (value + 1) & 0x7F);
        editor.showParamChange(param::Drive);
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(ParameterEditToBytes);

void SyncPresetWithSlotFile(benchmark::State& state) {
    VirtualEventLoop loop;
    QuietPlatform platform;
    VornixControl editor(loop, storage::DataFolder(freshFolder("vornix-bench-preset")), platform);
    storage::ensureFolder(editor.dataFolder().presetsFolder());
    editor.setSender([](std::span<const std::uint8_t>) { return true; });
    sim::Pedal pedal;
    const auto message = sysex::blockMessage(sysex::cmd::PresetDump, 5, pedal.preset(5));
    editor.link().online = true;
    for (auto _ : state) {
        editor.link().presetDownloadActive = true;
        editor.link().presetPending.fill(false);
        editor.link().presetPending[5] = true;
        editor.sysExReceived(message);
    }
}
BENCHMARK(SyncPresetWithSlotFile);

void FullSyncAgainstSimulator(benchmark::State& state) {
    QuietPlatform platform;
    for (auto _ : state) {
        VirtualEventLoop loop;
        sim::Pedal pedal;
        host::SimulatorPort port(loop, pedal);
        VornixControl editor(loop, storage::DataFolder(freshFolder("vornix-bench-sync")), platform);
        host::DeviceConnection connection(loop, port, [&](auto m) { editor.sysExReceived(m); });
        editor.setSender([&](auto m) { return connection.send(m); });
        editor.refreshPresetListFromFiles();
        editor.loadPresetSlots();
        int applied = 0;
        struct Counter : LinkEvents {
            int* applied;
            void currentPresetApplied(int) override { ++*applied; }
        } events;
        events.applied = &applied;
        editor.setEvents(&events);
        editor.sendToDevice(sysex::requestPage(sysex::page::Identify));
        while (applied == 0) loop.advance(100);
    }
}
BENCHMARK(FullSyncAgainstSimulator)->Unit(benchmark::kMillisecond);

}  // namespace
