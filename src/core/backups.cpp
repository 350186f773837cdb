// The cache and the device as a whole: the preset list from the cache files,
// bank files out and in, and the factory reset.
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"
#include "storage/bank_file.hpp"

namespace vornix {

namespace {

constexpr const char* DefaultBankName = "Vornix_Presets_and_IRs";

}  // namespace

// ---- the preset list -------------------------------------------------------------------

void VornixControl::loadPresetSlots() {
    cache_.loadSlots(intValue(param::PatchOffset));
}

// A cache that holds every slot leaves nothing for a bulk read to do.
void VornixControl::refreshPresetListFromFiles() {
    if (cache_.refreshRowsFromFiles(intValue(param::PatchOffset))) bulkRead_.stop();
}

void VornixControl::clearCache() {
    cache_.clear();
    loadPresetSlots();
}

// ---- bank files ----------------------------------------------------------------------

bool VornixControl::chooseBankExportFile() {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.extension = "kvb";
    request.initialName = storedBankPath_.empty() ? DefaultBankName : storedBankPath_;
    request.initialFolder = cache_.folder().root().string();
    const auto path = link_.platform().chooseFile(request);
    if (!path || path->empty()) return false;
    storedBankPath_ = *path;
    return true;
}

void VornixControl::importBank() {
    link_.platform().messageBox(
        "This operation will overwrite the current Presets!\nAre you sure to continue?", "",
        Buttons::OkCancel, [this](Answer answer) {
            if (answer != Answer::Ok) return;
            FileRequest request;
            request.extension = "kvb";
            request.initialName = storedBankPath_;
            const auto path = link_.platform().chooseFile(request);
            if (!path || path->empty()) return;
            storedBankPath_ = *path;
            // A file that cannot be restored is refused before any backup.
            if (const auto bank = storage::loadBankFile(*path); !bank.ok()) {
                link_.showMessage(bank.error);
                return;
            }
            backups_.beforeDestructiveStep([this, bankPath = *path] {
                if (const Result started = startBankImport(bankPath); !started)
                    link_.showMessage(started.error());
            });
        });
}

// Every cached slot is kept before the first restore message goes out.
Result VornixControl::startBankImport(const std::filesystem::path& path) {
    Result started = bankImport_.start(path);
    if (started) keeper_.keepAllCached(storage::KeepReason::Restore);
    return started;
}

// The device holds new presets: with a window the cache is dropped and the
// editor connects again, which reads them all. A restore that did not take
// is reported either way.
void VornixControl::finishBankImport() {
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport,
                        bankImport_.succeeded());
    if (!bankImport_.succeeded()) link_.showMessage(bankImport_.outcome());
    if (!link_.windowOpen()) return;
    if (bankImport_.succeeded()) link_.showMessage("Finished successfully!");
    clearCache();
    connection_.restartSearch();
}

// ---- factory reset ---------------------------------------------------------------------

void VornixControl::factoryReset(std::uint8_t target) {
    link_.platform().messageBox(
        "Are you sure?", "", Buttons::OkCancel, [this, target](Answer answer) {
            if (answer != Answer::Ok) return;
            backups_.beforeDestructiveStep([this, target] { performFactoryReset(target); });
        });
}

// The reset goes out whether or not the device is online. When presets are
// affected the cache is emptied first, so the next connection fetches them all.
void VornixControl::performFactoryReset(std::uint8_t target) {
    if (target == sysex::reset::All || target == sysex::reset::Presets) {
        keeper_.keepAllCached(storage::KeepReason::Reset);
        clearCache();
    }
    link_.send(sysex::factoryReset(target));
}

void VornixControl::finishFactoryReset() {
    factoryResetCompleted_ = false;
    link_.events().emit(&TransferEvents::factoryResetFinished);
    if (!link_.windowOpen()) return;
    link_.showMessage("Finished successfully!");
    requestGlobalPage(sysex::page::Settings);
}

}  // namespace vornix
