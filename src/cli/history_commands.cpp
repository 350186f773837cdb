// history, history put-back and backups; the backup before restore, reset and firmware.
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "cli/waiters.hpp"
#include "storage/device_backups.hpp"

namespace vornix::cli {

namespace {

// "2026-12-10 15:36:22" of a file name's UTC stamp.
std::string readableTime(storage::TimePoint time) {
    const std::string stamp = storage::utcStamp(time);
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " +
           stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

bool slotNumber(const std::string& text, int& slot) {
    return parseNumber(text, slot) && slot >= 0 && slot < NumPresets;
}

void printVersions(const std::vector<storage::KeptVersion>& versions, bool numbered,
                   std::ostream& data) {
    int lastSlot = -1, index = 0;
    for (const storage::KeptVersion& version : versions) {
        index = version.slot == lastSlot ? index + 1 : 0;
        lastSlot = version.slot;
        char head[32];
        std::snprintf(head, sizeof head, "%3d %3d  ", version.slot, numbered ? index : 0);
        data << head << readableTime(version.time) << " UTC  " << reasonWord(version.reason)
             << "  \"" << version.name << "\"\n";
    }
}

CommandResult putBack(Session& session, const Args& args, std::ostream& data) {
    int slot = 0, index = 0;
    if (args.size() < 2 || !slotNumber(args[1], slot))
        return failed("history put-back needs a SLOT from 0 to 127");
    if (args.size() > 2 && (!parseNumber(args[2], index) || index < 0))
        return failed("INDEX must be a number as 'vornixctl history SLOT' lists it");
    if (!session.editor().slotHistory().version(slot, index))
        return failed("slot " + std::to_string(slot) + " has no kept version " +
                      std::to_string(index));
    if (!session.synchronise()) return deviceFailure(session);
    PutBackWaiter done(session.editor().link().events());
    if (const Result started = session.editor().putBack(slot, index); !started)
        return failed(started.error());
    if (!session.waitFor([&] { return done.ended(); })) return deviceFailure(session);
    if (!done.succeeded()) return failed("put back failed: " + done.why());
    data << "slot " << slot << " holds version " << index << " again\n";
    return {};
}

}  // namespace

CommandResult backUpFirst(Session& session) {
    if (session.options().noBackup) return {};
    BackupWaiter done(session.editor().link().events());
    session.human() << "backing up the pedal first...\n";
    session.editor().backups().backUpNow();
    if (!session.waitFor([&] { return done.ended(); })) return deviceFailure(session);
    if (!done.succeeded())
        return failed("the backup failed: " + done.text() +
                      "; nothing was changed (--no-backup goes on without one)");
    session.human() << "backup: " << done.text() << '\n';
    return {};
}

namespace command {

// The list needs no device; put-back does.
// Listing reads the data folder; a put-back reaches the device.
Needs historyNeeds(const Args& args) {
    return !args.empty() && args[0] == "put-back" ? Needs::Device : Needs::CacheOnly;
}

CommandResult history(Session& session, const Args& args, std::ostream& data) {
    if (!args.empty() && args[0] == "put-back") return putBack(session, args, data);
    const SlotKeeper& keeper = session.editor().slotHistory();
    if (args.empty()) {
        auto all = keeper.history().listAll();
        std::stable_sort(all.begin(), all.end(),
                         [](const auto& a, const auto& b) { return a.slot < b.slot; });
        printVersions(all, true, data);
        return {};
    }
    int slot = 0;
    if (!slotNumber(args[0], slot)) return failed("SLOT must be a preset number from 0 to 127");
    printVersions(keeper.history().list(slot), true, data);
    return {};
}

CommandResult backups(Session& session, const Args&, std::ostream& data) {
    for (const storage::BackupFile& backup : storage::listBackups(dataFolderFor(session.options())))
        data << readableTime(backup.time) << " UTC  " << backup.serial << "  "
             << backup.path.string() << '\n';
    return {};
}

}  // namespace command

}  // namespace vornix::cli
