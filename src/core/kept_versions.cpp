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
    using storage::KeepReason;
    const KeepReason reason = storingLibraryEntry_   ? KeepReason::Library
                              : soundFromPresetFile_ ? KeepReason::Import
                                                     : KeepReason::Store;
    keeper_.keepCached(slot, reason);
}

void VornixControl::storeLibraryEntry(int slot) {
    storingLibraryEntry_ = true;
    storePreset(slot);
    storingLibraryEntry_ = false;
}

Result VornixControl::putBack(int slot, int index) {
    const auto version = keeper_.version(slot, index);
    if (!version)
        return Result::failed("slot " + std::to_string(slot) + " has no kept version " +
                              std::to_string(index));
    SlotContent content = keptContent(*version);
    if (content.record.empty())
        return Result::failed("the kept record " + version->record.string() + " is damaged");
    // What the slot holds now is kept too: a Put Back can be taken back.
    return writeSlot(std::move(content), storage::KeepReason::Restore, "Put Back");
}

Result VornixControl::writeSlot(SlotContent content, storage::KeepReason reason,
                                const std::string& purpose, bool quiet) {
    if (!online()) return Result::failed("the pedal is not online");
    if (bankImport_.active() || bankExport_.active() || slotWrite_.active() || backups_.active())
        return Result::failed("another transfer is under way");
    if (content.slot < 0 || content.slot >= NumPresets ||
        content.record.size() != sysex::RecordSize)
        return Result::failed("there is no such slot or record");
    keeper_.keepCached(content.slot, reason);
    SlotWriteMessages messages = slotWriteMessages(content, cache_.folder());
    slotWrite_.begin(content.slot, std::move(content.record), std::move(messages.irs), purpose,
                     quiet);
    bankImport_.startMessages(std::move(messages.bytes), std::move(messages.starts));
    return Result::done();
}

// The restore ended: verified by the checksum page, the slot is read back.
// One that failed was reported by the import itself.
void VornixControl::finishSlotWriteRestore(bool restored) {
    if (!restored) {
        const int slot = slotWrite_.slot();
        slotWrite_.end();
        if (!bankImport_.outcome().empty()) {
            link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, false);
            link_.showMessage(bankImport_.outcome());
        }
        link_.events().emit(&TransferEvents::slotWritten, slot, false,
                            bankImport_.outcome().empty() ? std::string("the restore failed")
                                                          : bankImport_.outcome());
        sendPreset();
        return;
    }
    // The pedal took the user IRs: the cache holds them as it does.
    for (const auto& [number, slotFile] : slotWrite_.irs()) {
        ir::storeIrFile(cache_.folder(), number, slotFile);
        irNames_.refresh(cache_.folder(), number);
    }
    slotWrite_.readingBack();
    link_.requestPreset(slotWrite_.slot());
}

// The slot as the pedal holds it now is cached.
void VornixControl::finishSlotWrite(const sysex::BlockView& readBack) {
    const int slot = slotWrite_.slot();
    const bool same = readBack.checksumOk && slotWrite_.matches(readBack.block);
    if (readBack.checksumOk) {
        cache_.store(slot, readBack.block, readBack.sent);
        cache_.setRowFromName(slot, slot + intValue(param::PatchOffset),
                              readBack.block.subspan(sysex::record::Name, sysex::NameBytes));
    }
    endSlotWrite(same, same ? "" : "the slot read back differs from what was written");
}

void VornixControl::slotWriteUnanswered() {
    if (slotWrite_.mayAskAgain())
        link_.requestPreset(slotWrite_.slot());
    else
        endSlotWrite(false, "the slot could not be read back");
}

// Either way the sound being edited goes back to the pedal's edit buffer.
void VornixControl::endSlotWrite(bool ok, const std::string& why) {
    const int slot = slotWrite_.slot();
    const std::string message = ok ? (slotWrite_.quiet() ? "" : "Finished successfully!")
                                   : slotWrite_.purpose() + ": " + why + ".";
    slotWrite_.end();
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, ok);
    link_.events().emit(&TransferEvents::slotWritten, slot, ok, why);
    if (!message.empty()) link_.showMessage(message);
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
