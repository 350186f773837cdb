// Reading the presets and IRs out of a whole bank file.
#include "device/sysex.hpp"
#include "storage/bank_file.hpp"

namespace vornix::storage {

namespace {

using sysex::ByteSpan;

// F0 00 51 21 05 66 0A, stream bytes, checksum high, low, F7.
constexpr std::size_t IrLastOverhead = sysex::at::IrChunkData + sysex::StreamChecksumBytes + 1;
constexpr std::size_t IrSlotFileBytes = 2436;

ByteSpan messageAt(ByteSpan bytes, const std::vector<std::size_t>& starts, std::size_t k) {
    const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : bytes.size();
    return bytes.subspan(starts[k], end - starts[k]);
}

bool isChunk(ByteSpan m, std::uint8_t command) {
    return m.size() > sysex::at::Command && sysex::hasHeader(m, sysex::family::Editor) &&
           m[sysex::at::Command] == command;
}

// The slot file of the dump that starts at message k, or empty.
std::vector<std::uint8_t> irDumpAt(ByteSpan bytes, const std::vector<std::size_t>& starts,
                                   std::size_t k) {
    const ByteSpan first = messageAt(bytes, starts, k);
    const std::size_t announced = sysex::read21(first, sysex::at::IrStreamLength);
    sysex::Bytes stream(first.begin() + sysex::at::IrFirstData,
                        first.begin() + sysex::at::IrFirstData + sysex::IrChunkBytes);
    for (std::size_t i = k + 1; i < starts.size(); ++i) {
        const ByteSpan m = messageAt(bytes, starts, i);
        if (isChunk(m, sysex::cmd::IrMiddle) && m.size() == sysex::IrMiddleSize) {
            stream.insert(stream.end(), m.begin() + sysex::at::IrChunkData,
                          m.begin() + sysex::at::IrChunkData + sysex::IrChunkBytes);
            continue;
        }
        if (!isChunk(m, sysex::cmd::IrLast) || m.size() < IrLastOverhead) return {};
        stream.insert(stream.end(), m.begin() + sysex::at::IrChunkData,
                      m.end() - sysex::StreamChecksumBytes - 1);
        if (stream.size() != announced) return {};
        sysex::Bytes data = sysex::unpackStream(stream);
        if (data.size() < IrSlotFileBytes) return {};
        data.resize(IrSlotFileBytes);
        return data;
    }
    return {};
}

}  // namespace

std::span<const std::uint8_t> bankPresetRecord(std::span<const std::uint8_t> bytes,
                                               const std::vector<std::size_t>& starts, int slot) {
    return messageAt(bytes, starts, static_cast<std::size_t>(slot))
        .subspan(sysex::at::Block, sysex::BlockSize);
}

std::map<int, std::vector<std::uint8_t>> bankIrSlotFiles(std::span<const std::uint8_t> bytes,
                                                         const std::vector<std::size_t>& starts) {
    std::map<int, std::vector<std::uint8_t>> irs;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const ByteSpan m = messageAt(bytes, starts, k);
        if (!isChunk(m, sysex::cmd::IrFirst) || m.size() != sysex::IrFirstSize) continue;
        auto file = irDumpAt(bytes, starts, k);
        if (!file.empty())
            irs[static_cast<int>(sysex::read14(m, sysex::at::IrNumber))] = std::move(file);
    }
    return irs;
}

}  // namespace vornix::storage
