#pragma once
// The per-user data folder and the names of the cache files inside it.
#include <cstddef>
#include <filesystem>
#include <string>

namespace vornix::storage {

class DataFolder {
  public:
    explicit DataFolder(std::filesystem::path root) : root_(std::move(root)) {}
    // $VORNIX_DATA_DIR, else $XDG_DATA_HOME/VornixControl, else
    // ~/.local/share/VornixControl.
    static DataFolder fromEnvironment();

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path presetsFolder() const { return root_ / "Presets"; }
    std::filesystem::path userIrFolder() const { return root_ / "User IRs"; }
    std::filesystem::path factoryIrFolder() const { return root_ / "Factory IRs"; }
    std::filesystem::path settingsFile() const { return root_ / "settings.ini"; }
    // The built-in simulated pedal's memory between runs.
    std::filesystem::path simulatorFolder() const { return root_ / "Simulator"; }
    // What the editor kept of overwritten slots (History/NNN/), and its
    // whole-device backups taken before destructive steps.
    std::filesystem::path historyFolder() const { return root_ / "History"; }
    std::filesystem::path backupsFolder() const { return root_ / "Backups"; }

    // "%03d.dat" of a 1-based number.
    static std::string slotFileName(int number);
    // The cache file of preset slot 0..127.
    std::filesystem::path presetSlotFile(int slot) const;
    // The cache file of an IR number: above 383 the factory IR folder with
    // file number (n AND 0x7F) + 1, else the user IR folder with n + 1.
    std::filesystem::path irFile(unsigned irNumber) const;
    std::filesystem::path irFolderFor(unsigned irNumber) const;

  private:
    std::filesystem::path root_;
};

// Deletes every file ending exactly in ".dat" in the three cache folders;
// folders and other files (the factory WAVs) stay. Failures are ignored.
void clearCache(const DataFolder& folder);

// Deletes the temporary files (file_io's naming, nothing else) that writers
// which no longer run left behind in the data folder, the three cache
// folders, the simulator's folder and the folders inside it: a killed writer
// never gets to rename or remove its file. A file of a running process stays,
// as the editor and vornixctl may be writing into the same folder right now.
// Returns how many files were deleted; failures are ignored.
std::size_t removeStaleTemporaryFiles(const DataFolder& folder);

}  // namespace vornix::storage
