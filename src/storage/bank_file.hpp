#pragma once
// Bank files ("kvb"): a whole-device backup, the device's own preset and IR
// dumps one after another, each a complete SysEx message from F0 to F7 with
// nothing between them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vornix::storage {

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

}  // namespace vornix::storage
