#include "storage/bank_file.hpp"

#include <algorithm>

#include "device/sysex.hpp"

namespace vornix::storage {

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

}  // namespace vornix::storage
