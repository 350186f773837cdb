#include "storage/data_folder.hpp"

#include <signal.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "storage/file_io.hpp"

namespace vornix::storage {

namespace {

constexpr unsigned FirstFactoryIr = 384;
constexpr unsigned FactoryFileMask = 0x7F;

bool isCacheFileName(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot != std::string::npos && name.substr(dot) == ".dat";
}

void deleteCacheFiles(const std::filesystem::path& folder) {
    for (const DirectoryEntry& entry : scanDirectory(folder)) {
        if (entry.isFolder || !isCacheFileName(entry.name)) continue;
        std::error_code ignored;
        std::filesystem::remove(folder / entry.name, ignored);
    }
}

// Signal 0 only asks whether the process exists. EPERM means it does, under
// another user; a PID taken over by an unrelated process keeps the file, which
// errs on the safe side.
bool processRuns(long pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::size_t removeStaleIn(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    for (const DirectoryEntry& entry : scanDirectory(folder)) {
        if (entry.isFolder) continue;
        const auto writer = temporaryFileWriter(entry.name);
        if (!writer || processRuns(*writer)) continue;
        std::error_code error;
        if (std::filesystem::remove(folder / entry.name, error)) ++removed;
    }
    return removed;
}

}  // namespace

DataFolder DataFolder::fromEnvironment() {
    if (const char* dir = std::getenv("VORNIX_DATA_DIR"); dir && *dir) return DataFolder(dir);
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return DataFolder(std::filesystem::path(xdg) / "VornixControl");
    const char* home = std::getenv("HOME");
    return DataFolder(std::filesystem::path(home ? home : ".") / ".local" / "share" /
                      "VornixControl");
}

std::string DataFolder::slotFileName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.dat", number);
    return name;
}

std::filesystem::path DataFolder::presetSlotFile(int slot) const {
    return presetsFolder() / slotFileName(slot + 1);
}

std::filesystem::path DataFolder::irFolderFor(unsigned irNumber) const {
    return irNumber >= FirstFactoryIr ? factoryIrFolder() : userIrFolder();
}

std::filesystem::path DataFolder::irFile(unsigned irNumber) const {
    const int number = irNumber >= FirstFactoryIr ? static_cast<int>(irNumber & FactoryFileMask) + 1
                                                  : static_cast<int>(irNumber) + 1;
    return irFolderFor(irNumber) / slotFileName(number);
}

void clearCache(const DataFolder& folder) {
    deleteCacheFiles(folder.presetsFolder());
    deleteCacheFiles(folder.userIrFolder());
    deleteCacheFiles(folder.factoryIrFolder());
}

std::size_t removeStaleTemporaryFiles(const DataFolder& folder) {
    std::size_t removed = 0;
    for (const auto& cacheFolder :
         {folder.root(), folder.presetsFolder(), folder.userIrFolder(), folder.factoryIrFolder()})
        removed += removeStaleIn(cacheFolder);
    // The simulator keeps its IRs in a folder of its own inside.
    removed += removeStaleIn(folder.simulatorFolder());
    for (const DirectoryEntry& entry : scanDirectory(folder.simulatorFolder()))
        if (entry.isFolder) removed += removeStaleIn(folder.simulatorFolder() / entry.name);
    // The backups, and the kept versions of each slot in a folder of its own.
    removed += removeStaleIn(folder.backupsFolder());
    for (const DirectoryEntry& entry : scanDirectory(folder.historyFolder()))
        if (entry.isFolder) removed += removeStaleIn(folder.historyFolder() / entry.name);
    return removed;
}

}  // namespace vornix::storage
