#include "device/sysex.hpp"

#include <algorithm>
#include <cctype>

namespace vornix::sysex {

namespace {

Bytes header(std::uint8_t familyByte, std::uint8_t command) {
    Bytes out{Start, Manufacturer[0], Manufacturer[1], Manufacturer[2], familyByte, command};
    return out;
}

Bytes editorHeader(std::uint8_t command, std::uint8_t deviceByte = DeviceCode) {
    Bytes out = header(family::Editor, command);
    out.push_back(deviceByte);
    return out;
}

Bytes finished(Bytes out) {
    out.push_back(End);
    return out;
}

Bytes oneByteCommand(std::uint8_t command, std::uint8_t value) {
    Bytes out = editorHeader(command);
    out.push_back(value & 0x7F);
    return finished(std::move(out));
}

void appendSeven(Bytes& out, ByteSpan bytes) {
    for (std::uint8_t b : bytes) out.push_back(b & 0x7F);
}

}  // namespace

// ---- numbers and checksums -------------------------------------------------

Checksum checksumOfSum(unsigned sum) {
    return Checksum{static_cast<std::uint8_t>((sum >> 7) & 0x7F),
                    static_cast<std::uint8_t>(sum & 0x7F)};
}

Checksum checksumOf(ByteSpan bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return checksumOfSum(sum & 0x3FFF);
}

void append14(Bytes& out, unsigned value) {
    out.push_back((value >> 7) & 0x7F);
    out.push_back(value & 0x7F);
}

void append21(Bytes& out, unsigned value) {
    out.push_back((value >> 14) & 0x7F);
    out.push_back((value >> 7) & 0x7F);
    out.push_back(value & 0x7F);
}

unsigned read14(ByteSpan message, std::size_t offset) {
    if (offset + 2 > message.size()) return 0;
    return (unsigned(message[offset] & 0x7F) << 7) | (message[offset + 1] & 0x7F);
}

unsigned read21(ByteSpan message, std::size_t offset) {
    if (offset + 3 > message.size()) return 0;
    return (unsigned(message[offset] & 0x7F) << 14) | (unsigned(message[offset + 1] & 0x7F) << 7) |
           (message[offset + 2] & 0x7F);
}

// ---- packed streams ------------------------------------------------------------

std::size_t packedLength(std::size_t dataBytes) {
    return (8 * dataBytes + 7) / 7;
}

std::size_t unpackedLength(std::size_t streamBytes) {
    return 7 * streamBytes / 8;
}

Bytes packStream(ByteSpan data) {
    Bytes out;
    out.reserve(packedLength(data.size()));
    unsigned accumulator = 0;
    unsigned bits = 0;
    for (std::uint8_t byte : data) {
        for (int bit = 7; bit >= 0; --bit) {
            accumulator = (accumulator << 1) | ((byte >> bit) & 1u);
            if (++bits == 7) {
                out.push_back(static_cast<std::uint8_t>(accumulator & 0x7F));
                accumulator = 0;
                bits = 0;
            }
        }
    }
    if (bits > 0) out.push_back(static_cast<std::uint8_t>((accumulator << (7 - bits)) & 0x7F));
    out.resize(packedLength(data.size()), 0);  // the length rule may ask for one zero byte more
    return out;
}

void StreamUnpacker::start(std::size_t expectedDataBytes) {
    expected_ = expectedDataBytes;
    produced_ = 0;
    bitsLeft_ = static_cast<unsigned>(expectedDataBytes * 8);
    current_ = 0;
    currentBits_ = 0;
    assembled_ = 0;
    pending_.clear();
}

void StreamUnpacker::push(std::uint8_t streamByte) {
    current_ = streamByte;
    currentBits_ = 7;
    while (bitsLeft_ > 0 && currentBits_ > 0) {
        assembled_ = static_cast<std::uint8_t>((assembled_ << 1) | ((current_ >> 6) & 1u));
        current_ = static_cast<std::uint8_t>(current_ << 1);
        --currentBits_;
        --bitsLeft_;
        if (bitsLeft_ % 8 == 0) {
            pending_.push_back(assembled_);
            assembled_ = 0;
            ++produced_;
        }
    }
}

Bytes unpackStream(ByteSpan stream) {
    StreamUnpacker unpacker;
    unpacker.start(unpackedLength(stream.size()));
    Bytes out;
    for (std::uint8_t b : stream) unpacker.push(b);
    unpacker.drain([&](std::uint8_t b) { out.push_back(b); });
    return out;
}

// ---- editor -> device ----------------------------------------------------------

Bytes requestPage(std::uint8_t pageNumber) {
    return oneByteCommand(cmd::Request, pageNumber);
}
Bytes requestPreset(std::uint8_t slot) {
    return oneByteCommand(cmd::RequestPreset, slot);
}
Bytes selectPreset(std::uint8_t slot) {
    return oneByteCommand(cmd::SelectPreset, slot);
}
Bytes factoryReset(std::uint8_t target) {
    return oneByteCommand(cmd::FactoryReset, target);
}
Bytes requestIrNames(std::uint8_t pageNumber) {
    return oneByteCommand(cmd::RequestIrNames, pageNumber);
}

Bytes setParameter(std::uint8_t deviceNumber, std::uint8_t value) {
    Bytes out = editorHeader(cmd::SetParameter);
    out.push_back(deviceNumber & 0x7F);
    out.push_back(value & 0x7F);
    return finished(std::move(out));
}

Bytes storePreset(std::uint8_t slot) {
    return setParameter(devnum::StorePreset, slot);
}
Bytes switchLayer(bool layerB) {
    return setParameter(devnum::LayerSwitch, layerB ? 1 : 0);
}

Bytes beginTransfer() {
    return finished(editorHeader(cmd::BeginTransfer));
}
Bytes endTransfer() {
    return finished(editorHeader(cmd::EndTransfer));
}
Bytes editorClosed() {
    return finished(editorHeader(cmd::EditorClosed));
}

Bytes requestIr(unsigned irNumber) {
    Bytes out = editorHeader(cmd::RequestIr);
    append14(out, irNumber);
    return finished(std::move(out));
}

Bytes blockMessage(std::uint8_t command, std::uint8_t number, ByteSpan block,
                   std::uint8_t deviceByte) {
    Bytes out = editorHeader(command, deviceByte);
    out.push_back(number & 0x7F);
    const std::size_t start = out.size();
    appendSeven(out, block.first(std::min(block.size(), BlockSize)));
    out.resize(start + BlockSize, 0);
    const Checksum sum = checksumOf(ByteSpan(out).subspan(start, BlockSize));
    out.push_back(sum.high);
    out.push_back(sum.low);
    return finished(std::move(out));
}

Bytes irFirstChunk(std::uint8_t command, unsigned irNumber, unsigned streamLength,
                   ByteSpan streamBytes, std::uint8_t deviceByte) {
    Bytes out = editorHeader(command, deviceByte);
    append14(out, irNumber);
    append21(out, streamLength);
    appendSeven(out, streamBytes);
    return finished(std::move(out));
}

Bytes irMiddleChunk(std::uint8_t command, ByteSpan streamBytes, std::uint8_t deviceByte) {
    Bytes out = editorHeader(command, deviceByte);
    appendSeven(out, streamBytes);
    return finished(std::move(out));
}

Bytes irLastChunk(std::uint8_t command, ByteSpan streamBytes, Checksum streamChecksum,
                  std::uint8_t deviceByte) {
    Bytes out = editorHeader(command, deviceByte);
    appendSeven(out, streamBytes);
    out.push_back(streamChecksum.high);
    out.push_back(streamChecksum.low);
    return finished(std::move(out));
}

Bytes firmwareEnterUpdate() {
    return finished(header(family::Firmware, fwcmd::EnterUpdate));
}

Bytes firmwareFirstChunk(unsigned streamLength, ByteSpan streamBytes) {
    Bytes out = header(family::Firmware, fwcmd::FirstChunk);
    append21(out, streamLength);
    appendSeven(out, streamBytes);
    return finished(std::move(out));
}

Bytes firmwareMiddleChunk(ByteSpan streamBytes) {
    Bytes out = header(family::Firmware, fwcmd::Chunk);
    appendSeven(out, streamBytes);
    return finished(std::move(out));
}

Bytes firmwareLastChunk(ByteSpan streamBytes, Checksum streamChecksum) {
    Bytes out = header(family::Firmware, fwcmd::Chunk);
    appendSeven(out, streamBytes);
    out.push_back(streamChecksum.high);
    out.push_back(streamChecksum.low);
    return finished(std::move(out));
}

// ---- device -> editor ------------------------------------------------------------

Bytes status(std::uint8_t command) {
    Bytes out = header(family::Editor, command);
    out.push_back(0x00);
    return finished(std::move(out));
}

Bytes firmwareStatus(std::uint8_t command) {
    return finished(header(family::Firmware, command));
}

Bytes parameterChanged(std::uint8_t index, std::uint8_t value) {
    Bytes out = editorHeader(cmd::ParameterChanged);
    out.push_back(index & 0x7F);
    out.push_back(value & 0x7F);
    return finished(std::move(out));
}

Bytes identificationReply(std::uint8_t versionTimesTen, std::string_view serial) {
    std::array<std::uint8_t, BlockSize> block{};
    const auto name = padName(serial);
    std::copy(name.begin(), name.end(), block.begin() + SerialOffsetInBlock);
    return blockMessage(cmd::GlobalPage, page::Identify, block, versionTimesTen & 0x7F);
}

Bytes textMessage(std::string_view text) {
    Bytes out = editorHeader(cmd::Text);
    const auto name = padName(text);
    appendSeven(out, name);
    out.push_back(0);
    out.push_back(0);
    return finished(std::move(out));
}

// ---- parsing ---------------------------------------------------------------------

const char* describe(ParseError error) {
    switch (error) {
        case ParseError::None:
            return "no error";
        case ParseError::Length:
            return "wrong length";
        case ParseError::Framing:
            return "not a SysEx message of this device";
        case ParseError::Family:
            return "wrong message family";
        case ParseError::Command:
            return "unknown command";
        case ParseError::Checksum:
            return "checksum mismatch";
    }
    return "unknown error";
}

bool isFramed(ByteSpan message) {
    if (message.size() < 6 || message.front() != Start || message.back() != End) return false;
    if (!std::equal(Manufacturer.begin(), Manufacturer.end(), message.begin() + 1)) return false;
    return std::all_of(message.begin() + 1, message.end() - 1,
                       [](std::uint8_t b) { return b < 0x80; });
}

bool hasHeader(ByteSpan message, std::uint8_t familyByte) {
    return message.size() > at::Family && message[0] == Start &&
           std::equal(Manufacturer.begin(), Manufacturer.end(), message.begin() + 1) &&
           message[at::Family] == familyByte;
}

BlockParse parseBlockMessage(ByteSpan message) {
    BlockParse result;
    if (message.size() != BlockMessageSize) {
        result.error = ParseError::Length;
        return result;
    }
    if (!hasHeader(message, family::Editor)) {
        result.error = message.size() > at::Family && message[at::Family] != family::Editor
                           ? ParseError::Family
                           : ParseError::Framing;
        return result;
    }
    BlockView& view = result.view;
    view.command = message[at::Command];
    view.deviceByte = message[at::Device];
    view.number = message[at::Number];
    view.block = message.subspan(at::Block, BlockSize);
    view.sent = Checksum{message[at::BlockChecksum], message[at::BlockChecksum + 1]};
    view.checksumOk = checksumOf(view.block) == view.sent;
    return result;
}

std::string printableName(std::string_view text) {
    constexpr char First = ' ', Last = '~', Substitute = '_';
    std::string out(text);
    for (char& c : out)
        if (c < First || c > Last) c = Substitute;
    return out;
}

std::string trimDeviceName(ByteSpan name32) {
    const std::size_t size = std::min(name32.size(), NameBytes);
    std::size_t end = size;
    for (std::size_t i = size; i-- > 1;) {
        if (name32[i] != ' ') {
            end = i + 1;
            break;
        }
        if (i == 1) end = size;  // positions 1..31 all spaces: keep everything
    }
    return std::string(name32.begin(), name32.begin() + static_cast<std::ptrdiff_t>(end));
}

std::array<std::uint8_t, NameBytes> padName(std::string_view name) {
    std::array<std::uint8_t, NameBytes> out;
    out.fill(' ');
    for (std::size_t i = 0; i < std::min(name.size(), NameBytes); ++i)
        out[i] = static_cast<std::uint8_t>(name[i]) & 0x7F;
    return out;
}

std::string toHex(ByteSpan bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out.push_back(' ');
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 0xF]);
    }
    return out;
}

bool fromHex(std::string_view text, Bytes& out) {
    out.clear();
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) return false;
        const int hi = nibble(text[i]);
        const int lo = nibble(text[i + 1]);
        if (hi < 0 || lo < 0) return false;
        if (i + 2 < text.size() && !std::isspace(static_cast<unsigned char>(text[i + 2])))
            return false;
        out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        i += 2;
    }
    return true;
}

}  // namespace vornix::sysex
