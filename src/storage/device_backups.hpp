#pragma once
// Whole-device backups taken before a destructive step (and by Back Up Now):
// bank files in the data folder's Backups/, named "YYYYMMDD-HHMMSS-SERIAL.kvb"
// with the time in UTC and the pedal's serial number.
//
// Retention, for each pedal on its own: the newest 10; beyond them the newest
// of each calendar week for the last 8 weeks and the newest of each calendar
// month for the last 12 months. Anything else is deleted.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "storage/data_folder.hpp"
#include "storage/utc_stamp.hpp"

namespace vornix::storage {

inline constexpr int KeptNewestBackups = 10;
inline constexpr int WeeklyBackupWeeks = 8;
inline constexpr int MonthlyBackupMonths = 12;

struct BackupFile {
    std::filesystem::path path;
    TimePoint time;
    std::string serial;
};

// The backup's file name; characters a file name should not hold in the
// serial become '_'.
std::filesystem::path backupPath(const DataFolder& folder, TimePoint time,
                                 const std::string& serial);
// Newest first; files named otherwise are left out.
std::vector<BackupFile> listBackups(const DataFolder& folder);
// The newest backup of the pedal with this serial number.
std::optional<BackupFile> latestBackup(const DataFolder& folder, const std::string& serial);
// What the retention drops of a newest-first list (any number of pedals).
std::vector<BackupFile> backupsToDrop(const std::vector<BackupFile>& newestFirst, TimePoint now);
// Deletes what the retention drops; returns how many files went.
int pruneBackups(const DataFolder& folder, TimePoint now);

}  // namespace vornix::storage
