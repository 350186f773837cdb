// Bank files from anywhere: a split either refuses the file or cuts it into
// messages that each run from their own F0 to their own F7; a bank found
// whole holds at least its 128 presets.
#include <algorithm>
#include <cstdint>

#include "device/preset_record.hpp"
#include "device/sysex.hpp"
#include "storage/bank_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const auto split = vornix::storage::splitBankFile(file);
    if (!split.ok()) {
        if (!split.starts.empty()) __builtin_trap();
        return 0;
    }
    if (split.starts.empty() || split.starts.front() != 0) __builtin_trap();
    for (std::size_t k = 0; k < split.starts.size(); ++k) {
        const std::size_t begin = split.starts[k];
        const std::size_t end = k + 1 < split.starts.size() ? split.starts[k + 1] : size;
        if (end <= begin + 1 || end > size) __builtin_trap();
        const auto message = file.subspan(begin, end - begin);
        if (message.front() != vornix::sysex::Start || message.back() != vornix::sysex::End ||
            std::count(message.begin(), message.end(), vornix::sysex::End) != 1)
            __builtin_trap();
    }
    if (vornix::storage::checkWholeBank(file, split).empty() &&
        split.starts.size() < static_cast<std::size_t>(vornix::NumPresets))
        __builtin_trap();
    return 0;
}
