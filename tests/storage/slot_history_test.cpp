// The versions kept of each slot: names, order, retention on a hand-set clock.
#include <gtest/gtest.h>

#include <chrono>

#include "storage/file_io.hpp"
#include "storage/slot_history.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

using namespace std::chrono;

// 2026-12-10 12:00:00 UTC
const TimePoint Start = sys_days{year{2026} / 12 / 10} + hours{12};

KeptFiles recordNamed(char letter) {
    KeptFiles files;
    files.record.assign(256, 0);
    files.record[2] = static_cast<std::uint8_t>(letter);
    files.presetFile.assign(262, 1);
    return files;
}

struct History {
    testing::TempDir dir;
    TimePoint now = Start;
    SlotHistory history{DataFolder(dir.path()), [this] { return now; }};
};

TEST(UtcStamp, NamesTheTimeInUtcAndReadsItBack) {
    EXPECT_EQ(utcStamp(Start + minutes{5} + seconds{7}), "20261210-120507");
    EXPECT_EQ(parseUtcStamp("20261210-120507"), Start + minutes{5} + seconds{7});
    for (const char* bad : {"20261310-120507", "20261210-250000", "2026121-1205071", "x"})
        EXPECT_FALSE(parseUtcStamp(bad)) << bad;
}

TEST(SlotHistory, KeepsEveryFileUnderTheSlotsFolderNamedByTimeAndReason) {
    History h;
    KeptFiles files = recordNamed('A');
    files.ir7 = std::vector<std::uint8_t>(2436, 7);
    ASSERT_TRUE(h.history.keep(39, files, KeepReason::ChangedOnPedal));
    const auto folder = h.dir.path() / "History" / "040";
    EXPECT_EQ(readFile(folder / "20261210-120000-changed-on-pedal.dat"), files.record);
    EXPECT_EQ(readFile(folder / "20261210-120000-changed-on-pedal-ir7.dat"), *files.ir7);
    EXPECT_EQ(readFile(folder / "20261210-120000-changed-on-pedal.kvp"), files.presetFile);
    EXPECT_FALSE(std::filesystem::exists(folder / "20261210-120000-changed-on-pedal-ir8.dat"));
    const auto listed = h.history.list(39);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].reason, KeepReason::ChangedOnPedal);
    EXPECT_EQ(listed[0].name, "A");
    EXPECT_EQ(readKeptRecord(listed[0]), files.record);
}

// Two stores into one slot within a second keep both versions, in order.
TEST(SlotHistory, ListsNewestFirstAndNeverReplacesAVersionOfTheSameSecond) {
    History h;
    h.history.keep(5, recordNamed('A'), KeepReason::Store);
    h.history.keep(5, recordNamed('B'), KeepReason::Store);
    h.now += hours{1};
    h.history.keep(5, recordNamed('C'), KeepReason::Restore);
    h.history.keep(6, recordNamed('D'), KeepReason::Reset);
    std::string order;
    for (const auto& v : h.history.list(5)) order += v.name;
    EXPECT_EQ(order, "CBA");
    std::string all;
    for (const auto& v : h.history.listAll()) all += v.name;
    EXPECT_EQ(all.size(), 4u);
    EXPECT_EQ(all.substr(2), "BA");
}

// A version whose record never got written (a kill between the files) is not listed.
TEST(SlotHistory, OnlyVersionsWithAWholeRecordAreListed) {
    History h;
    const auto folder = h.history.folderOf(0);
    std::filesystem::create_directories(folder);
    writeFile(folder / "20261210-120000-store.kvp", std::vector<std::uint8_t>(262));
    writeFile(folder / "not-a-version.dat", std::vector<std::uint8_t>(256));
    writeFile(folder / "20261210-120001-store.dat", std::vector<std::uint8_t>(100));
    const auto listed = h.history.list(0);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_TRUE(readKeptRecord(listed[0]).empty()) << "a short record is not put back";
}

// One store a day for 120 days, three a day in the last ten: the newest 50
// and everything younger than 30 days stay, all else goes with its companions.
TEST(SlotHistory, RetentionKeepsTheNewestFiftyAndTheLastThirtyDays) {
    History h;
    for (int day = 0; day < 120; ++day) {
        const int stores = day >= 110 ? 3 : 1;
        for (int i = 0; i < stores; ++i) h.history.keep(9, recordNamed('x'), KeepReason::Store);
        h.now += days{1};
    }
    const auto versions = h.history.list(9);
    // Days 90-119 (30 days, 10 of them with three stores) hold 50 versions;
    // the newest 50 are the same ones.
    EXPECT_EQ(versions.size(), 50u);
    EXPECT_GE(versions.back().time, h.now - days{31});
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(h.history.folderOf(9))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 100) << "a .dat and a .kvp per version, nothing left of the others";
    // Another slot's versions are not touched by this slot's retention.
    h.history.keep(10, recordNamed('y'), KeepReason::Store);
    EXPECT_EQ(h.history.list(10).size(), 1u);
}

TEST(SlotHistory, AVersionYoungerThanThirtyDaysStaysBeyondFifty) {
    History h;
    for (int i = 0; i < 80; ++i) {
        h.history.keep(1, recordNamed('x'), KeepReason::Store);
        h.now += hours{1};
    }
    EXPECT_EQ(h.history.list(1).size(), 80u);
}

}  // namespace
}  // namespace vornix::storage
