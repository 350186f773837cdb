// What the slot history and the backup cost: a store's file work with and
// without keeping the slot's previous version first (retention trims the
// slot to its steady size of 50 versions), and a backup (bank export, then
// the checksum page that verifies it) against a plain bank export, both
// against the simulated pedal with no latency. The backups report the
// pedal's time as "device_ms" (the virtual clock), beside the CPU time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "core/backup_first.hpp"
#include "core/platform.hpp"
#include "core/preset_cache.hpp"
#include "core/slot_keeper.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/built_in_pedal.hpp"
#include "host/device_connection.hpp"
#include "host/editor_startup.hpp"
#include "quiet_platform.hpp"
#include "sim/pedal.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace {

using namespace vornix;

using bench::QuietPlatform;

std::filesystem::path freshFolder(const char* name) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

// The store's own file work: the device's answer cached. With history, the
// slot's cached record, its user IRs and its preset file are kept first; the
// clock moves a day per store, so the retention deletes as it would.
void StoreIntoSlot(benchmark::State& state) {
    const bool withHistory = state.range(0) != 0;
    QuietPlatform platform;
    Link link(platform);
    const storage::DataFolder folder(freshFolder("vornix-bench-store"));
    PresetCache cache(link, folder);
    storage::ensureFolder(folder.presetsFolder());
    storage::ensureFolder(folder.userIrFolder());
    sim::Pedal pedal;
    const auto& record = pedal.preset(40);
    cache.store(40, record, storage::recordChecksum(record));
    storage::TimePoint now = std::chrono::system_clock::now();
    SlotKeeper keeper(folder, [&now] { return now; });
    for (auto _ : state) {
        if (withHistory) keeper.keepCached(40, storage::KeepReason::Store);
        cache.store(40, record, storage::recordChecksum(record));
        now += std::chrono::hours(24);
    }
    state.counters["versions"] = static_cast<double>(keeper.history().list(40).size());
}
BENCHMARK(StoreIntoSlot)->Arg(0)->Arg(1)->ArgName("history")->Unit(benchmark::kMillisecond);

struct Device {
    QuietPlatform platform;
    VirtualEventLoop loop;
    storage::DataFolder folder{freshFolder("vornix-bench-backup")};
    host::BuiltInPedal pedal{loop, folder};
    VornixControl editor{loop, folder, platform};
    host::DeviceConnection connection{loop, pedal.port(),
                                      [this](auto m) { editor.sysExReceived(m); }};
    struct Heard : EditorEvents {
        int synchronised_ = 0;
        bool exported = false;
        bool backedUp = false;
        void synchronised() override { ++synchronised_; }
        void transferEnded(Transfer t, bool) override { exported |= t == Transfer::BankExport; }
        void backupFinished(bool, const std::string&) override { backedUp = true; }
    } heard;

    Device() {
        editor.link().setSender([this](auto m) { return connection.send(m); });
        host::startEditor(editor, {});
        editor.link().events().add(heard);
        editor.link().send(sysex::requestPage(sysex::page::Identify));
        while (heard.synchronised_ == 0) loop.advance(100);
    }
};

void WholeDeviceCopy(benchmark::State& state) {
    const bool backup = state.range(0) != 0;
    double deviceMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Device device;
        state.ResumeTiming();
        const auto start = device.loop.now();
        if (backup)
            device.editor.backups().backUpNow();
        else
            device.editor.wholeDevice().startBankExportTo(device.folder.root() / "plain.kvb");
        while (!(backup ? device.heard.backedUp : device.heard.exported)) device.loop.advance(10);
        deviceMs += static_cast<double>(device.loop.now() - start);
    }
    state.counters["device_ms"] = benchmark::Counter(deviceMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(WholeDeviceCopy)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("backup")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
