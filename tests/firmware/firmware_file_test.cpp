#include "firmware/firmware_file.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device/sysex.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::firmware {
namespace {

class FirmwareFileTest : public ::testing::Test {
  protected:
    std::filesystem::path writeFirmware(std::size_t size) {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
        const auto path = dir_.path() / ("fw" + std::to_string(size) + ".bin");
        EXPECT_TRUE(storage::writeFile(path, bytes));
        return path;
    }

    vornix::testing::TempDir dir_;
    sysex::TransferBuffer buffer_;
};

struct SizeCase {
    std::size_t fileBytes;
    FirmwareError error;
    std::size_t imageBytes;  // 0 when refused
};

class FirmwareSizes : public FirmwareFileTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FirmwareSizes, AcceptsWhatFillsTheFirstBlockAndFitsTheLoader) {
    const auto [fileBytes, error, imageBytes] = GetParam();
    const auto result = loadFirmwareFile(writeFirmware(fileBytes), buffer_);
    EXPECT_EQ(result.error, error) << result.message;
    EXPECT_EQ(result.fileBytes, fileBytes);
    EXPECT_EQ(buffer_.total(), imageBytes);
    EXPECT_EQ(result.ok(), result.message.empty());
}

INSTANTIATE_TEST_SUITE_P(
    AroundTheLimits, FirmwareSizes,
    ::testing::Values(
        SizeCase{0, FirmwareError::TooSmall, 0}, SizeCase{210, FirmwareError::TooSmall, 0},
        SizeCase{211, FirmwareError::None, 242}, SizeCase{7000, FirmwareError::None, 8001},
        SizeCase{57343, FirmwareError::None, 65535},
        // Past the old 64 KiB image area; the buffer has room for it.
        SizeCase{57344, FirmwareError::None, 65537}, SizeCase{65535, FirmwareError::None, 74898},
        SizeCase{65536, FirmwareError::TooLarge, 0}),
    // Named by size: the default name prints the case's padding bytes, which
    // differ between runs and so between test discovery and the run itself.
    [](const ::testing::TestParamInfo<SizeCase>& param) {
        return std::to_string(param.param.fileBytes) + "Bytes";
    });

TEST_F(FirmwareFileTest, SevenThousandBytesGiveTheLengthBytesOfTheFirstBlock) {
    ASSERT_TRUE(loadFirmwareFile(writeFirmware(7000), buffer_).ok());
    EXPECT_EQ(buffer_.sent(), 0u);
    EXPECT_EQ(buffer_.remaining(), 8001u);
    EXPECT_EQ(buffer_.image().back(), 0u);  // 8 x 7000 is a multiple of 7

    const auto first = sysex::firmwareFirstChunk(static_cast<unsigned>(buffer_.total()),
                                                 buffer_.take(sysex::FirmwareChunkBytes));
    ASSERT_EQ(first.size(), sysex::FirmwareFirstSize);
    const std::vector<std::uint8_t> lengthBytes(first.begin() + sysex::at::FirmwareStreamLength,
                                                first.begin() + sysex::at::FirmwareFirstData);
    EXPECT_EQ(lengthBytes, (std::vector<std::uint8_t>{0x00, 0x3E, 0x41}));
}

TEST_F(FirmwareFileTest, ImageCarriesTheFile) {
    const auto path = writeFirmware(1000);
    ASSERT_TRUE(loadFirmwareFile(path, buffer_).ok());
    const auto original = storage::readFile(path);
    auto unpacked = sysex::unpackStream(buffer_.image());
    unpacked.resize(original.size());
    EXPECT_EQ(unpacked, original);
}

TEST_F(FirmwareFileTest, RefusedFileLeavesTheLoadedImageAlone) {
    ASSERT_TRUE(loadFirmwareFile(writeFirmware(500), buffer_).ok());
    const auto image = buffer_.image();
    buffer_.take(240);

    EXPECT_EQ(loadFirmwareFile(writeFirmware(65536), buffer_).error, FirmwareError::TooLarge);
    EXPECT_EQ(loadFirmwareFile(writeFirmware(100), buffer_).error, FirmwareError::TooSmall);
    EXPECT_EQ(loadFirmwareFile(dir_.path() / "missing.bin", buffer_).error,
              FirmwareError::CannotOpen);
    EXPECT_EQ(buffer_.image(), image);
    EXPECT_EQ(buffer_.sent(), 240u);
}

TEST(FirmwareSize, MessagesSayWhatWouldBeAccepted) {
    EXPECT_NE(checkFirmwareSize(70000).message.find("at most 65535 bytes"), std::string::npos);
    EXPECT_NE(checkFirmwareSize(12).message.find("more than 210 bytes"), std::string::npos);
    EXPECT_TRUE(checkFirmwareSize(211).ok());
}

}  // namespace
}  // namespace vornix::firmware
