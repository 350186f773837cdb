#include "core/slot_put_back.hpp"

#include "device/preset_record.hpp"
#include "device/transfer_buffer.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"

namespace vornix {

namespace {

void append(PutBackMessages& out, const sysex::Bytes& message) {
    out.starts.push_back(out.bytes.size());
    out.bytes.insert(out.bytes.end(), message.begin(), message.end());
}

// An IR slot file as the pedal's own dump of it: first chunk, data chunks, last chunk.
void appendIrDump(PutBackMessages& out, unsigned number, std::span<const std::uint8_t> slotFile) {
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

}  // namespace

PutBackMessages putBackMessages(const storage::KeptVersion& version,
                                std::span<const std::uint8_t> record,
                                const storage::DataFolder& cache) {
    PutBackMessages out;
    append(out, sysex::blockMessage(sysex::cmd::PresetDump, static_cast<std::uint8_t>(version.slot),
                                    record));
    for (const auto& [position, suffix] : {std::pair{7, "-ir7.dat"}, std::pair{8, "-ir8.dat"}}) {
        const int number = sysex::recordIrNumber(record, position);
        if (number < 0) continue;
        const auto kept =
            storage::readFile(version.companion(suffix), storage::presetfile::IrBlockBytes + 1);
        if (kept.size() != storage::presetfile::IrBlockBytes) continue;
        const auto cached = storage::readFile(cache.irFile(static_cast<unsigned>(number)),
                                              storage::presetfile::IrBlockBytes + 1);
        if (cached == kept) continue;
        appendIrDump(out, static_cast<unsigned>(number), kept);
    }
    return out;
}

}  // namespace vornix
