// Backup file names and their retention on a hand-set clock.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "storage/device_backups.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

using namespace std::chrono;

const TimePoint Start = sys_days{year{2026} / 1 / 1} + hours{9};

TEST(DeviceBackups, NamesByUtcTimeAndSerialAndListsNewestFirstPerPedal) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    EXPECT_EQ(backupPath(folder, Start, "VX 12/7").filename(), "20260101-090000-VX_12_7.kvb");
    std::filesystem::create_directories(folder.backupsFolder());
    writeFile(backupPath(folder, Start, "A"), std::vector<std::uint8_t>{1});
    writeFile(backupPath(folder, Start + hours{1}, "B"), std::vector<std::uint8_t>{1});
    writeFile(backupPath(folder, Start + hours{2}, "A"), std::vector<std::uint8_t>{1});
    writeFile(folder.backupsFolder() / "notes.kvb", std::vector<std::uint8_t>{1});
    const auto listed = listBackups(folder);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].time, Start + hours{2});
    EXPECT_EQ(latestBackup(folder, "B")->time, Start + hours{1});
    EXPECT_FALSE(latestBackup(folder, "C"));
}

// A backup every day for 400 days (two pedals): each keeps its newest 10,
// one a week for 8 weeks and one a month for 12 months, and nothing older.
TEST(DeviceBackups, RetentionOver400DaysKeepsTenThenWeeksThenMonths) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    std::filesystem::create_directories(folder.backupsFolder());
    TimePoint now = Start;
    for (int day = 0; day < 400; ++day) {
        for (const char* serial : {"A", "B"})
            writeFile(backupPath(folder, now, serial), std::vector<std::uint8_t>{1});
        pruneBackups(folder, now);
        now += days{1};
    }
    now -= days{1};
    for (const char* serial : {"A", "B"}) {
        SCOPED_TRACE(serial);
        std::vector<BackupFile> mine;
        for (const BackupFile& b : listBackups(folder))
            if (b.serial == serial) mine.push_back(b);
        ASSERT_GE(mine.size(), 10u);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(mine[static_cast<std::size_t>(i)].time, now - days{i}) << "the newest 10";
        EXPECT_LE(mine.size(), 10u + 8u + 12u);
        EXPECT_GE(mine.size(), 10u + 5u + 9u);
        std::set<long> weeks;
        for (const BackupFile& b : mine)
            if (b.time > now - days{7 * 8})
                weeks.insert(floor<days>(b.time).time_since_epoch().count() / 7);
        EXPECT_GE(weeks.size(), 8u) << "every one of the last 8 weeks has one";
        EXPECT_GT(mine.back().time, now - days{366}) << "nothing older than 12 months";
        EXPECT_LT(mine.back().time, now - days{300}) << "the months go back about a year";
    }
}

TEST(DeviceBackups, FewerThanTenAreAllKeptWhateverTheirAge) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    std::filesystem::create_directories(folder.backupsFolder());
    for (int i = 0; i < 5; ++i)
        writeFile(backupPath(folder, Start + days{100 * i}, "A"), std::vector<std::uint8_t>{1});
    EXPECT_EQ(pruneBackups(folder, Start + days{2000}), 0);
    EXPECT_EQ(listBackups(folder).size(), 5u);
}

}  // namespace
}  // namespace vornix::storage
