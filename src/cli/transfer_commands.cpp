// backup, restore, reset and firmware: the long transfers, with progress on stderr.
#include <filesystem>
#include <iostream>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "cli/waiters.hpp"
#include "device/sysex.hpp"
#include "device/transfer_buffer.hpp"
#include "firmware/firmware_file.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"

namespace vornix::cli {

namespace {

// The editor itself gives up after a minute without the device's result.
constexpr long long FirmwareResultLimitMs = 70000;

}  // namespace

namespace command {

CommandResult backup(Session& session, const Args& args, std::ostream& data) {
    if (args.empty()) return failed("backup needs a FILE.kvb");
    if (!storage::canCreate(args[0])) return failed("cannot write the bank file " + args[0]);
    if (!session.synchronise()) return deviceFailure(session);
    session.human() << "backing up 128 presets and their user IRs...\n";
    TransferWaiter exported(session.editor().link().events(), Transfer::BankExport);
    session.editor().wholeDevice().startBankExportTo(args[0]);
    if (!session.waitFor([&] { return exported.ended(); })) return deviceFailure(session);
    if (!exported.succeeded()) return failedWithMessage(session, "backup failed");
    data << "backup written to " << args[0] << '\n';
    return {};
}

CommandResult restore(Session& session, const Args& args, std::ostream& data) {
    if (args.empty()) return failed("restore needs a FILE.kvb");
    if (!std::filesystem::exists(args[0])) return failed("cannot open the bank file " + args[0]);
    // A file that is not a whole bank is refused before the device hears anything.
    if (const storage::LoadedBank bank = storage::loadBankFile(args[0]); !bank.ok())
        return failed(bank.error);
    if (!session.platform().confirm("This operation will overwrite the current Presets! Continue?"))
        return failed("restore cancelled");
    if (!session.synchronise()) return deviceFailure(session);
    if (CommandResult backedUp = backUpFirst(session); !backedUp.ok) return backedUp;
    TransferWaiter restored(session.editor().link().events(), Transfer::BankImport);
    if (const Result started = session.editor().wholeDevice().startBankImport(args[0]); !started)
        return failed(started.error());
    session.human() << "restoring " << session.editor().wholeDevice().bankImportSize()
                    << " messages...\n";
    if (!session.waitFor([&] { return restored.ended(); })) return deviceFailure(session);
    if (!restored.succeeded()) return failedWithMessage(session, "restore failed");
    // The device's presets changed: rebuild the cache from it.
    session.editor().wholeDevice().clearCache();
    data << "restored " << args[0] << '\n';
    return {};
}

CommandResult reset(Session& session, const Args& args, std::ostream& data) {
    const std::string what = args.empty() ? "" : args[0];
    std::uint8_t target = 0;
    if (what == "all")
        target = sysex::reset::All;
    else if (what == "presets")
        target = sysex::reset::Presets;
    else if (what == "settings")
        target = sysex::reset::Settings;
    else
        return failed("reset needs all, presets or settings");
    if (!session.platform().confirm("Are you sure?")) return failed("reset cancelled");
    if (session.options().noBackup) {
        if (!session.connect()) return deviceFailure(session);
    } else {
        if (!session.synchronise()) return deviceFailure(session);
        if (CommandResult backedUp = backUpFirst(session); !backedUp.ok) return backedUp;
    }
    ResetWaiter finished(session.editor().link().events());
    session.editor().wholeDevice().performFactoryReset(target);
    if (!session.waitFor([&] { return finished.done(); })) return deviceFailure(session);
    data << "factory reset (" << what << ") finished\n";
    return {};
}

// The device that most needs an update is one whose firmware the editor
// refuses, or where only the loader answers: the update asks for no
// identification. The file is checked before the device hears anything.
CommandResult firmware(Session& session, const Args& args, std::ostream& data) {
    if (args.empty()) return failed("firmware needs a FILE.bin");
    sysex::TransferBuffer scratch;
    if (const firmware::FirmwareLoad check = firmware::loadFirmwareFile(args[0], scratch);
        !check.ok())
        return failed(check.message);
    if (!session.options().noBackup) {
        // A pedal that cannot be read (a refused version, the loader only)
        // is updated without a backup.
        if (session.synchronise()) {
            if (CommandResult backedUp = backUpFirst(session); !backedUp.ok) return backedUp;
        } else {
            session.human() << "the pedal cannot be read (" << session.failure()
                            << "): updating without a backup\n";
            session.forgetFailure();
        }
    }
    TransferWaiter update(session.editor().link().events(), Transfer::Firmware);
    session.editor().firmware().openPage();
    if (const Result loaded = session.editor().firmware().load(args[0]); !loaded)
        return failed(loaded.error());
    // The loader answers 04 12 within the usual silence limit ...
    if (!session.waitFor([&] { return update.started() || update.ended(); }))
        return deviceFailure(session);
    // ... the chunks go out as progress, and then the device may take its
    // time to write the image before it reports the result.
    if (!session.waitFor([&] { return update.ended(); }, FirmwareResultLimitMs))
        return deviceFailure(session);
    if (!update.succeeded()) return failed("the device reported a failed update");
    data << "firmware " << args[0] << " installed\n";
    return {};
}

}  // namespace command

}  // namespace vornix::cli
