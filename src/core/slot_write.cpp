#include "core/slot_write.hpp"

#include "device/preset_record.hpp"
#include "device/transfer_buffer.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix {

namespace {

void append(SlotWriteMessages& out, const sysex::Bytes& message) {
    out.starts.push_back(out.bytes.size());
    out.bytes.insert(out.bytes.end(), message.begin(), message.end());
}

// An IR slot file as the pedal's own dump of it: first chunk, data chunks, last chunk.
void appendIrDump(SlotWriteMessages& out, unsigned number, std::span<const std::uint8_t> slotFile) {
    sysex::TransferBuffer buffer;
    if (!buffer.load(slotFile)) return;
    const auto total = static_cast<unsigned>(buffer.total());
    append(out, sysex::irFirstChunk(sysex::cmd::IrFirst, number, total,
                                    buffer.take(sysex::IrChunkBytes)));
    while (buffer.remaining() > sysex::IrChunkBytes)
        append(out, sysex::irMiddleChunk(sysex::cmd::IrMiddle, buffer.take(sysex::IrChunkBytes)));
    append(out, sysex::irLastChunk(sysex::cmd::IrLast, buffer.take(buffer.remaining()),
                                   buffer.checksum()));
}

std::optional<std::vector<std::uint8_t>> readIrSlotFile(const std::filesystem::path& path) {
    auto bytes = storage::readFile(path, storage::presetfile::IrBlockBytes + 1);
    if (bytes.size() != storage::presetfile::IrBlockBytes) return std::nullopt;
    return bytes;
}

}  // namespace

SlotContent keptContent(const storage::KeptVersion& version) {
    return {version.slot, storage::readKeptRecord(version),
            readIrSlotFile(version.companion("-ir7.dat")),
            readIrSlotFile(version.companion("-ir8.dat"))};
}

std::vector<std::uint8_t> recordForSlot(std::span<const std::uint8_t> record, int slot) {
    std::vector<std::uint8_t> out(record.begin(), record.end());
    if (out.size() < sysex::RecordSize) return out;
    namespace rec = sysex::record;
    // Banks 0 and 1 are the user IRs; higher banks name no preset's own IR.
    // A position that plays a cabinet keeps its bytes as they are.
    if (out[rec::Ir7Mode] > 0 && out[rec::Ir7Bank] < 2) {
        out[rec::Ir7Bank] = 0;
        out[rec::Ir7Number] = static_cast<std::uint8_t>(slot);
    }
    if (out[rec::Ir8Mode] > 0 && out[rec::Ir8Bank] < 2) {
        out[rec::Ir8Bank] = 1;
        out[rec::Ir8Number] = static_cast<std::uint8_t>(slot);
    }
    return out;
}

SlotWriteMessages slotWriteMessages(const SlotContent& content, const storage::DataFolder& cache) {
    SlotWriteMessages out;
    append(out, sysex::blockMessage(sysex::cmd::PresetDump, static_cast<std::uint8_t>(content.slot),
                                    content.record));
    for (const auto& [position, kept] : {std::pair{7, &content.ir7}, std::pair{8, &content.ir8}}) {
        const int number = sysex::recordIrNumber(content.record, position);
        if (number < 0 || !*kept) continue;
        if (readIrSlotFile(cache.irFile(static_cast<unsigned>(number))) == **kept) continue;
        appendIrDump(out, static_cast<unsigned>(number), **kept);
        out.irs.emplace_back(static_cast<unsigned>(number), **kept);
    }
    return out;
}

}  // namespace vornix
