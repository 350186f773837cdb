#include "pedal_harness.hpp"

#include "sim/ir_memory.hpp"

namespace vornix::sim::testing {

std::vector<Bytes> irChunks(unsigned number, const Bytes& slotFile, std::uint8_t first,
                            std::uint8_t middle, std::uint8_t last, int checksumDelta) {
    const Bytes stream = sysex::packStream(slotFile);
    const sysex::ByteSpan all(stream);
    const unsigned sum = (sysex::checksumOf(all).value() + checksumDelta) & 0x3FFF;
    std::vector<Bytes> out;
    out.push_back(sysex::irFirstChunk(first, number, static_cast<unsigned>(all.size()),
                                      all.first(sysex::IrChunkBytes)));
    std::size_t sent = sysex::IrChunkBytes;
    while (all.size() - sent > sysex::IrChunkBytes) {
        out.push_back(sysex::irMiddleChunk(middle, all.subspan(sent, sysex::IrChunkBytes)));
        sent += sysex::IrChunkBytes;
    }
    out.push_back(sysex::irLastChunk(last, all.subspan(sent), sysex::checksumOfSum(sum)));
    return out;
}

DecodedIr decodeIrDownload(const std::vector<Bytes>& chunks) {
    DecodedIr result;
    if (chunks.size() < 2 || commandOf(chunks.front()) != sysex::cmd::IrFirst ||
        chunks.front().size() != sysex::IrFirstSize)
        return result;
    const Bytes& head = chunks.front();
    result.number = sysex::read14(head, sysex::at::IrNumber);
    const unsigned length = sysex::read21(head, sysex::at::IrStreamLength);
    Bytes stream(head.begin() + sysex::at::IrFirstData, head.end() - 1);
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
        if (commandOf(chunks[i]) != sysex::cmd::IrMiddle) return result;
        stream.insert(stream.end(), chunks[i].begin() + sysex::at::IrChunkData,
                      chunks[i].end() - 1);
    }
    const Bytes& tail = chunks.back();
    if (commandOf(tail) != sysex::cmd::IrLast) return result;
    stream.insert(stream.end(), tail.begin() + sysex::at::IrChunkData, tail.end() - 3);
    const sysex::Checksum sent{tail[tail.size() - 3], tail[tail.size() - 2]};
    result.ok = stream.size() == length && sysex::checksumOf(stream) == sent;
    result.data = sysex::unpackStream(stream);
    return result;
}

Bytes sampleIrFile(const char* name, int seed) {
    std::vector<std::int16_t> samples(irfile::SampleCount);
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] =
            static_cast<std::int16_t>((seed * 1237 + static_cast<int>(k) * 97) % 30000 - 15000);
    return makeIrSlotFile(name, samples);
}

}  // namespace vornix::sim::testing
