#include "library/preset_content.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/parameters.hpp"
#include "core/preset_file_import.hpp"
#include "device/voicing.hpp"
#include "ir/ir_library.hpp"
#include "ir/ir_slot_file.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::library {

namespace {

namespace pf = storage::presetfile;
using ValueArray = std::array<int, NumPresetParams>;

ValueArray valuesOf(const sysex::PresetRecord& record) {
    ValueArray values{};
    for (int i = 0; i < NumPresetParams; ++i) values[i] = record[sysex::record::paramByte(i)];
    return values;
}

// FNV-1a, 64 bits: stable across runs and builds, which a fingerprint kept in
// a file must be.
class Fnv1a {
  public:
    void add(std::span<const std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) hash_ = (hash_ ^ b) * 1099511628211ULL;
    }
    std::string hex() const {
        static constexpr char Digits[] = "0123456789abcdef";
        std::string text(16, '0');
        for (int i = 15; i >= 0; --i) text[15 - i] = Digits[(hash_ >> (4 * i)) & 0xF];
        return text;
    }

  private:
    std::uint64_t hash_ = 14695981039346656037ULL;
};

void addSamples(Fnv1a& hash, const std::optional<IrSlotFile>& ir) {
    if (!ir || ir->size() != ir::IrSlotFileBytes) return;
    hash.add(std::span<const std::uint8_t>(*ir).subspan(ir::irslot::Samples));
}

// The device keeps a one-letter name's padding; a list shows the letter.
std::string withoutPadding(std::string name) {
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

std::string userIrName(const sysex::PresetRecord& record, int position) {
    if (sysex::recordIrNumber(record, position) < 0) return {};
    const std::size_t at = position == 7 ? sysex::record::Ir7Name : sysex::record::Ir8Name;
    return withoutPadding(sysex::printableName(sysex::trimDeviceName(
        std::span<const std::uint8_t>(record).subspan(at, sysex::NameBytes))));
}

// A selector position's name: a cabinet's, or the user IR's that plays there.
std::string positionName(int position, const Recognised& names) {
    if (position == 7 && !names.ir7Name.empty()) return names.ir7Name;
    if (position == 8 && !names.ir8Name.empty()) return names.ir8Name;
    return std::string(ir::DefaultCabinetNames[static_cast<std::size_t>(position)]);
}

std::string modelName(int model) {
    return model < NumAmpModels ? std::string(AmpModelNames[static_cast<std::size_t>(model)])
                                : "Custom";
}

std::string ambienceName(int type) {
    return type < NumAmbienceTypes ? std::string(AmbienceTypeNames[static_cast<std::size_t>(type)])
                                   : "Custom";
}

// The user IR a record plays at a position, from the cache: only the custom
// banks, which a device may hold differently from another.
std::optional<IrSlotFile> cachedUserIr(const storage::DataFolder& folder,
                                       const sysex::PresetRecord& record, int position) {
    const int number = sysex::recordIrNumber(record, position);
    if (number < 0 || number >= storage::BankIrCount) return std::nullopt;
    IrSlotFile bytes =
        storage::readFile(folder.irFile(static_cast<unsigned>(number)), ir::IrSlotFileBytes + 1);
    if (bytes.size() != ir::IrSlotFileBytes) return std::nullopt;
    return bytes;
}

std::optional<IrSlotFile> blockOf(const std::optional<std::span<const std::uint8_t>>& block) {
    if (!block || block->size() != ir::IrSlotFileBytes) return std::nullopt;
    return IrSlotFile(block->begin(), block->end());
}

std::string nameAt(std::span<const std::uint8_t> file, std::size_t at) {
    return sysex::trimDeviceName(file.subspan(at, sysex::NameBytes));
}

bool hasPresetExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".kvp";
}

}  // namespace

// Where a position plays a user IR whose samples are kept, the samples stand
// for it and its number is left out: the same sound stored into another slot
// plays the same IR from that slot's own numbers.
std::string fingerprintOf(const PresetContent& content) {
    std::array<std::uint8_t, NumPresetParams> params{};
    std::copy_n(content.record.begin() + sysex::record::Params, NumPresetParams, params.begin());
    if (content.ir7) params[param::Ir7SlotHigh] = params[param::Ir7SlotLow] = 0;
    if (content.ir8) params[param::Ir8SlotHigh] = params[param::Ir8SlotLow] = 0;
    Fnv1a hash;
    hash.add(params);
    addSamples(hash, content.ir7);
    addSamples(hash, content.ir8);
    return hash.hex();
}

Recognised recognise(const sysex::PresetRecord& record) {
    const ValueArray values = valuesOf(record);
    Recognised names;
    names.name = withoutPadding(sysex::printableName(sysex::trimDeviceName(
        std::span<const std::uint8_t>(record).subspan(sysex::record::Name, sysex::NameBytes))));
    names.ampModel = modelName(recogniseAmpModel(values));
    names.ambience = ambienceName(recogniseAmbienceType(values));
    names.ir7Name = userIrName(record, 7);
    names.ir8Name = userIrName(record, 8);
    const ir::CabinetMix blend = ir::cabinetMixAt(values[param::Ir]);
    names.cabinet = positionName(blend.lower, names);
    if (blend.upper != blend.lower) names.cabinet += " / " + positionName(blend.upper, names);
    return names;
}

PresetContent contentOfCachedSlot(const storage::DataFolder& folder, int slot) {
    sysex::PresetRecord record{};
    const auto bytes = storage::readFile(folder.presetSlotFile(slot), record.size());
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return contentWithCachedIrs(folder, record);
}

PresetContent contentWithCachedIrs(const storage::DataFolder& folder,
                                   const sysex::PresetRecord& record) {
    return {record, cachedUserIr(folder, record, 7), cachedUserIr(folder, record, 8)};
}

FileContent contentOfPresetFile(const std::filesystem::path& path) {
    const PresetFileImport::FileCheck check = PresetFileImport::read(path);
    if (!check.refusal.empty()) return {{}, check.refusal};
    const std::span<const std::uint8_t> file(check.bytes);
    ValueArray values{};
    for (int i = 0; i < NumPresetParams; ++i)
        values[i] = file[pf::Params + static_cast<std::size_t>(i)];
    FileContent read;
    read.content.record = storage::buildPresetRecord(
        values, nameAt(file, pf::Name), file[pf::Ir7Mode] > 0 ? nameAt(file, pf::Ir7Name) : "",
        file[pf::Ir8Mode] > 0 ? nameAt(file, pf::Ir8Name) : "");
    const storage::PresetFileBlocks blocks = storage::assignIrBlocks(file);
    read.content.ir7 = blockOf(blocks.ir7);
    read.content.ir8 = blockOf(blocks.ir8);
    return read;
}

std::vector<std::uint8_t> presetFileOf(const PresetContent& content) {
    const Recognised names = recognise(content.record);
    storage::PresetFileContent file;
    file.name = names.name;
    for (int i = 0; i < NumPresetParams; ++i)
        file.values[static_cast<std::size_t>(i)] = content.record[sysex::record::paramByte(i)];
    file.ir7Name = names.ir7Name;
    file.ir8Name = names.ir8Name;
    file.ir7Block = content.ir7;
    file.ir8Block = content.ir8;
    return storage::buildPresetFile(file);
}

BankContent contentOfBankFile(const std::filesystem::path& path) {
    const storage::LoadedBank bank = storage::loadBankFile(path);
    if (!bank.ok()) return {{}, bank.error};
    const auto irs = storage::bankIrSlotFiles(bank.bytes, bank.starts);
    BankContent read;
    for (int slot = 0; slot < NumPresets; ++slot) {
        PresetContent content;
        const auto record = storage::bankPresetRecord(bank.bytes, bank.starts, slot);
        std::copy(record.begin(), record.end(), content.record.begin());
        for (int position : {7, 8}) {
            const auto found = irs.find(sysex::recordIrNumber(content.record, position));
            if (found == irs.end()) continue;
            (position == 7 ? content.ir7 : content.ir8) = found->second;
        }
        read.slots.push_back(std::move(content));
    }
    return read;
}

std::vector<std::filesystem::path> presetFilesUnder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, options, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && hasPresetExtension(it->path()))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace vornix::library
