#pragma once
// The versions of each preset slot that the editor kept before the slot was
// overwritten: History/NNN/ (NNN the 1-based slot, as the cache names its
// files), each version a group of files named by its UTC time and reason,
// "YYYYMMDD-HHMMSS-REASON":
//   .dat       the 256-byte record exactly as cached
//   -ir7.dat   the IR slot file of position 7's user IR, when it plays one
//   -ir8.dat   the same for position 8
//   .kvp       the version as a preset file, for use elsewhere
// The record is written last: a version is listed by its .dat, so a version
// cut short by a kill is never listed half. Each file is written atomically.
//
// Retention: the newest 50 versions of a slot and every version younger than
// 30 days are kept; nothing else is ever deleted.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/data_folder.hpp"
#include "storage/utc_stamp.hpp"

namespace vornix::storage {

enum class KeepReason { Store, Import, Restore, Reset, Library, ChangedOnPedal };
std::string_view reasonWord(KeepReason reason);
std::optional<KeepReason> reasonFromWord(std::string_view word);

inline constexpr int KeptVersionsPerSlot = 50;
inline constexpr int KeptDaysPerSlot = 30;

// What is kept of one version.
struct KeptFiles {
    std::vector<std::uint8_t> record;
    std::optional<std::vector<std::uint8_t>> ir7;
    std::optional<std::vector<std::uint8_t>> ir8;
    std::vector<std::uint8_t> presetFile;
};

struct KeptVersion {
    int slot = 0;  // 0-based
    TimePoint time;
    KeepReason reason = KeepReason::Store;
    std::string name;              // the preset's name in the record, trimmed
    std::filesystem::path record;  // the .dat; the other files share its stem

    std::filesystem::path companion(std::string_view suffix) const;
};

class SlotHistory {
  public:
    SlotHistory(DataFolder folder, Clock clock)
        : folder_(std::move(folder)), clock_(std::move(clock)) {}

    std::filesystem::path folderOf(int slot) const;
    // Writes a version of `slot` at the clock's time, then applies the
    // retention to that slot. A second version within the same second takes
    // the next free second, so that none replaces another. False when a file
    // could not be written (the record then is not there either).
    bool keep(int slot, const KeptFiles& files, KeepReason reason);
    // Newest first: the versions of one slot, or of every slot.
    std::vector<KeptVersion> list(int slot) const;
    std::vector<KeptVersion> listAll() const;
    // Deletes what the retention no longer keeps of `slot`.
    void prune(int slot) const;

  private:
    std::vector<KeptVersion> versionsOf(int slot) const;

    DataFolder folder_;
    Clock clock_;
};

// The record of a version (256 bytes), or empty when it cannot be read whole.
std::vector<std::uint8_t> readKeptRecord(const KeptVersion& version);

}  // namespace vornix::storage
