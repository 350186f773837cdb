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
    keeper_.keepCached(slot, soundFromPresetFile_ ? storage::KeepReason::Import
                                                  : storage::KeepReason::Store);
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

// The slot as the pedal holds it now is cached; the sound being edited goes
// back to the pedal's edit buffer.
void VornixControl::finishPutBack(const sysex::BlockView& readBack) {
    const int slot = putBack_.slot();
    const bool same = readBack.checksumOk && putBack_.matches(readBack.block);
    putBack_.end();
    if (readBack.checksumOk) {
        cache_.store(slot, readBack.block, readBack.sent);
        cache_.setRowFromName(slot, slot + intValue(param::PatchOffset),
                              readBack.block.subspan(sysex::record::Name, sysex::NameBytes));
    }
    const std::string why = same ? "" : "the slot read back differs from the kept version";
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, same);
    link_.events().emit(&TransferEvents::slotPutBack, slot, same, why);
    link_.showMessage(same ? "Finished successfully!" : "Put Back: " + why + ".");
    sendPreset();
}

void VornixControl::remindOfOldBackup() {
    const auto days = backups_.reminderDue();
    if (!days) return;
    link_.events().emit(&TransferEvents::backupOverdue, *days);
    if (*days < 0)
        link_.events().emit(&MessageEvents::note, "this pedal has no backup yet");
}

}  // namespace vornix
