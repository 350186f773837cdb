#pragma once
// Loading a firmware file into the transfer buffer. The file is raw: no
// header, magic or checksum of its own, so only its size can be checked.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "device/transfer_buffer.hpp"

namespace vornix::firmware {

// The loader takes files below 64 KiB.
inline constexpr std::uint64_t MaxFirmwareBytes = 65535;
// The first block always carries 240 image bytes, which a file of 210 bytes
// or fewer cannot fill (211 bytes pack to 242).
inline constexpr std::uint64_t MinFirmwareBytes = 211;

enum class FirmwareError { None, CannotOpen, TooLarge, TooSmall, ReadFailed, DoesNotFit };

struct FirmwareLoad {
    FirmwareError error = FirmwareError::None;
    std::string message;          // why the file was refused, empty when loaded
    std::uint64_t fileBytes = 0;  // size of the file, when it could be opened

    bool ok() const { return error == FirmwareError::None; }
};

// Checks the size alone; the message says what would be accepted.
FirmwareLoad checkFirmwareSize(std::uint64_t fileBytes);

// Checks the size of a firmware image already in memory and packs it into
// the buffer (sent = 0, remaining = total = image length). On any refusal the
// buffer is left as it was.
FirmwareLoad loadFirmwareImage(std::span<const std::uint8_t> bytes, sysex::TransferBuffer& buffer);

// Reads the file and packs it into the buffer (sent = 0, remaining = total =
// image length). On any refusal the buffer is left as it was.
FirmwareLoad loadFirmwareFile(const std::filesystem::path& path, sysex::TransferBuffer& buffer);

}  // namespace vornix::firmware
