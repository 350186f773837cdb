#include "ir/ir_library.hpp"

// Sections: numbering - name table - files - selector positions.

#include <algorithm>
#include <cmath>
#include <vector>

#include "storage/file_io.hpp"

namespace vornix::ir {
namespace {

constexpr unsigned CabinetIrLast = CabinetIrFirst + CabinetCount - 1;
constexpr std::size_t ExtensionChars = 4;  // ".wav", or any other 3-letter extension
constexpr int SelectorMax = 127;
// The selector spans 8 cabinets in steps of a tenth.
constexpr float SelectorSteps = 80.0f;
constexpr float StepsPerCabinet = 10.0f;

unsigned cabinetNumber(int cabinet) {
    return CabinetIrFirst + static_cast<unsigned>(cabinet) - 1;
}

void setUnitImpulse(IrSampleBuffer& buffer) {
    buffer.fill(0.0);
    buffer[0] = 1.0;
}

}  // namespace

// ---- numbering -----------------------------------------------------------------

bool isUserIrNumber(unsigned irNumber) {
    return irNumber < UserIrCount;
}

bool isCabinetIrNumber(unsigned irNumber) {
    return irNumber >= CabinetIrFirst && irNumber <= CabinetIrLast;
}

bool isValidIrNumber(unsigned irNumber) {
    return isUserIrNumber(irNumber) || isCabinetIrNumber(irNumber);
}

unsigned irBankOf(unsigned irNumber) {
    return irNumber / IrBankSize;
}
unsigned irRowOf(unsigned irNumber) {
    return irNumber % IrBankSize;
}

std::string irBankName(unsigned bank) {
    if (bank >= FactoryBankIndex) return "Factory Bank";
    return "Custom Bank " + std::to_string(bank + 1);
}

std::string emptySlotName(unsigned irNumber) {
    return "Empty Slot " + std::to_string(irRowOf(irNumber) + 1);
}

// ---- name table ------------------------------------------------------------------

IrNameTable::IrNameTable() {
    std::copy(DefaultCabinetNames.begin(), DefaultCabinetNames.end(), cabinets_.begin());
    for (unsigned n = 0; n < UserIrCount; ++n) users_[n] = emptySlotName(n);
}

const std::string& IrNameTable::nameOf(unsigned irNumber) const {
    if (isCabinetIrNumber(irNumber)) return cabinets_.at(irNumber - CabinetIrFirst + 1);
    return users_.at(irNumber);
}

void IrNameTable::loadFromFolder(const storage::DataFolder& folder) {
    for (int k = 1; k <= CabinetCount; ++k) refresh(folder, cabinetNumber(k));
    for (unsigned n = 0; n < UserIrCount; ++n) refresh(folder, n);
}

void IrNameTable::refresh(const storage::DataFolder& folder, unsigned irNumber) {
    if (!isValidIrNumber(irNumber)) return;
    const auto name = readIrSlotFileName(folder.irFile(irNumber));
    if (isCabinetIrNumber(irNumber)) {
        // A cabinet keeps its last known name when its file is unusable.
        if (name) cabinets_[irNumber - CabinetIrFirst + 1] = *name;
        return;
    }
    users_[irNumber] = name ? *name : emptySlotName(irNumber);
}

// ---- files -----------------------------------------------------------------------

bool storeIrFile(const storage::DataFolder& folder, unsigned irNumber,
                 std::span<const std::uint8_t> bytes) {
    if (!isValidIrNumber(irNumber) || bytes.size() != IrSlotFileBytes) return false;
    storage::ensureFolder(folder.irFolderFor(irNumber));
    return storage::writeFile(folder.irFile(irNumber), bytes);
}

std::filesystem::path factoryWavPath(const storage::DataFolder& folder, int cabinet) {
    return folder.factoryIrFolder() / std::string(FactoryWavFileNames.at(cabinet - 1));
}

int extractFactoryWavs(const storage::DataFolder& folder, const FactoryWavProvider& provider) {
    if (storage::FileReader(factoryWavPath(folder, 1)).isOpen()) return 0;
    storage::ensureFolder(folder.factoryIrFolder());
    // The first file marks a finished extraction, so it is written last: an
    // extraction cut short is then repeated at the next start.
    int written = 0;
    for (int cabinet : {2, 3, 4, 5, 6, 7, 8, 1}) {
        const auto bytes = provider(cabinet - 1);
        if (!bytes.empty() && storage::writeFile(factoryWavPath(folder, cabinet), bytes)) ++written;
    }
    return written;
}

IrName wavNameFromPath(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    name.resize(name.size() > ExtensionChars ? name.size() - ExtensionChars : 0);
    return sysex::padName(sysex::printableName(name));
}

// ---- selector positions ----------------------------------------------------------

CabinetMix cabinetMixAt(int value) {
    value = std::clamp(value, 0, SelectorMax);
    // Single precision on purpose: it decides which values land on a cabinet.
    const float v =
        std::floor(static_cast<float>(value) / SelectorMax * SelectorSteps) / StepsPerCabinet;
    const int lo = static_cast<int>(std::floor(v));
    const int hi = static_cast<int>(std::ceil(v));
    return {.lower = lo, .upper = hi, .position = static_cast<double>(v)};
}

void crossFadeIrSelection(int value, const CabinetLoader& loader, IrSampleBuffer& buffer) {
    const auto [lo, hi, v] = cabinetMixAt(value);

    setUnitImpulse(buffer);
    if (lo != FlatResponse) loader(lo, buffer);
    if (hi == lo) return;

    const std::vector<double> lower(buffer.begin(), buffer.end());
    loader(hi, buffer);
    const double lowerWeight = hi - v;
    const double upperWeight = v - lo;
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = lowerWeight * lower[i] + upperWeight * buffer[i];
}

bool reachesUserIrPositions(int value) {
    constexpr float Positions = 8.0f;
    constexpr float BeforePositionSeven = 6.0f;
    return static_cast<float>(value) / SelectorMax * Positions > BeforePositionSeven;
}

bool loadCabinetIr(const storage::DataFolder& folder, int cabinet, IrSampleBuffer& buffer) {
    if (cabinet < 1 || cabinet > CabinetCount) return false;
    if (const auto slot = readIrSlotFile(folder.irFile(cabinetNumber(cabinet)))) {
        copyIntoBuffer(*slot, buffer);
        return true;
    }
    const auto wav = readWav(factoryWavPath(folder, cabinet));
    if (!wav.ok()) return false;
    loadIntoBuffer(wav.samples, buffer);
    return true;
}

bool loadUserIr(const storage::DataFolder& folder, unsigned irNumber, IrSampleBuffer& buffer) {
    if (!isUserIrNumber(irNumber)) return false;
    const auto slot = readIrSlotFile(folder.irFile(irNumber));
    if (!slot) return false;
    copyIntoBuffer(*slot, buffer);
    return true;
}

}  // namespace vornix::ir
