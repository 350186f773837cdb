#include "core/slot_keeper.hpp"

#include "device/preset_record.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix {

namespace {

// The IR slot file the cache holds for a position's user IR, when it plays
// one of the IRs a backup carries.
std::optional<std::vector<std::uint8_t>> cachedUserIr(const storage::DataFolder& folder,
                                                      std::span<const std::uint8_t> record,
                                                      int position) {
    const int number = sysex::recordIrNumber(record, position);
    if (number < 0 || number >= storage::BankIrCount) return std::nullopt;
    auto bytes = storage::readFile(folder.irFile(static_cast<unsigned>(number)),
                                   storage::presetfile::IrBlockBytes + 1);
    if (bytes.size() != storage::presetfile::IrBlockBytes) return std::nullopt;
    return bytes;
}

std::string nameAt(std::span<const std::uint8_t> record, std::size_t at) {
    return sysex::trimDeviceName(record.subspan(at, sysex::NameBytes));
}

}  // namespace

std::vector<std::uint8_t> presetFileOfRecord(std::span<const std::uint8_t> record,
                                             const std::optional<std::vector<std::uint8_t>>& ir7,
                                             const std::optional<std::vector<std::uint8_t>>& ir8) {
    storage::PresetFileContent content;
    content.name = nameAt(record, sysex::record::Name);
    for (int i = 0; i < NumPresetParams; ++i)
        content.values[static_cast<std::size_t>(i)] = record[sysex::record::paramByte(i)];
    content.ir7Name = nameAt(record, sysex::record::Ir7Name);
    content.ir8Name = nameAt(record, sysex::record::Ir8Name);
    content.ir7Block = ir7;
    content.ir8Block = ir8;
    return storage::buildPresetFile(content);
}

std::optional<storage::KeptFiles> SlotKeeper::filesOf(std::vector<std::uint8_t> record) const {
    if (record.size() != sysex::RecordSize) return std::nullopt;
    storage::KeptFiles files;
    files.ir7 = cachedUserIr(folder_, record, 7);
    files.ir8 = cachedUserIr(folder_, record, 8);
    files.presetFile = presetFileOfRecord(record, files.ir7, files.ir8);
    files.record = std::move(record);
    return files;
}

bool SlotKeeper::keepCached(int slot, storage::KeepReason reason) {
    if (slot < 0 || slot >= NumPresets) return true;
    const auto files =
        filesOf(storage::readFile(folder_.presetSlotFile(slot), sysex::RecordSize + 1));
    return !files || history_.keep(slot, *files, reason);
}

void SlotKeeper::keepAllCached(storage::KeepReason reason) {
    for (int slot = 0; slot < NumPresets; ++slot) keepCached(slot, reason);
}

std::optional<storage::KeptVersion> SlotKeeper::version(int slot, int index) const {
    if (slot < 0 || slot >= NumPresets || index < 0) return std::nullopt;
    auto versions = history_.list(slot);
    if (static_cast<std::size_t>(index) >= versions.size()) return std::nullopt;
    return versions[static_cast<std::size_t>(index)];
}

}  // namespace vornix
