// The hex lines of the stdio transport, and block messages.
#include <cstdint>
#include <string_view>

#include "device/sysex.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornix::sysex::Bytes bytes;
    if (vornix::sysex::fromHex({reinterpret_cast<const char*>(data), size}, bytes)) {
        if (vornix::sysex::toHex(bytes).size() != (bytes.empty() ? 0 : bytes.size() * 3 - 1))
            __builtin_trap();
    }
    const auto parsed = vornix::sysex::parseBlockMessage({data, size});
    if (parsed.error == vornix::sysex::ParseError::None && parsed.view.block.size() != 256)
        __builtin_trap();
    vornix::sysex::StreamUnpacker unpacker;
    unpacker.start(vornix::sysex::unpackedLength(size));
    for (std::size_t i = 0; i < size; ++i) unpacker.push(data[i] & 0x7F);
    return 0;
}
