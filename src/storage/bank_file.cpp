#include "storage/bank_file.hpp"

#include <algorithm>
#include <set>

#include "device/preset_record.hpp"
#include "device/sysex.hpp"
#include "storage/file_io.hpp"

namespace vornix::storage {

namespace {

using sysex::ByteSpan;

// A last IR chunk: F0 00 51 21 05 66 0A, stream bytes, checksum high, low, F7.
constexpr std::size_t IrLastOverhead = sysex::at::IrChunkData + sysex::StreamChecksumBytes + 1;

ByteSpan messageAt(ByteSpan bytes, const BankFileSplit& split, std::size_t k) {
    const std::size_t begin = split.starts[k];
    const std::size_t end = k + 1 < split.starts.size() ? split.starts[k + 1] : bytes.size();
    return bytes.subspan(begin, end - begin);
}

bool isEditorMessage(ByteSpan m, std::uint8_t command, std::size_t size) {
    return m.size() == size && sysex::hasHeader(m, sysex::family::Editor) &&
           m[sysex::at::Command] == command;
}

bool isPresetDumpOf(ByteSpan m, int slot) {
    return isEditorMessage(m, sysex::cmd::PresetDump, sysex::BlockMessageSize) &&
           m[sysex::at::Number] == slot;
}

bool isIrLast(ByteSpan m) {
    return m.size() >= IrLastOverhead && sysex::hasHeader(m, sysex::family::Editor) &&
           m[sysex::at::Command] == sysex::cmd::IrLast;
}

// How the dump that starts at message k ends: whole when data chunks and a
// last chunk follow it and carry exactly the stream length it announced.
bool isWholeIrDump(ByteSpan bytes, const BankFileSplit& split, std::size_t k) {
    const ByteSpan first = messageAt(bytes, split, k);
    const std::size_t announced = sysex::read21(first, sysex::at::IrStreamLength);
    std::size_t carried = sysex::IrChunkBytes;
    for (std::size_t i = k + 1; i < split.starts.size(); ++i) {
        const ByteSpan m = messageAt(bytes, split, i);
        if (isEditorMessage(m, sysex::cmd::IrMiddle, sysex::IrMiddleSize)) {
            carried += sysex::IrChunkBytes;
        } else if (isIrLast(m)) {
            return carried + (m.size() - IrLastOverhead) == announced;
        } else {
            return false;
        }
    }
    return false;
}

}  // namespace

BankFileSplit splitBankFile(std::span<const std::uint8_t> bytes) {
    BankFileSplit split;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != sysex::Start) {
            split.starts.clear();
            split.error = "Not a bank file: data outside a SysEx message";
            return split;
        }
        const auto rest = bytes.subspan(i);
        const auto end = std::find(rest.begin(), rest.end(), sysex::End);
        if (end == rest.end()) {
            split.starts.clear();
            split.error = "Not a bank file: the last message has no end";
            return split;
        }
        split.starts.push_back(i);
        i += static_cast<std::size_t>(end - rest.begin()) + 1;
    }
    if (split.starts.empty()) split.error = "Not a bank file: it holds no messages";
    return split;
}

std::vector<int> bankIrsOf(std::span<const std::uint8_t> record) {
    std::vector<int> irs;
    for (int position : {7, 8}) {
        const int n = sysex::recordIrNumber(record, position);
        if (n >= 0 && n < BankIrCount && std::find(irs.begin(), irs.end(), n) == irs.end())
            irs.push_back(n);
    }
    return irs;
}

std::string checkWholeBank(std::span<const std::uint8_t> bytes, const BankFileSplit& split) {
    const std::string refused = "Not a whole bank file: ";
    std::set<int> used;
    for (int slot = 0; slot < NumPresets; ++slot) {
        const auto k = static_cast<std::size_t>(slot);
        if (k >= split.starts.size() || !isPresetDumpOf(messageAt(bytes, split, k), slot))
            return refused + std::to_string(slot) + " of " + std::to_string(NumPresets) +
                   " presets.";
        for (int n :
             bankIrsOf(messageAt(bytes, split, k).subspan(sysex::at::Block, sysex::BlockSize)))
            used.insert(n);
    }
    std::set<int> whole;
    std::set<int> cut;
    for (std::size_t k = NumPresets; k < split.starts.size(); ++k) {
        const ByteSpan m = messageAt(bytes, split, k);
        if (!isEditorMessage(m, sysex::cmd::IrFirst, sysex::IrFirstSize)) continue;
        const auto n = static_cast<int>(sysex::read14(m, sysex::at::IrNumber));
        (isWholeIrDump(bytes, split, k) ? whole : cut).insert(n);
    }
    for (int n : used) {
        if (whole.count(n)) continue;
        return refused + "IR " + std::to_string(n) +
               (cut.count(n) ? " is cut short." : " is missing.");
    }
    return {};
}

LoadedBank loadBankFile(const std::filesystem::path& path) {
    LoadedBank bank;
    FileReader reader(path);
    if (!reader.isOpen()) {
        bank.error = "Cannot open the bank file " + path.string();
        return bank;
    }
    if (reader.size() > BankFileCapacity) {
        bank.error = "Not a bank file: larger than 1 MiB";
        return bank;
    }
    bank.bytes.resize(static_cast<std::size_t>(reader.size()));
    bank.bytes.resize(reader.read(bank.bytes.data(), bank.bytes.size()));
    BankFileSplit split = splitBankFile(bank.bytes);
    bank.error = split.ok() ? checkWholeBank(bank.bytes, split) : split.error;
    if (bank.ok()) bank.starts = std::move(split.starts);
    return bank;
}

}  // namespace vornix::storage
