// Comparing presets: the differences of a whole bank file against the cache
// (every slot, as `vornixctl diff` would for each), and one A/B switch from
// the key to the message handed to the port.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/shortcuts.hpp"
#include "core/platform.hpp"
#include "core/preset_sources.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "quiet_platform.hpp"
#include "sim/factory_content.hpp"
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

// A cache of the 128 factory presets, and a bank file of the same presets
// with every tenth one changed.
struct BankAndCache {
    BankAndCache() : folder(freshFolder("vornix-bench-compare")) {
        std::filesystem::create_directories(folder.presetSlotFile(0).parent_path());
        std::vector<std::uint8_t> bank;
        for (int slot = 0; slot < NumPresets; ++slot) {
            auto record = sim::factoryPreset(slot);
            // Cabinets only: a bank file carries the user IRs its presets play.
            record[sysex::record::Ir7Mode] = record[sysex::record::Ir8Mode] = 0;
            storage::writePresetSlotFile(folder, slot, record);
            if (slot % 10 == 0) record[sysex::record::paramByte(param::Drive)] ^= 0x11;
            const auto message = sysex::blockMessage(sysex::cmd::PresetDump,
                                                     static_cast<std::uint8_t>(slot), record);
            bank.insert(bank.end(), message.begin(), message.end());
        }
        bankPath = folder.root() / "bank.kvb";
        storage::writeFile(bankPath, bank);
    }
    storage::DataFolder folder;
    std::filesystem::path bankPath;
};

// Reads the bank file and every cached slot, and lists the differences of each pair.
void BankAgainstCache(benchmark::State& state) {
    const BankAndCache data;
    std::size_t rows = 0;
    for (auto _ : state) {
        const BankRead bank = readBankRecords(data.bankPath);
        rows = 0;
        if (bank.records.size() != NumPresets) break;
        for (int slot = 0; slot < NumPresets; ++slot) {
            const SourceRead cached = readCachedSlot(data.folder, slot);
            const auto& record = bank.records[static_cast<std::size_t>(slot)];
            if (!cached.ok() || !record) continue;
            rows += presetDifferences(cached.preset, snapshotOfRecord(*record)).rows.size();
        }
        benchmark::DoNotOptimize(rows);
    }
    if (rows == 0) state.SkipWithError("the bank and the cache were not read");
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BankAgainstCache)->Unit(benchmark::kMillisecond);

// Ctrl+B as the window takes it: the chord looked up, the switch, and the
// whole preset handed to the port.
void SwitchAToB(benchmark::State& state) {
    VirtualEventLoop loop;
    QuietPlatform platform;
    VornixControl editor(loop, storage::DataFolder(freshFolder("vornix-bench-switch")), platform);
    std::size_t sent = 0;
    editor.link().setSender([&sent](std::span<const std::uint8_t>) {
        ++sent;
        return true;
    });
    editor.sysExReceived(sysex::identificationReply(13, "B"));
    editor.sysExReceived(sysex::parameterChanged(param::Level, 64));
    for (auto _ : state) {
        const auto command = app::shortcutFor("ctrl+b");
        if (command == app::WindowCommand::Compare) editor.toggleComparison();
        benchmark::DoNotOptimize(sent);
    }
    state.counters["messages"] = static_cast<double>(sent);
}
BENCHMARK(SwitchAToB)->Unit(benchmark::kMicrosecond);

}  // namespace
