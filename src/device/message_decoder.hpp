#pragma once
// Names every message of the device's protocol in words, in both directions:
// "request preset 12", "preset 12 \"Smooth Vintage\"", "IR 130 chunk 3 of 11",
// "acknowledge (restore message 37)". Malformed and unknown input is named
// too ("unknown command 0x4E, 12 bytes", "malformed: 11 bytes, expected 10"),
// never dropped: a monitor shows whatever crossed the wire.
//
// decodeAlone() says what one message says by itself. A Conversation follows
// both directions and names what a message carries no number for: a middle
// IR chunk belongs to the IR of the first chunk before it, an
// acknowledgement answers the restore message sent before it.
//
// The tables (message_tables.cpp) hold one entry per command and direction;
// the tests build every command with the builders of sysex.hpp and check
// each decodes to its entry.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "device/sysex.hpp"

namespace vornix::sysex {

// Who sent a message: the editor (to the device) or the device (to the editor).
enum class Sender { Editor, Device };

enum class Verdict {
    Ok,
    Refusal,      // the device refuses or reports an error (0x62, 0x72, 0x7E, 04 15)
    BadChecksum,  // whole, but its checksum does not add up
    Malformed,    // a known command of the wrong length or form, or broken framing
    Unknown,      // a command, page or number the protocol does not have
};
// "ok", "refusal", "bad checksum", "malformed", "unknown".
const char* describe(Verdict verdict);

struct Decoded {
    std::string name;
    Verdict verdict = Verdict::Ok;
};

// The catalogue's name of a parameter index ("Drive"), or empty. The device
// layer has no catalogue: the editor passes its names in.
using ParameterNamer = std::function<std::string(int index)>;

// The lengths a command may have; `min == max` for a fixed length.
struct LengthRange {
    std::size_t min = 0;
    std::size_t max = 0;
};

struct DecodeContext;
struct CommandEntry {
    std::uint8_t family = 0;
    std::uint8_t command = 0;
    const char* name = "";  // what the command is, without its fields
    LengthRange length;
    // The message in words, once framing and length are known to fit.
    Decoded (*describe)(ByteSpan message, const DecodeContext& context) = nullptr;
};

// Every command the editor sends, and every command the device sends.
std::span<const CommandEntry> editorCommands();
std::span<const CommandEntry> deviceCommands();
std::span<const CommandEntry> commandsOf(Sender sender);
// The entry for a message of this sender, or null for a command the sender never sends.
const CommandEntry* findCommand(Sender sender, std::uint8_t family, std::uint8_t command);

// Framing problems that stop a message before its command is read, or nothing.
std::optional<Decoded> framingProblem(ByteSpan message);

// What the message alone says.
Decoded decodeAlone(Sender sender, ByteSpan message, const ParameterNamer& names = {});

// A packed stream being followed: IR chunks of one direction, or firmware chunks.
struct StreamProgress {
    bool active = false;
    bool restore = false;  // 77/78/79: an IR of a bank restore
    unsigned number = 0;   // the IR number
    unsigned total = 0;    // stream bytes, as the first chunk declared them
    unsigned sent = 0;     // stream bytes so far
    unsigned sum = 0;      // of every stream byte so far
    int chunk = 0;         // chunks so far, the first is 1
    int chunks = 0;        // chunks the declared length takes
};

// What the other side said before, for the messages that answer it.
struct DecodeContext {
    const ParameterNamer* names = nullptr;
    const StreamProgress* stream = nullptr;  // of the sender of this message
    // Restore messages (7F, 77, 78, 79) since the last begin transfer: an
    // acknowledgement answers the last of them.
    int restoreMessages = 0;
    std::optional<unsigned> lastIrUpload;   // the IR number of the last 0x60 the editor sent
    std::optional<int> lastParameterHigh;   // 7 or 8: the high half of a user IR number went out
    std::optional<std::uint8_t> lastReset;  // the target of the last factory reset
};

class Conversation {
  public:
    explicit Conversation(ParameterNamer names = {}) : names_(std::move(names)) {}
    Decoded decode(Sender sender, ByteSpan message);
    // Forgets what was said (the monitor was cleared, the link restarted).
    void reset();

  private:
    void follow(Sender sender, ByteSpan message, const Decoded& decoded);

    ParameterNamer names_;
    DecodeContext context_;
    StreamProgress editorIr_;
    StreamProgress deviceIr_;
    StreamProgress firmware_;
};

// Chunks a stream of `total` bytes takes when the first carries `first` and
// every other at most `chunk`.
int chunksFor(unsigned total, unsigned first, unsigned chunk);

}  // namespace vornix::sysex
