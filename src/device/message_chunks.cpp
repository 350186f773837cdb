// The words for IR chunks, firmware chunks and the device's statuses. Alone
// a middle chunk or an acknowledgement says little; the conversation's
// context (DecodeContext) names the IR, the chunk's place and the restore
// message it answers.
#include <algorithm>

#include "device/message_words.hpp"

namespace vornix::sysex {

namespace {

std::string number(unsigned value) {
    return std::to_string(value);
}

bool isRestore(std::uint8_t command) {
    return command == cmd::RestoreIrFirst || command == cmd::RestoreIrMiddle ||
           command == cmd::RestoreIrLast;
}

// A stream of the same kind (upload or restore) is being followed.
const StreamProgress* followed(const DecodeContext& context, bool restore) {
    const StreamProgress* stream = context.stream;
    return stream && stream->active && stream->restore == restore ? stream : nullptr;
}

std::string irPrefix(std::uint8_t command) {
    return isRestore(command) ? "restore IR " : "IR ";
}

unsigned sumOf(ByteSpan bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return sum;
}

// The stream bytes of a last chunk: after the header, before the checksum and F7.
ByteSpan lastChunkData(ByteSpan message, std::size_t dataAt) {
    const std::size_t end = message.size() - StreamChecksumBytes - 1;
    return end > dataAt ? message.subspan(dataAt, end - dataAt) : ByteSpan{};
}

// ", checksum 0x1A2B", and with the chunks before it whether it adds up.
Decoded lastChunk(std::string name, ByteSpan message, ByteSpan data, const StreamProgress* stream) {
    const unsigned sent = read14(message, message.size() - StreamChecksumBytes - 1);
    name += ", checksum " + hex14(sent);
    if (!stream) return {std::move(name)};
    const unsigned sum = checksumOfSum(stream->sum + sumOf(data)).value();
    if (sum == sent) return {std::move(name)};
    return {name + ", bad checksum (the chunks add up to " + hex14(sum) + ")",
            Verdict::BadChecksum};
}

std::string ofChunks(const StreamProgress& stream) {
    return number(unsigned(stream.chunk + 1)) + " of " + number(unsigned(stream.chunks));
}

// What an acknowledgement answers: "(restore message 37)".
std::string restoreMessage(const DecodeContext& context) {
    if (context.restoreMessages == 0) return "";
    return " (restore message " + number(unsigned(context.restoreMessages)) + ")";
}

std::string uploadedIr(const DecodeContext& context) {
    return context.lastIrUpload ? "IR " + number(*context.lastIrUpload) + " " : "IR ";
}

}  // namespace

Decoded describeIrFirst(ByteSpan message, const DecodeContext&) {
    return {irPrefix(message[at::Command]) + number(read14(message, at::IrNumber)) +
            " first chunk"};
}

Decoded describeIrMiddle(ByteSpan message, const DecodeContext& context) {
    const std::uint8_t command = message[at::Command];
    const StreamProgress* stream = followed(context, isRestore(command));
    if (!stream) return {irPrefix(command) + "middle chunk"};
    return {irPrefix(command) + number(stream->number) + " chunk " + ofChunks(*stream)};
}

Decoded describeIrLast(ByteSpan message, const DecodeContext& context) {
    const std::uint8_t command = message[at::Command];
    const StreamProgress* stream = followed(context, isRestore(command));
    const std::string name =
        irPrefix(command) + (stream ? number(stream->number) + " " : "") + "last chunk";
    return lastChunk(name, message, lastChunkData(message, at::IrChunkData), stream);
}

Decoded describeFirmwareFirst(ByteSpan message, const DecodeContext&) {
    const unsigned total = read21(message, at::FirmwareStreamLength);
    return {"firmware chunk 1 of " +
            number(unsigned(chunksFor(total, FirmwareChunkBytes, FirmwareChunkBytes)))};
}

// A middle chunk and a last one of 238 bytes have the same length: only the
// count the first chunk declared tells them apart.
Decoded describeFirmwareChunk(ByteSpan message, const DecodeContext& context) {
    const StreamProgress* stream = followed(context, false);
    const bool middleLength = message.size() == FirmwareMiddleSize;
    const bool middle =
        stream ? stream->total - std::min(stream->total, stream->sent) > FirmwareChunkBytes &&
                     middleLength
               : middleLength;
    if (!stream && middle) return {"firmware chunk"};
    if (middle) return {"firmware chunk " + ofChunks(*stream)};
    return lastChunk("firmware last chunk", message, lastChunkData(message, at::FirmwareChunkData),
                     stream);
}

Decoded describeStatus(ByteSpan message, const DecodeContext& context) {
    const std::uint8_t command = message[at::Command];
    if (message.size() > at::Device + 1 && message[at::Device] == DeviceCode)
        return {"malformed: status " + hexByte(command) + " with the device code, ignored",
                Verdict::Malformed};
    switch (command) {
        case cmd::Completion:
            return {context.lastReset ? "completion of the factory reset" : "completion"};
        case cmd::IrStored:
            return {uploadedIr(context) + "stored"};
        case cmd::IrError:
            return {context.lastIrUpload
                        ? "error: IR " + number(*context.lastIrUpload) + " not stored"
                        : "error",
                    Verdict::Refusal};
        case cmd::IrHeaderAccepted:
            return {uploadedIr(context) + "header accepted, send the data"};
        case cmd::RestoreContinue:
            return {"acknowledge, continue" + restoreMessage(context)};
        case cmd::ParameterAck:
            if (context.lastParameterHigh)
                return {"acknowledge (IR " + number(unsigned(*context.lastParameterHigh)) +
                        " number, high half)"};
            return {"acknowledge parameter"};
        case cmd::RestoreAck:
        case cmd::RestoreAckAlt:
            return {"acknowledge" + restoreMessage(context)};
        case cmd::RestoreRefused:
        case cmd::RestoreRefusedAlt:
            return {"refuse" + restoreMessage(context), Verdict::Refusal};
    }
    return {"status " + hexByte(command), Verdict::Unknown};
}

Decoded describeFirmwareStatus(ByteSpan message, const DecodeContext&) {
    switch (message[at::Command]) {
        case fwcmd::Ready:
            return {"ready for firmware"};
        case fwcmd::Finished:
            return {"firmware update finished"};
        case fwcmd::Failed:
            return {"firmware update failed", Verdict::Refusal};
    }
    return {"firmware status " + hexByte(message[at::Command]), Verdict::Unknown};
}

int chunksFor(unsigned total, unsigned first, unsigned chunk) {
    if (chunk == 0 || total <= first) return 2;
    return 1 + static_cast<int>(std::max(1u, (total - first + chunk - 1) / chunk));
}

}  // namespace vornix::sysex
