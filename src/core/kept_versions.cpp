// The history of every slot: what is kept before a store, putting a kept
// version back into its slot, and the reminder of an old backup.
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"

namespace vornix {

void VornixControl::setClock(const storage::Clock& clock) {
    keeper_ = SlotKeeper(cache_.folder(), clock);
    backups_.setClock(clock);
}

void VornixControl::keepBeforeStore(int slot) {
    keeper_.keepCached(
        slot, soundFromPresetFile_ ? storage::KeepReason::Import : storage::KeepReason::Store);
}

Result VornixControl::putBack(int slot, int index) {
    const auto version = keeper_.version(slot, index);
    if (!version)
        return Result::failed("slot " + std::to_string(slot) + " has no kept version " +
                              std::to_string(index));
    if (!online()) return Result::failed("the pedal is not online");
    if (bankImport_.active() || bankExport_.active() || putBack_.active() || backups_.active())
        return Result::failed("another transfer is under way");
    auto record = storage::readKeptRecord(*version);
    if (record.empty())
        return Result::failed("the kept record " + version->record.string() + " is damaged");
    // What the slot holds now is kept too: a Put Back can be taken back.
    keeper_.keepCached(slot, storage::KeepReason::Restore);
    PutBackMessages messages = putBackMessages(*version, record, cache_.folder());
    putBack_.begin(slot, std::move(record));
    bankImport_.startMessages(std::move(messages.bytes), std::move(messages.starts));
    return Result::done();
}

// The restore ended: verified by the checksum page, the slot is read back.
// One that failed was reported by the import itself.
void VornixControl::finishPutBackRestore(bool restored) {
    if (!restored) {
        const int slot = putBack_.slot();
        putBack_.end();
        if (!bankImport_.outcome().empty()) {
            link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, false);
            link_.showMessage(bankImport_.outcome());
        }
        link_.events().emit(&TransferEvents::slotPutBack, slot, false,
                            bankImport_.outcome().empty() ? std::string("the restore failed")
                                                          : bankImport_.outcome());
        sendPreset();
        return;
    }
    putBack_.readingBack();
    link_.requestPreset(putBack_.slot());
}

// The slot as the pedal holds it now is cached.
void VornixControl::finishPutBack(const sysex::BlockView& readBack) {
    const int slot = putBack_.slot();
    const bool same = readBack.checksumOk && putBack_.matches(readBack.block);
    if (readBack.checksumOk) {
        cache_.store(slot, readBack.block, readBack.sent);
        cache_.setRowFromName(slot, slot + intValue(param::PatchOffset),
                              readBack.block.subspan(sysex::record::Name, sysex::NameBytes));
    }
    endPutBack(same, same ? "" : "the slot read back differs from the kept version");
}

void VornixControl::putBackUnanswered() {
    if (putBack_.mayAskAgain())
        link_.requestPreset(putBack_.slot());
    else
        endPutBack(false, "the slot could not be read back");
}

// Either way the sound being edited goes back to the pedal's edit buffer.
void VornixControl::endPutBack(bool ok, const std::string& why) {
    const int slot = putBack_.slot();
    putBack_.end();
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, ok);
    link_.events().emit(&TransferEvents::slotPutBack, slot, ok, why);
    link_.showMessage(ok ? "Finished successfully!" : "Put Back: " + why + ".");
    sendPreset();
}

// A pedal that never identified itself with an accepted version (only its
// loader answers, or its firmware is refused) cannot be read: it is updated
// without a backup, and the user is told so.
void VornixControl::backUpBeforeFirmware(std::function<void()> update) {
    if (backups_.enabled() && connection_.device().serial.empty()) {
        link_.showMessage("The pedal cannot be read: the firmware is updated without a backup.");
        update();
        return;
    }
    backups_.beforeDestructiveStep(std::move(update));
}

void VornixControl::remindOfOldBackup() {
    const auto days = backups_.reminderDue();
    if (!days) return;
    link_.events().emit(&TransferEvents::backupOverdue, *days);
    if (*days < 0) link_.events().emit(&MessageEvents::note, "this pedal has no backup yet");
}

}  // namespace vornix
