// The preset library at the size a collector reaches: searching 10,000
// entries, the first rows of the list, and adding a folder of 1,000 preset
// files (finding, reading and checking them, and the one transaction), and
// an audition from the arrow key's selection to the sound handed to the port.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "library/librarian.hpp"
#include "library/preset_content.hpp"
#include "library/preset_library.hpp"
#include "quiet_platform.hpp"
#include "sim/factory_content.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace {

using namespace vornix;
using namespace vornix::library;

constexpr const char* Now = "2026-12-10 12:00:00";
constexpr int Entries = 10000;

const char* const Words[] = {"Warm", "Slap",    "Deep",   "Punchy", "Growl", "Smooth", "Bright",
                             "Dark", "Vintage", "Modern", "Dub",    "Fuzz",  "Clean",  "Tight"};

std::filesystem::path scratch(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("vornix-bench-library-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

// A factory preset with a new name and level: every value in its range, as
// the check of a preset file wants.
NewEntry randomEntry(std::mt19937& random) {
    const sysex::PresetRecord factory = sim::factoryPreset(static_cast<int>(random() % 128));
    std::array<int, NumPresetParams> values{};
    for (int i = 0; i < NumPresetParams; ++i) values[i] = factory[sysex::record::paramByte(i)];
    values[param::Level] = static_cast<int>(random() % 128);
    values[param::Ir7Mode] = 0;
    values[param::Ir8Mode] = 0;
    const std::string name = std::string(Words[random() % 14]) + " " + Words[random() % 14] + " " +
                             std::to_string(random() % 1000);
    return {{storage::buildPresetRecord(values, name, "", ""), std::nullopt, std::nullopt},
            {EntrySource::Kind::PresetFile, "/presets/" + name + ".kvp", -1, {}},
            Now};
}

// One library of 10,000 entries for every search benchmark.
PresetLibrary& bigLibrary() {
    static std::unique_ptr<PresetLibrary> library = [] {
        auto opened = PresetLibrary::open(scratch("big") / LibraryFileName, Now);
        std::mt19937 random(7);
        std::vector<NewEntry> entries;
        for (int k = 0; k < Entries; ++k) entries.push_back(randomEntry(random));
        const auto added = opened.library->add(entries);
        for (int k = 0; k < Entries; k += 37) {
            opened.library->setFavourite((*added)[static_cast<std::size_t>(k)].id, true);
            opened.library->setTags((*added)[static_cast<std::size_t>(k)].id, "live gig");
        }
        return std::move(opened.library);
    }();
    return *library;
}

void BM_Search(benchmark::State& state, const char* text) {
    PresetLibrary& library = bigLibrary();
    const SearchQuery query = parseSearchQuery(text);
    std::size_t found = 0;
    for (auto _ : state) found = library.search(query).size();
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_Search, word, "warm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, twoWordsAndFavourites, "warm vint fav")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, amplifierModel, "amp:kes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, cabinet, "ir:dalvin")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, tag, "gig")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, everything, "")->Unit(benchmark::kMillisecond);

// What the library window asks for before it shows its first rows.
void BM_FirstRows(benchmark::State& state) {
    PresetLibrary& library = bigLibrary();
    for (auto _ : state) benchmark::DoNotOptimize(library.list(200));
}
BENCHMARK(BM_FirstRows)->Unit(benchmark::kMillisecond);

// Opening the library file as every command does, with its quick check.
void BM_OpenTenThousand(benchmark::State& state) {
    bigLibrary();
    const auto file = std::filesystem::temp_directory_path() /
                      ("vornix-bench-library-" + std::to_string(::getpid()) + "-big") /
                      LibraryFileName;
    for (auto _ : state) benchmark::DoNotOptimize(PresetLibrary::open(file, Now));
}
BENCHMARK(BM_OpenTenThousand)->Unit(benchmark::kMillisecond);

void BM_AddFolderOfThousandFiles(benchmark::State& state) {
    const auto folder = scratch("folder");
    std::mt19937 random(11);
    for (int k = 0; k < 1000; ++k) {
        const NewEntry entry = randomEntry(random);
        const auto subfolder = folder / std::to_string(k / 100);
        storage::ensureFolder(subfolder);
        storage::writeFile(subfolder / (std::to_string(k) + ".kvp"), presetFileOf(entry.content));
    }
    int round = 0;
    for (auto _ : state) {
        auto opened =
            PresetLibrary::open(scratch("add" + std::to_string(round++)) / LibraryFileName, Now);
        std::vector<NewEntry> entries;
        for (const auto& path : presetFilesUnder(folder)) {
            const FileContent file = contentOfPresetFile(path);
            if (file.refusal.empty())
                entries.push_back(
                    {file.content, {EntrySource::Kind::PresetFile, path.string(), -1, {}}, Now});
        }
        benchmark::DoNotOptimize(opened.library->add(entries));
        state.counters["added"] = static_cast<double>(entries.size());
    }
}
BENCHMARK(BM_AddFolderOfThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

using bench::QuietPlatform;

// The next row auditioned, as the window does when the cursor moves: the
// entry read from the library of 10,000, the sound applied and sent as one
// whole preset (0x20). The target is 50 ms.
void BM_AuditionNextEntry(benchmark::State& state) {
    PresetLibrary& library = bigLibrary();
    VirtualEventLoop loop;
    QuietPlatform platform;
    VornixControl editor(loop, storage::DataFolder(scratch("audition")), platform);
    std::size_t wholePresets = 0;
    editor.link().setSender([&wholePresets](std::span<const std::uint8_t> message) {
        wholePresets += message.size() > 6 && message[5] == sysex::cmd::EditBuffer;
        return true;
    });
    editor.sysExReceived(sysex::identificationReply(13, "B"));
    Librarian librarian(editor, library);
    EntryId id = 1;
    for (auto _ : state) {
        if (!librarian.audition(id)) break;
        id = id % Entries + 1;
    }
    if (static_cast<benchmark::IterationCount>(wholePresets) < state.iterations())
        state.SkipWithError("an audition sent no preset");
    state.counters["presets sent"] = static_cast<double>(wholePresets);
}
BENCHMARK(BM_AuditionNextEntry)->Unit(benchmark::kMillisecond);

}  // namespace
