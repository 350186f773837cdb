#pragma once
// The device's wire format: framing, 7/14/21-bit numbers, both checksums and a
// builder for every message either side sends. Parsers check the length before
// the first read and say what was wrong.
//
// Layout of every family-05 message the editor sends:
//   F0 00 51 21 05 <command> 0A <payload...> F7
// Firmware family messages carry no device code:
//   F0 00 51 21 04 <command> <payload...> F7
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::sysex {

using Bytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;

inline constexpr std::uint8_t Start = 0xF0;
inline constexpr std::uint8_t End = 0xF7;
inline constexpr std::array<std::uint8_t, 3> Manufacturer{0x00, 0x51, 0x21};
inline constexpr std::uint8_t DeviceCode = 0x0A;

namespace family {
inline constexpr std::uint8_t Editor = 0x05;
inline constexpr std::uint8_t Firmware = 0x04;
}  // namespace family

// Commands of family 05, both directions.
namespace cmd {
inline constexpr std::uint8_t EditBuffer = 0x20;
inline constexpr std::uint8_t SelectPreset = 0x23;
inline constexpr std::uint8_t RequestPreset = 0x40;
inline constexpr std::uint8_t PresetDump = 0x41;
inline constexpr std::uint8_t SetParameter = 0x50;
inline constexpr std::uint8_t ParameterChanged = 0x51;
inline constexpr std::uint8_t GlobalPage = 0x52;
inline constexpr std::uint8_t Request = 0x55;
inline constexpr std::uint8_t FactoryReset = 0x56;
inline constexpr std::uint8_t Completion = 0x57;
inline constexpr std::uint8_t BeginTransfer = 0x5A;
inline constexpr std::uint8_t EndTransfer = 0x5B;
inline constexpr std::uint8_t EditorClosed = 0x5F;  // editor -> device
inline constexpr std::uint8_t ParameterAck = 0x5F;  // device -> editor status
inline constexpr std::uint8_t IrFirst = 0x60;
inline constexpr std::uint8_t IrStored = 0x61;
inline constexpr std::uint8_t IrError = 0x62;
inline constexpr std::uint8_t IrHeaderAccepted = 0x63;
inline constexpr std::uint8_t IrMiddle = 0x65;
inline constexpr std::uint8_t IrLast = 0x66;
inline constexpr std::uint8_t RequestIr = 0x69;
inline constexpr std::uint8_t RequestIrNames = 0x6A;
inline constexpr std::uint8_t IrNamePage = 0x6B;
inline constexpr std::uint8_t RestoreAck = 0x71;
inline constexpr std::uint8_t RestoreRefused = 0x72;
inline constexpr std::uint8_t RestoreContinue = 0x73;
inline constexpr std::uint8_t RestoreIrFirst = 0x77;
inline constexpr std::uint8_t RestoreIrMiddle = 0x78;
inline constexpr std::uint8_t RestoreIrLast = 0x79;
inline constexpr std::uint8_t Text = 0x7B;
inline constexpr std::uint8_t RestoreAckAlt = 0x7D;
inline constexpr std::uint8_t RestoreRefusedAlt = 0x7E;
inline constexpr std::uint8_t RestorePreset = 0x7F;
}  // namespace cmd

// Commands of the firmware family 04.
namespace fwcmd {
inline constexpr std::uint8_t EnterUpdate = 0x10;
inline constexpr std::uint8_t Ready = 0x12;
inline constexpr std::uint8_t FirstChunk = 0x13;
inline constexpr std::uint8_t Finished = 0x14;
inline constexpr std::uint8_t Failed = 0x15;
inline constexpr std::uint8_t Chunk = 0x20;
}  // namespace fwcmd

// Pages of request 0x55 and global page messages 0x52.
namespace page {
inline constexpr std::uint8_t Settings = 0;
inline constexpr std::uint8_t MidiAssign = 1;
inline constexpr std::uint8_t ProgramMap = 2;
inline constexpr std::uint8_t Checksums = 3;
inline constexpr std::uint8_t Identify = 0x0F;
}  // namespace page

// Factory reset targets of command 0x56.
namespace reset {
inline constexpr std::uint8_t All = 0;
inline constexpr std::uint8_t Presets = 1;
inline constexpr std::uint8_t Settings = 2;
}  // namespace reset

// Device numbers of 0x50 that are commands rather than parameters.
namespace devnum {
inline constexpr std::uint8_t StorePreset = 18;
inline constexpr std::uint8_t LayerSwitch = 19;
}  // namespace devnum

// Offsets and sizes.
namespace at {
inline constexpr std::size_t Family = 4;
inline constexpr std::size_t Command = 5;
inline constexpr std::size_t Device = 6;  // 0A, or the firmware version in an identification reply
inline constexpr std::size_t Number = 7;  // slot or page of a block message
inline constexpr std::size_t Block = 8;
inline constexpr std::size_t BlockChecksum = 264;
inline constexpr std::size_t IrNumber = 7;        // 14-bit, first IR chunk
inline constexpr std::size_t IrStreamLength = 9;  // 21-bit, first IR chunk
inline constexpr std::size_t IrFirstData = 12;
inline constexpr std::size_t IrChunkData = 7;
inline constexpr std::size_t TextData = 7;
inline constexpr std::size_t FirmwareStreamLength = 6;
inline constexpr std::size_t FirmwareFirstData = 9;
inline constexpr std::size_t FirmwareChunkData = 6;
}  // namespace at

inline constexpr std::size_t BlockSize = 256;
inline constexpr std::size_t BlockMessageSize = 267;
inline constexpr std::size_t IrChunkBytes = 256;
inline constexpr std::size_t IrFirstSize = 269;
inline constexpr std::size_t IrMiddleSize = 264;
inline constexpr std::size_t FirmwareChunkBytes = 240;
inline constexpr std::size_t FirmwareFirstSize = 250;
inline constexpr std::size_t FirmwareMiddleSize = 247;
inline constexpr std::size_t TextMessageSize = 42;
inline constexpr std::size_t TextBytes = 32;
inline constexpr std::size_t ShortMessageMax = 10;
inline constexpr std::size_t NameBytes = 32;
inline constexpr std::size_t SerialOffsetInBlock = 224;
// The last chunk of an IR or firmware stream ends with its 14-bit checksum.
inline constexpr std::size_t StreamChecksumBytes = 2;

// ---- numbers and checksums -------------------------------------------------

struct Checksum {
    std::uint8_t high = 0;
    std::uint8_t low = 0;
    unsigned value() const { return (unsigned(high) << 7) | low; }
    friend bool operator==(const Checksum&, const Checksum&) = default;
};

// A 14-bit sum sent high 7 bits first.
Checksum checksumOfSum(unsigned sum);
// Sum of the bytes, modulo 0x4000: block checksums and stream checksums alike.
Checksum checksumOf(ByteSpan bytes);

void append14(Bytes& out, unsigned value);
void append21(Bytes& out, unsigned value);
unsigned read14(ByteSpan message, std::size_t offset);
unsigned read21(ByteSpan message, std::size_t offset);

// ---- packed 8-bit streams ---------------------------------------------------

// Stream length for n data bytes: floor((8n + 7) / 7).
std::size_t packedLength(std::size_t dataBytes);
// Data bytes carried by a stream of m bytes: floor(7m / 8).
std::size_t unpackedLength(std::size_t streamBytes);
// Packs 8-bit data into 7-bit stream bytes, most significant bit first.
Bytes packStream(ByteSpan data);

// Rebuilds the data one stream byte at a time, as chunks arrive.
class StreamUnpacker {
  public:
    void start(std::size_t expectedDataBytes);
    void push(std::uint8_t streamByte);
    // Pushes the final zero byte that flushes the bits of the last stream byte.
    void finish() { push(0); }
    std::size_t produced() const { return produced_; }
    std::size_t expected() const { return expected_; }
    bool complete() const { return produced_ == expected_; }
    // Called with each completed data byte.
    template <typename Sink>
    void drain(Sink&& sink) {
        for (std::uint8_t b : pending_) sink(b);
        pending_.clear();
    }

  private:
    std::size_t expected_ = 0;
    std::size_t produced_ = 0;
    unsigned bitsLeft_ = 0;  // bits still to produce
    std::uint8_t current_ = 0;
    unsigned currentBits_ = 0;
    std::uint8_t assembled_ = 0;
    Bytes pending_;
};
// Whole-stream convenience: the data bytes a complete stream carries.
Bytes unpackStream(ByteSpan stream);

// ---- editor -> device ----------------------------------------------------------

Bytes requestPage(std::uint8_t page);                               // 55 p
Bytes requestPreset(std::uint8_t slot);                             // 40 n
Bytes selectPreset(std::uint8_t slot);                              // 23 n
Bytes setParameter(std::uint8_t deviceNumber, std::uint8_t value);  // 50 d v
Bytes storePreset(std::uint8_t slot);                               // 50 12 n
Bytes switchLayer(bool layerB);                                     // 50 13 b
Bytes factoryReset(std::uint8_t target);                            // 56 n
Bytes beginTransfer();                                              // 5A
Bytes endTransfer();                                                // 5B
Bytes editorClosed();                                               // 5F
Bytes requestIr(unsigned irNumber);                                 // 69 hi lo
Bytes requestIrNames(std::uint8_t page);                            // 6A p
// 267-byte block message: F0 00 51 21 05 cmd dev n block cks-hi cks-lo F7.
Bytes blockMessage(std::uint8_t command, std::uint8_t number, ByteSpan block,
                   std::uint8_t deviceByte = DeviceCode);
// IR chunks (commands 60/65/66 and their restore forms 77/78/79).
Bytes irFirstChunk(std::uint8_t command, unsigned irNumber, unsigned streamLength,
                   ByteSpan streamBytes, std::uint8_t deviceByte = DeviceCode);
Bytes irMiddleChunk(std::uint8_t command, ByteSpan streamBytes,
                    std::uint8_t deviceByte = DeviceCode);
Bytes irLastChunk(std::uint8_t command, ByteSpan streamBytes, Checksum streamChecksum,
                  std::uint8_t deviceByte = DeviceCode);
// Firmware family.
Bytes firmwareEnterUpdate();
Bytes firmwareFirstChunk(unsigned streamLength, ByteSpan streamBytes);
Bytes firmwareMiddleChunk(ByteSpan streamBytes);
Bytes firmwareLastChunk(ByteSpan streamBytes, Checksum streamChecksum);

// ---- device -> editor (used by the simulated pedal and by tests) ---------------

// Short status: F0 00 51 21 05 c 00 F7 (offset 6 is not 0A).
Bytes status(std::uint8_t command);
Bytes firmwareStatus(std::uint8_t command);                      // F0 00 51 21 04 c F7
Bytes parameterChanged(std::uint8_t index, std::uint8_t value);  // 51 0A i v
// Identification reply: global page 0x0F with the version byte at offset 6
// and the serial number text in block bytes 224-255.
Bytes identificationReply(std::uint8_t versionTimesTen, std::string_view serial);
Bytes textMessage(std::string_view text);  // 7B, 42 bytes

// ---- parsing -----------------------------------------------------------------

enum class ParseError { None, Length, Framing, Family, Command, Checksum };
const char* describe(ParseError error);

// True when the message starts F0 00 51 21 and ends F7 with 7-bit bytes between.
bool isFramed(ByteSpan message);
bool hasHeader(ByteSpan message, std::uint8_t familyByte);

struct BlockView {
    std::uint8_t command = 0;
    std::uint8_t deviceByte = 0;
    std::uint8_t number = 0;
    ByteSpan block;
    Checksum sent;
    bool checksumOk = false;
};
// A 267-byte family-05 block message. A wrong checksum is reported in the
// view (checksumOk), not as an error: some callers still act on the number.
struct BlockParse {
    ParseError error = ParseError::None;
    BlockView view;
};
BlockParse parseBlockMessage(ByteSpan message);

// Trims a 32-byte device name: positions 31 down to 1 are examined and the
// text ends after the first that is not a space; all spaces keep all 32 bytes.
std::string trimDeviceName(ByteSpan name32);
// Names travel in 7-bit messages and are drawn: every byte outside
// printable ASCII (UTF-8, control bytes) becomes '_'.
std::string printableName(std::string_view text);
// A name padded with spaces (or cut) to exactly 32 bytes.
std::array<std::uint8_t, NameBytes> padName(std::string_view name);

// Upper-case hex separated by single spaces ("F0 00 51 ...").
std::string toHex(ByteSpan bytes);
// Parses hex byte pairs separated by white space, any case. False on bad input.
bool fromHex(std::string_view text, Bytes& out);

}  // namespace vornix::sysex
