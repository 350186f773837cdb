#include "device/message_decoder.hpp"

#include <algorithm>

#include "device/message_words.hpp"
#include "device/preset_record.hpp"

namespace vornix::sysex {

namespace {

// F0, the maker's three bytes, family, command, F7.
constexpr std::size_t ShortestMessage = 7;
// The cabinet positions that play user IRs.
constexpr int Ir7Position = 7;
constexpr int Ir8Position = 8;

std::string bytesWord(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

std::string expected(LengthRange length) {
    if (length.min == length.max) return std::to_string(length.min);
    return std::to_string(length.min) + " to " + std::to_string(length.max);
}

Decoded decodeWith(Sender sender, ByteSpan message, const DecodeContext& context) {
    if (auto problem = framingProblem(message)) return *problem;
    const std::uint8_t familyByte = message[at::Family];
    const std::uint8_t command = message[at::Command];
    if (familyByte != family::Editor && familyByte != family::Firmware)
        return {"unknown family " + hexByte(familyByte) + ", " + bytesWord(message.size()),
                Verdict::Unknown};
    const CommandEntry* entry = findCommand(sender, familyByte, command);
    if (!entry) {
        const char* what =
            familyByte == family::Firmware ? "unknown firmware command " : "unknown command ";
        return {what + hexByte(command) + ", " + bytesWord(message.size()), Verdict::Unknown};
    }
    if (message.size() < entry->length.min || message.size() > entry->length.max)
        return {"malformed: " + bytesWord(message.size()) + ", expected " +
                    expected(entry->length) + " (" + entry->name + ")",
                Verdict::Malformed};
    return entry->describe(message, context);
}

bool isIrCommand(std::uint8_t command) {
    switch (command) {
        case cmd::IrFirst:
        case cmd::IrMiddle:
        case cmd::IrLast:
        case cmd::RestoreIrFirst:
        case cmd::RestoreIrMiddle:
        case cmd::RestoreIrLast:
            return true;
    }
    return false;
}

bool isRestoreMessage(std::uint8_t command) {
    return command == cmd::RestorePreset || command == cmd::RestoreIrFirst ||
           command == cmd::RestoreIrMiddle || command == cmd::RestoreIrLast;
}

unsigned sumOf(ByteSpan bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return sum;
}

void startStream(StreamProgress& stream, ByteSpan data, unsigned number, unsigned total,
                 unsigned chunkBytes, bool restore) {
    stream = StreamProgress{};
    stream.active = true;
    stream.restore = restore;
    stream.number = number;
    stream.total = total;
    stream.sent = static_cast<unsigned>(data.size());
    stream.sum = sumOf(data);
    stream.chunk = 1;
    stream.chunks = chunksFor(total, chunkBytes, chunkBytes);
}

void continueStream(StreamProgress& stream, ByteSpan data) {
    stream.sent += static_cast<unsigned>(data.size());
    stream.sum += sumOf(data);
    ++stream.chunk;
}

}  // namespace

const char* describe(Verdict verdict) {
    switch (verdict) {
        case Verdict::Ok:
            return "ok";
        case Verdict::Refusal:
            return "refusal";
        case Verdict::BadChecksum:
            return "bad checksum";
        case Verdict::Malformed:
            return "malformed";
        case Verdict::Unknown:
            return "unknown";
    }
    return "unknown";
}

std::optional<Decoded> framingProblem(ByteSpan message) {
    const std::size_t size = message.size();
    if (size == 0) return Decoded{"malformed: empty message", Verdict::Malformed};
    if (message.front() != Start) return Decoded{"not SysEx: " + bytesWord(size), Verdict::Unknown};
    if (message.back() != End)
        return Decoded{"malformed: " + bytesWord(size) + " without F7 at the end",
                       Verdict::Malformed};
    for (std::size_t i = 1; i + 1 < size; ++i)
        if (message[i] & 0x80)
            return Decoded{
                "malformed: byte " + hexByte(message[i]) + " at offset " + std::to_string(i),
                Verdict::Malformed};
    // From five bytes on, offsets 1-3 are the maker's and not the final F7.
    const bool makerKnown = size >= Manufacturer.size() + 2;
    if (makerKnown && !std::equal(Manufacturer.begin(), Manufacturer.end(), message.begin() + 1))
        return Decoded{"SysEx of another maker, " + bytesWord(size), Verdict::Unknown};
    if (size < ShortestMessage)
        return Decoded{"malformed: " + bytesWord(size) + ", too short", Verdict::Malformed};
    return std::nullopt;
}

Decoded decodeAlone(Sender sender, ByteSpan message, const ParameterNamer& names) {
    DecodeContext context;
    context.names = &names;
    return decodeWith(sender, message, context);
}

// ---- Conversation ----------------------------------------------------------------------

Decoded Conversation::decode(Sender sender, ByteSpan message) {
    context_.names = &names_;
    context_.stream = nullptr;
    const bool framed = !framingProblem(message);
    if (framed && message[at::Family] == family::Editor && isIrCommand(message[at::Command]))
        context_.stream = sender == Sender::Editor ? &editorIr_ : &deviceIr_;
    else if (framed && message[at::Family] == family::Firmware)
        context_.stream = &firmware_;
    Decoded decoded = decodeWith(sender, message, context_);
    if (framed && decoded.verdict != Verdict::Malformed && decoded.verdict != Verdict::Unknown)
        follow(sender, message, decoded);
    return decoded;
}

void Conversation::reset() {
    context_ = DecodeContext{};
    editorIr_ = deviceIr_ = firmware_ = StreamProgress{};
}

void Conversation::follow(Sender sender, ByteSpan message, const Decoded&) {
    const std::uint8_t command = message[at::Command];
    const std::size_t end = message.size() - 1;
    if (message[at::Family] == family::Firmware) {
        if (sender != Sender::Editor) return;
        if (command == fwcmd::FirstChunk)
            startStream(firmware_,
                        message.subspan(at::FirmwareFirstData, end - at::FirmwareFirstData), 0,
                        read21(message, at::FirmwareStreamLength), FirmwareChunkBytes, false);
        else if (command == fwcmd::Chunk && firmware_.active &&
                 firmware_.total - std::min(firmware_.total, firmware_.sent) > FirmwareChunkBytes)
            continueStream(firmware_, message.subspan(at::FirmwareChunkData, FirmwareChunkBytes));
        else if (command == fwcmd::Chunk)
            firmware_.active = false;
        return;
    }
    StreamProgress& ir = sender == Sender::Editor ? editorIr_ : deviceIr_;
    switch (command) {
        case cmd::IrFirst:
        case cmd::RestoreIrFirst: {
            const unsigned number = read14(message, at::IrNumber);
            startStream(ir, message.subspan(at::IrFirstData, IrChunkBytes), number,
                        read21(message, at::IrStreamLength), IrChunkBytes,
                        command == cmd::RestoreIrFirst);
            if (sender == Sender::Editor && command == cmd::IrFirst) context_.lastIrUpload = number;
            break;
        }
        case cmd::IrMiddle:
        case cmd::RestoreIrMiddle:
            if (ir.active) continueStream(ir, message.subspan(at::IrChunkData, IrChunkBytes));
            break;
        case cmd::IrLast:
        case cmd::RestoreIrLast:
            ir.active = false;
            break;
    }
    if (sender == Sender::Device) {
        if (command == cmd::ParameterAck) context_.lastParameterHigh.reset();
        if (command == cmd::Completion) context_.lastReset.reset();
        return;
    }
    if (isRestoreMessage(command)) ++context_.restoreMessages;
    if (command == cmd::BeginTransfer || command == cmd::EndTransfer) context_.restoreMessages = 0;
    if (command == cmd::FactoryReset) context_.lastReset = message[at::Number];
    if (command == cmd::SetParameter) {
        const int device = message[at::Number];
        if (device == devmap::Ir7High) context_.lastParameterHigh = Ir7Position;
        if (device == devmap::Ir8High) context_.lastParameterHigh = Ir8Position;
    }
}

}  // namespace vornix::sysex
