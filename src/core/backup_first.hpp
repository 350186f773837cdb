#pragma once
// A whole-device backup before every step that overwrites the pedal (a bank
// restore, a factory reset, a firmware update), and Back Up Now. The backup
// is the bank export into the data folder's Backups/, checked afterwards
// against the pedal's checksum page; one younger than ten minutes of the
// same pedal is taken as it is.
#include <functional>
#include <optional>
#include <string>

#include "core/bank_export.hpp"
#include "core/connection.hpp"
#include "core/editor_events.hpp"
#include "core/link.hpp"
#include "storage/data_folder.hpp"
#include "storage/utc_stamp.hpp"

namespace vornix {

inline constexpr const char* BackupFirstQuestion =
    "A backup of the pedal is taken first (about 20 seconds).";
inline constexpr const char* WithoutBackupQuestion = "Continue without a backup?";
inline constexpr int RecentBackupMinutes = 10;
inline constexpr int BackupReminderDays = 7;

class BackupFirst : public TransferEvents {
  public:
    BackupFirst(Link& link, BankExport& bankExport, const Connection& connection,
                storage::DataFolder folder)
        : link_(link), export_(bankExport), connection_(connection), folder_(std::move(folder)) {}

    void setClock(storage::Clock clock) { clock_ = std::move(clock); }
    // Off in a bare editor (tests of other things); the programs turn it on.
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }
    bool active() const { return phase_ != Phase::Idle; }

    // Asks first; OK backs up, verifies and then runs `step`; Cancel asks
    // whether to go on without. A backup that fails stops there. Disabled,
    // `step` runs at once.
    void beforeDestructiveStep(std::function<void()> step);
    // A backup with the default name and no question; `then` runs after a
    // verified one.
    void backUpNow(std::function<void()> then = {});
    // The checksum page that verifies the backup.
    bool verifying() const { return phase_ == Phase::Verifying; }
    void verify(const sysex::PresetChecksums& device);
    // The device tick: the step that waits for a verified backup runs here,
    // outside the event that ended the backup.
    void tick();
    // Days since the connected pedal's last backup, or -1 when it has none.
    int daysSinceLastBackup() const;
    // Once per pedal and run, when enabled: the days since its last backup
    // when that is older than a week (-1 when it has none).
    std::optional<int> reminderDue();

    void transferEnded(Transfer transfer, bool ok) override;

  private:
    enum class Phase { Idle, Exporting, Verifying, StepDue };

    void start(std::function<void()> then);
    void finish(bool ok, const std::string& pathOrWhy);

    Link& link_;
    BankExport& export_;
    const Connection& connection_;
    storage::DataFolder folder_;
    storage::Clock clock_ = storage::systemClock();
    bool enabled_ = false;
    Phase phase_ = Phase::Idle;
    std::function<void()> then_;
    std::filesystem::path target_;
    int waitTicks_ = 0;
    std::optional<std::string> remindedSerial_;
};

// Why a bank file does not hold the presets the checksum page names, or empty.
std::string backupMismatch(const std::filesystem::path& bank, const sysex::PresetChecksums& device);

}  // namespace vornix
