// What writers that were killed leave behind, and what a start-up clears.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "storage/data_folder.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

std::set<std::string> filesUnder(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_directory()) names.insert(fs::relative(entry.path(), root).string());
    return names;
}

// A PID that no process has any more: a child that has exited and been reaped.
pid_t finishedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

// A second process that runs until the object goes.
class RunningProcess {
  public:
    RunningProcess() : pid_(::fork()) {
        if (pid_ == 0) {
            ::pause();
            ::_exit(0);
        }
    }
    ~RunningProcess() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_;
};

std::string temporaryName(const std::string& target, pid_t writer, int counter = 0) {
    return "." + target + ".tmp-" + std::to_string(writer) + "-" + std::to_string(counter);
}

TEST(TemporaryFileName, NamesTheWriterOfAFileBeingWritten) {
    testing::TempDir dir;
    FileWriter writer(dir.path() / "064.dat");
    ASSERT_TRUE(writer.isOpen());
    const auto names = filesUnder(dir.path());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(temporaryFileWriter(*names.begin()), ::getpid()) << *names.begin();
    writer.discard();
}

TEST(TemporaryFileName, OnlyTheExactPatternIsOurs) {
    struct Case {
        const char* name;
        long writer;  // 0: not one of ours
    };
    const Case cases[] = {
        {".064.dat.tmp-13984-71", 13984},
        {".settings.ini.tmp-7-0", 7},
        {".my.tmp-files.kvb.tmp-12-3", 12},  // the last marker counts
        {"064.dat.tmp-13984-71", 0},         // not hidden
        {".064.dat.tmp-13984", 0},           // no counter
        {".064.dat.tmp-13984-", 0},
        {".064.dat.tmp--5-1", 0},
        {".064.dat.tmp-0-1", 0},  // kill(0) would ask about our own process group
        {".064.dat.tmp-12x-1", 0},
        {".064.dat.tmp-12-1~", 0},
        {".064.dat.tmp-99999999999999999999999-1", 0},
        {"..tmp-12-1", 0},  // no target name
        {".064.dat", 0},
        {"064.dat", 0},
        {".tmp-12-1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(temporaryFileWriter(c.name).value_or(0), c.writer) << c.name;
}

TEST(StaleTemporaryFiles, OnlyThoseOfFinishedWritersInOurFoldersGo) {
    testing::TempDir dir;
    const DataFolder folder(dir.path());
    const pid_t gone = finishedProcess();
    const RunningProcess other;
    const std::string stale[] = {
        temporaryName("settings.ini", gone),
        "Presets/" + temporaryName("064.dat", gone, 71),
        "User IRs/" + temporaryName("001.dat", gone),
        "Factory IRs/" + temporaryName("cab1.wav", gone),
        "Simulator/" + temporaryName("presets.bin", gone),
        "Simulator/irs/" + temporaryName("200.dat", gone),
        // The editor's backups and the versions it keeps of each slot.
        "Backups/" + temporaryName("20261210-120000-VX1.kvb", gone),
        "History/040/" + temporaryName("20261210-120000-store.dat", gone),
    };
    const std::set<std::string> kept{
        // Being written right now, by us and by another program.
        "Presets/" + temporaryName("001.dat", ::getpid()),
        "Presets/" + temporaryName("002.dat", other.pid()),
        "Simulator/irs/" + temporaryName("201.dat", other.pid()),
        // Files of the user or of other programs, whatever they look like.
        "Presets/001.dat",
        "Presets/" + temporaryName("003.dat", gone) + ".dat",
        "Presets/003.dat.tmp",
        "Presets/.hidden",
        "settings.ini",
        "Simulator/presets.bin.tmp",
        // Folders of the user's own are not ours to clean.
        "My Banks/" + temporaryName("all.kvb", gone),
    };
    for (const std::string& name : stale) touch(dir.path() / name);
    for (const std::string& name : kept) touch(dir.path() / name);
    // A folder is never removed, whatever its name.
    fs::create_directories(dir.path() / "Presets" / temporaryName("004.dat", gone));

    EXPECT_EQ(removeStaleTemporaryFiles(folder), std::size(stale));
    EXPECT_EQ(filesUnder(dir.path()), kept);
    EXPECT_TRUE(fs::is_directory(dir.path() / "Presets" / temporaryName("004.dat", gone)));
}

TEST(StaleTemporaryFiles, MissingFoldersAreNotAnError) {
    testing::TempDir dir;
    EXPECT_EQ(removeStaleTemporaryFiles(DataFolder(dir.path() / "nowhere")), 0u);
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));
}

}  // namespace
}  // namespace vornix::storage
