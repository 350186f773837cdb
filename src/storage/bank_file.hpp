#pragma once
// Bank files ("kvb"): a whole-device backup, the device's own preset and IR
// dumps one after another, each a complete SysEx message from F0 to F7 with
// nothing between them: the 128 presets of slots 0-127 in order, then every
// user IR they play, each as its whole dump (first chunk, data chunks, last
// chunk).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace vornix::storage {

// A bank file is read whole into memory, up to 1 MiB: a full bank of 128
// presets and 256 IRs needs well under 800,000 bytes.
inline constexpr std::size_t BankFileCapacity = 1048576;

// The user IRs a bank carries: the eight custom banks, 0-255. A preset that
// plays the factory bank plays what every device holds.
inline constexpr int BankIrCount = 256;

struct BankFileSplit {
    // Offset of each message's F0; a message runs to the next start (or to
    // the end of the file).
    std::vector<std::size_t> starts;
    // Why the file was refused; empty when it split.
    std::string error;

    bool ok() const { return error.empty(); }
};

// Every message must run from its F0 to its own F7: a file whose last
// message is cut short is refused rather than read past its end.
BankFileSplit splitBankFile(std::span<const std::uint8_t> bytes);

// The user IRs of a preset record that its bank carries, positions 7 and 8
// (one entry when both play the same IR).
std::vector<int> bankIrsOf(std::span<const std::uint8_t> record);

// Whether a split file restores the whole device: empty when it does, else
// what is missing ("Not a whole bank file: 20 of 128 presets."). A restore
// of less would leave the rest of the device as it was and still end as a
// success. Messages of other kinds may stand anywhere after the presets.
std::string checkWholeBank(std::span<const std::uint8_t> bytes, const BankFileSplit& split);

// A bank file read for a restore: its bytes and where each message starts,
// or why it cannot be restored (it cannot be read, is too large, is not made
// of whole messages, or is not a whole bank).
struct LoadedBank {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> starts;
    std::string error;

    bool ok() const { return error.empty(); }
};
LoadedBank loadBankFile(const std::filesystem::path& path);

}  // namespace vornix::storage

namespace vornix::storage {

// The record of slot 0-127 in a whole bank file (see checkWholeBank).
std::span<const std::uint8_t> bankPresetRecord(std::span<const std::uint8_t> bytes,
                                               const std::vector<std::size_t>& starts, int slot);

// The IR slot files the whole IR dumps of a bank carry, by IR number. A dump
// that is cut short or does not unpack to a slot file is left out.
std::map<int, std::vector<std::uint8_t>> bankIrSlotFiles(std::span<const std::uint8_t> bytes,
                                                         const std::vector<std::size_t>& starts);

}  // namespace vornix::storage
