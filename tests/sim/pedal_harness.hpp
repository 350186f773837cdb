#pragma once
// Drives a Pedal with messages built by the wire-format builders and keeps
// what it answers.
#include <vector>

#include "device/sysex.hpp"
#include "sim/pedal.hpp"

namespace vornix::sim::testing {

using sysex::Bytes;

struct Reply {
    Bytes message;
    int delayMs = 0;
};

class PedalHarness {
  public:
    explicit PedalHarness(PedalOptions options = {}) : pedal(std::move(options)) {
        pedal.setEmitter([this](Bytes message, int delayMs) {
            replies.push_back({std::move(message), delayMs});
        });
    }

    // The replies to one message (earlier replies are forgotten).
    std::vector<Bytes> send(const Bytes& message) {
        replies.clear();
        pedal.receive(message);
        std::vector<Bytes> out;
        for (const Reply& r : replies) out.push_back(r.message);
        return out;
    }
    // The replies to a sequence of messages, in order.
    std::vector<Bytes> sendAll(const std::vector<Bytes>& messages) {
        std::vector<Bytes> out;
        for (const Bytes& m : messages)
            for (Bytes& r : send(m)) out.push_back(std::move(r));
        return out;
    }

    Pedal pedal;
    std::vector<Reply> replies;
};

inline std::uint8_t commandOf(const Bytes& message) {
    return message.at(sysex::at::Command);
}

// The chunks of an IR stream as the editor sends it (upload or restore
// commands); `checksumDelta` is added to the true stream checksum.
std::vector<Bytes> irChunks(unsigned number, const Bytes& slotFile, std::uint8_t first,
                            std::uint8_t middle, std::uint8_t last, int checksumDelta = 0);
inline std::vector<Bytes> irUpload(unsigned number, const Bytes& slotFile, int checksumDelta = 0) {
    using namespace sysex::cmd;
    return irChunks(number, slotFile, IrFirst, IrMiddle, IrLast, checksumDelta);
}
inline std::vector<Bytes> irRestore(unsigned number, const Bytes& slotFile, int checksumDelta = 0) {
    using namespace sysex::cmd;
    return irChunks(number, slotFile, RestoreIrFirst, RestoreIrMiddle, RestoreIrLast,
                    checksumDelta);
}

// Decodes an IR download (first, middle..., last chunk) the way the editor
// does; false when the chunks or the checksum are wrong.
struct DecodedIr {
    bool ok = false;
    unsigned number = 0;
    Bytes data;
};
DecodedIr decodeIrDownload(const std::vector<Bytes>& chunks);

// A slot file with a recognisable name and samples.
Bytes sampleIrFile(const char* name, int seed);

}  // namespace vornix::sim::testing
