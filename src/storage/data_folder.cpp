#include "storage/data_folder.hpp"

#include <cstdio>
#include <cstdlib>

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

}  // namespace vornix::storage
