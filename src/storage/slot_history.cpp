#include "storage/slot_history.hpp"

#include <algorithm>
#include <array>
#include <chrono>

#include "device/preset_record.hpp"
#include "device/sysex.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::storage {

namespace {

struct ReasonName {
    KeepReason reason;
    std::string_view word;
};
constexpr std::array ReasonNames{
    ReasonName{KeepReason::Store, "store"},
    ReasonName{KeepReason::Import, "import"},
    ReasonName{KeepReason::Restore, "restore"},
    ReasonName{KeepReason::Reset, "reset"},
    ReasonName{KeepReason::Library, "library"},
    ReasonName{KeepReason::ChangedOnPedal, "changed-on-pedal"},
};

constexpr std::string_view RecordSuffix = ".dat";
constexpr std::size_t RecordBytes = 256;

std::optional<KeptVersion> versionFromName(int slot, const std::filesystem::path& folder,
                                           const std::string& fileName) {
    if (fileName.size() <= UtcStampLength + 1 + RecordSuffix.size() ||
        !fileName.ends_with(RecordSuffix) || fileName[UtcStampLength] != '-')
        return std::nullopt;
    const auto time = parseUtcStamp(std::string_view(fileName).substr(0, UtcStampLength));
    const std::string_view word = std::string_view(fileName).substr(
        UtcStampLength + 1, fileName.size() - UtcStampLength - 1 - RecordSuffix.size());
    const auto reason = reasonFromWord(word);
    if (!time || !reason) return std::nullopt;
    return KeptVersion{
        .slot = slot, .time = *time, .reason = *reason, .name = {}, .record = folder / fileName};
}

// The name as the preset list shows it: cut at a zero byte, without the padding.
std::string nameOf(std::span<const std::uint8_t> record) {
    std::string name = recordNameBytes(record);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

void newestFirst(std::vector<KeptVersion>& versions) {
    std::stable_sort(versions.begin(), versions.end(),
                     [](const KeptVersion& a, const KeptVersion& b) { return a.time > b.time; });
}

void removeVersion(const KeptVersion& version) {
    std::error_code ignored;
    // The record first: a version cut short by a failure here is no longer listed.
    std::filesystem::remove(version.record, ignored);
    for (std::string_view suffix : {"-ir7.dat", "-ir8.dat", ".kvp"})
        std::filesystem::remove(version.companion(suffix), ignored);
}

}  // namespace

std::string_view reasonWord(KeepReason reason) {
    for (const ReasonName& entry : ReasonNames)
        if (entry.reason == reason) return entry.word;
    return "store";
}

std::optional<KeepReason> reasonFromWord(std::string_view word) {
    for (const ReasonName& entry : ReasonNames)
        if (entry.word == word) return entry.reason;
    return std::nullopt;
}

std::filesystem::path KeptVersion::companion(std::string_view suffix) const {
    std::filesystem::path path = record;
    path.replace_filename(record.stem().string() + std::string(suffix));
    return path;
}

std::filesystem::path SlotHistory::folderOf(int slot) const {
    std::string number = DataFolder::slotFileName(slot + 1);
    number.resize(number.size() - RecordSuffix.size());
    return folder_.historyFolder() / number;
}

bool SlotHistory::keep(int slot, const KeptFiles& files, KeepReason reason) {
    const std::filesystem::path folder = folderOf(slot);
    ensureFolder(folder_.historyFolder());
    ensureFolder(folder);
    const std::string tail = "-" + std::string(reasonWord(reason));
    TimePoint time = std::chrono::floor<std::chrono::seconds>(clock_());
    while (std::filesystem::exists(folder / (utcStamp(time) + tail + ".dat")))
        time += std::chrono::seconds(1);
    const std::string stem = utcStamp(time) + tail;
    bool ok = true;
    if (files.ir7) ok = writeFile(folder / (stem + "-ir7.dat"), *files.ir7, Durability::Durable);
    if (ok && files.ir8)
        ok = writeFile(folder / (stem + "-ir8.dat"), *files.ir8, Durability::Durable);
    if (ok) ok = writeFile(folder / (stem + ".kvp"), files.presetFile, Durability::Durable);
    if (ok) ok = writeFile(folder / (stem + ".dat"), files.record, Durability::Durable);
    prune(slot);
    return ok;
}

std::vector<KeptVersion> SlotHistory::list(int slot) const {
    auto versions = versionsOf(slot);
    for (KeptVersion& version : versions) {
        const auto record = readFile(version.record, RecordBytes);
        if (record.size() == RecordBytes) version.name = nameOf(record);
    }
    return versions;
}

// Newest first, named by their files alone.
std::vector<KeptVersion> SlotHistory::versionsOf(int slot) const {
    const std::filesystem::path folder = folderOf(slot);
    std::vector<KeptVersion> versions;
    for (const DirectoryEntry& entry : scanDirectory(folder)) {
        if (entry.isFolder) continue;
        if (auto version = versionFromName(slot, folder, entry.name))
            versions.push_back(std::move(*version));
    }
    newestFirst(versions);
    return versions;
}

std::vector<KeptVersion> SlotHistory::listAll() const {
    std::vector<KeptVersion> all;
    for (int slot = 0; slot < NumPresets; ++slot) {
        auto versions = list(slot);
        all.insert(all.end(), versions.begin(), versions.end());
    }
    newestFirst(all);
    return all;
}

void SlotHistory::prune(int slot) const {
    const TimePoint cutoff = clock_() - std::chrono::days(KeptDaysPerSlot);
    const auto versions = versionsOf(slot);
    for (std::size_t i = KeptVersionsPerSlot; i < versions.size(); ++i)
        if (versions[i].time <= cutoff) removeVersion(versions[i]);
}

std::vector<std::uint8_t> readKeptRecord(const KeptVersion& version) {
    auto record = readFile(version.record, RecordBytes + 1);
    if (record.size() != RecordBytes) record.clear();
    return record;
}

}  // namespace vornix::storage
