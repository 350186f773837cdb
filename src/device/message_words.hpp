#pragma once
// What the decoder's two table files share: the words for numbers and the
// describers of chunks and statuses (message_chunks.cpp), which follow the
// conversation and so differ from the one-message describers beside the tables.
#include <string>

#include "device/message_decoder.hpp"

namespace vornix::sysex {

// "0x1A2B": a 14-bit checksum as the monitor shows it.
std::string hex14(unsigned value);
// "0x4E": a command or a stray byte.
std::string hexByte(std::uint8_t value);

Decoded describeIrFirst(ByteSpan message, const DecodeContext& context);
Decoded describeIrMiddle(ByteSpan message, const DecodeContext& context);
Decoded describeIrLast(ByteSpan message, const DecodeContext& context);
Decoded describeFirmwareFirst(ByteSpan message, const DecodeContext& context);
Decoded describeFirmwareChunk(ByteSpan message, const DecodeContext& context);
Decoded describeStatus(ByteSpan message, const DecodeContext& context);
Decoded describeFirmwareStatus(ByteSpan message, const DecodeContext& context);

}  // namespace vornix::sysex
