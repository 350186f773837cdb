#include "storage/device_backups.hpp"

#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "storage/file_io.hpp"

namespace vornix::storage {

namespace {

using namespace std::chrono;

constexpr std::string_view Extension = ".kvb";

// The pedal pads its serial number with spaces.
std::string safeSerial(const std::string& serial) {
    const auto end = serial.find_last_not_of(' ');
    std::string safe = end == std::string::npos ? "unknown" : serial.substr(0, end + 1);
    for (char& c : safe)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
              c == '-'))
            c = '_';
    return safe;
}

std::optional<BackupFile> backupFromName(const std::filesystem::path& folder,
                                         const std::string& name) {
    if (name.size() <= UtcStampLength + 1 + Extension.size() || !name.ends_with(Extension) ||
        name[UtcStampLength] != '-')
        return std::nullopt;
    const auto time = parseUtcStamp(std::string_view(name).substr(0, UtcStampLength));
    if (!time) return std::nullopt;
    return BackupFile{.path = folder / name,
                      .time = *time,
                      .serial = name.substr(UtcStampLength + 1,
                                            name.size() - UtcStampLength - 1 - Extension.size())};
}

// Calendar weeks counted from the epoch (a Thursday: the week's first day does
// not matter, only that the weeks do not move as time goes on).
long weekOf(TimePoint time) {
    return static_cast<long>(floor<days>(time).time_since_epoch().count() / 7);
}

long monthOf(TimePoint time) {
    const year_month_day date{floor<days>(time)};
    return static_cast<long>(static_cast<int>(date.year())) * 12 +
           static_cast<long>(static_cast<unsigned>(date.month()));
}

// Walks one pedal's backups newest first: each is kept as one of the newest,
// as its week's newest within the weeks kept, or as its month's newest.
void dropOfOnePedal(const std::vector<BackupFile>& newestFirst, TimePoint now,
                    std::vector<BackupFile>& dropped) {
    const long firstWeek = weekOf(now) - WeeklyBackupWeeks + 1;
    const long firstMonth = monthOf(now) - MonthlyBackupMonths + 1;
    std::set<long> weeksTaken, monthsTaken;
    int kept = 0;
    for (const BackupFile& backup : newestFirst) {
        const long week = weekOf(backup.time), month = monthOf(backup.time);
        const bool newest = kept < KeptNewestBackups;
        const bool weekly = week >= firstWeek && weeksTaken.insert(week).second;
        const bool monthly = month >= firstMonth && monthsTaken.insert(month).second;
        if (newest || weekly || monthly)
            ++kept;
        else
            dropped.push_back(backup);
    }
}

}  // namespace

std::filesystem::path backupPath(const DataFolder& folder, TimePoint time,
                                 const std::string& serial) {
    return folder.backupsFolder() /
           (utcStamp(time) + "-" + safeSerial(serial) + std::string(Extension));
}

std::vector<BackupFile> listBackups(const DataFolder& folder) {
    std::vector<BackupFile> backups;
    for (const DirectoryEntry& entry : scanDirectory(folder.backupsFolder())) {
        if (entry.isFolder) continue;
        if (auto backup = backupFromName(folder.backupsFolder(), entry.name))
            backups.push_back(std::move(*backup));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupFile& a, const BackupFile& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return backups;
}

std::optional<BackupFile> latestBackup(const DataFolder& folder, const std::string& serial) {
    const std::string wanted = safeSerial(serial);
    for (BackupFile& backup : listBackups(folder))
        if (backup.serial == wanted) return std::move(backup);
    return std::nullopt;
}

std::vector<BackupFile> backupsToDrop(const std::vector<BackupFile>& newestFirst, TimePoint now) {
    std::map<std::string, std::vector<BackupFile>> byPedal;
    for (const BackupFile& backup : newestFirst) byPedal[backup.serial].push_back(backup);
    std::vector<BackupFile> dropped;
    for (const auto& [serial, backups] : byPedal) dropOfOnePedal(backups, now, dropped);
    return dropped;
}

int pruneBackups(const DataFolder& folder, TimePoint now) {
    int removed = 0;
    for (const BackupFile& backup : backupsToDrop(listBackups(folder), now)) {
        std::error_code ignored;
        removed += std::filesystem::remove(backup.path, ignored) ? 1 : 0;
    }
    return removed;
}

}  // namespace vornix::storage
