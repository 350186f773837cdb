#include "core/backup_first.hpp"

#include <chrono>

#include "storage/bank_file.hpp"
#include "storage/device_backups.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

// The checksum page is asked for four times in 4.4 s (see Link).
constexpr int VerifyTimeoutTicks = 50;

sysex::ByteSpan messageAt(const std::vector<std::uint8_t>& bytes,
                          const std::vector<std::size_t>& starts, std::size_t index) {
    const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : bytes.size();
    return sysex::ByteSpan(bytes).subspan(starts[index], end - starts[index]);
}

}  // namespace

std::string backupMismatch(const std::filesystem::path& bank,
                           const sysex::PresetChecksums& device) {
    const storage::LoadedBank loaded = storage::loadBankFile(bank);
    if (!loaded.ok()) return loaded.error;
    std::string differing;
    for (std::size_t slot = 0; slot < device.size(); ++slot) {
        const auto parsed = sysex::parseBlockMessage(messageAt(loaded.bytes, loaded.starts, slot));
        if (parsed.view.sent == device[slot]) continue;
        differing += (differing.empty() ? "" : ", ") + std::to_string(slot);
    }
    return differing.empty() ? "" : "presets " + differing + " differ from the pedal";
}

void BackupFirst::beforeDestructiveStep(std::function<void()> step) {
    if (!enabled_) {
        step();
        return;
    }
    link_.platform().messageBox(BackupFirstQuestion, "", Buttons::OkCancel,
                                [this, step = std::move(step)](Answer answer) mutable {
                                    if (answer == Answer::Ok) {
                                        start(std::move(step));
                                        return;
                                    }
                                    link_.platform().messageBox(
                                        WithoutBackupQuestion, "", Buttons::OkCancel,
                                        [step = std::move(step)](Answer without) {
                                            if (without == Answer::Ok) step();
                                        });
                                });
}

void BackupFirst::backUpNow(std::function<void()> then) {
    start(std::move(then));
}

void BackupFirst::start(std::function<void()> then) {
    if (active() || export_.active()) {
        link_.showMessage("A backup is already under way.");
        return;
    }
    const std::string& serial = connection_.device().serial;
    if (const auto recent = storage::latestBackup(folder_, serial);
        recent && clock_() - recent->time < std::chrono::minutes(RecentBackupMinutes)) {
        link_.events().emit(&TransferEvents::backupFinished, true, recent->path.string());
        if (then) then();
        return;
    }
    if (!connection_.online()) {
        finish(false, "the pedal cannot be read");
        return;
    }
    then_ = std::move(then);
    storage::ensureFolder(folder_.backupsFolder());
    target_ = storage::backupPath(folder_, clock_(), serial);
    phase_ = Phase::Exporting;
    export_.start(target_);
}

void BackupFirst::transferEnded(Transfer transfer, bool ok) {
    if (transfer != Transfer::BankExport || phase_ != Phase::Exporting) return;
    if (!ok) {
        finish(false, "the pedal could not be read whole");
        return;
    }
    phase_ = Phase::Verifying;
    waitTicks_ = 0;
    link_.requestPage(sysex::page::Checksums);
}

void BackupFirst::verify(const sysex::PresetChecksums& device) {
    const std::string why = backupMismatch(target_, device);
    if (!why.empty()) {
        std::error_code ignored;
        std::filesystem::remove(target_, ignored);
        finish(false, why);
        return;
    }
    storage::pruneBackups(folder_, clock_());
    finish(true, target_.string());
}

void BackupFirst::finish(bool ok, const std::string& pathOrWhy) {
    link_.events().emit(&TransferEvents::backupFinished, ok, pathOrWhy);
    if (!ok) {
        phase_ = Phase::Idle;
        then_ = nullptr;
        link_.showMessage("The backup failed: " + pathOrWhy + ". Nothing was changed.");
        return;
    }
    phase_ = then_ ? Phase::StepDue : Phase::Idle;
}

void BackupFirst::tick() {
    if (phase_ == Phase::Verifying && ++waitTicks_ > VerifyTimeoutTicks) {
        finish(false, "the pedal did not send its preset checksums");
        return;
    }
    if (phase_ != Phase::StepDue) return;
    phase_ = Phase::Idle;
    auto step = std::move(then_);
    then_ = nullptr;
    step();
}

std::optional<int> BackupFirst::reminderDue() {
    const std::string& serial = connection_.device().serial;
    if (!enabled_ || remindedSerial_ == serial) return std::nullopt;
    remindedSerial_ = serial;
    const int days = daysSinceLastBackup();
    if (days >= 0 && days <= BackupReminderDays) return std::nullopt;
    return days;
}

int BackupFirst::daysSinceLastBackup() const {
    const auto latest = storage::latestBackup(folder_, connection_.device().serial);
    return latest ? storage::daysBetween(latest->time, clock_()) : -1;
}

}  // namespace vornix
