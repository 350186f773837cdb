#include "firmware/firmware_file.hpp"

#include <vector>

#include "storage/file_io.hpp"

namespace vornix::firmware {
namespace {

FirmwareLoad refuse(FirmwareError error, std::string message, std::uint64_t fileBytes) {
    return FirmwareLoad{error, std::move(message), fileBytes};
}

}  // namespace

FirmwareLoad checkFirmwareSize(std::uint64_t fileBytes) {
    if (fileBytes > MaxFirmwareBytes)
        return refuse(FirmwareError::TooLarge,
                      "firmware file too large: " + std::to_string(fileBytes) +
                          " bytes (the device takes files of at most 65535 bytes)",
                      fileBytes);
    if (fileBytes < MinFirmwareBytes)
        return refuse(FirmwareError::TooSmall,
                      "firmware file too small: " + std::to_string(fileBytes) +
                          " bytes (a firmware file has more than 210 bytes)",
                      fileBytes);
    return FirmwareLoad{FirmwareError::None, {}, fileBytes};
}

FirmwareLoad loadFirmwareImage(std::span<const std::uint8_t> bytes, sysex::TransferBuffer& buffer) {
    auto checked = checkFirmwareSize(bytes.size());
    if (!checked.ok()) return checked;
    if (!buffer.load(bytes))
        return refuse(FirmwareError::DoesNotFit, "firmware image does not fit the transfer buffer",
                      checked.fileBytes);
    return checked;
}

FirmwareLoad loadFirmwareFile(const std::filesystem::path& path, sysex::TransferBuffer& buffer) {
    storage::FileReader reader(path);
    if (!reader.isOpen())
        return refuse(FirmwareError::CannotOpen, "cannot open the firmware file " + path.string(),
                      0);
    auto checked = checkFirmwareSize(reader.size());
    if (!checked.ok()) return checked;

    std::vector<std::uint8_t> bytes(reader.size());
    // A file that shrank since it was opened must not go out padded with zeros.
    if (reader.read(bytes.data(), bytes.size()) != bytes.size())
        return refuse(FirmwareError::ReadFailed, "could not read the whole firmware file",
                      checked.fileBytes);
    return loadFirmwareImage(bytes, buffer);
}

}  // namespace vornix::firmware
