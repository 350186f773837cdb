// Firmware files: any content of an accepted size packs into the transfer
// buffer, and a refused one leaves the buffer as it was.
#include <cstdint>

#include "device/sysex.hpp"
#include "firmware/firmware_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornix::sysex::TransferBuffer buffer;
    const auto load = vornix::firmware::loadFirmwareImage({data, size}, buffer);
    if (load.fileBytes != size) __builtin_trap();
    if (!load.ok()) {
        if (load.message.empty() || !buffer.empty()) __builtin_trap();
        return 0;
    }
    if (buffer.total() != vornix::sysex::packedLength(size) || buffer.sent() != 0) __builtin_trap();
    // The device tick sends the image in chunks until nothing remains.
    while (buffer.remaining() > 0)
        if (buffer.take(256).empty()) __builtin_trap();
    return 0;
}
