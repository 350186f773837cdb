#pragma once
// Single-preset files ("kvp"): a 262-byte header with the preset's name, its
// 74 parameter bytes and the names of its user IRs, followed by up to two
// IR slot files of 2,436 bytes. Files of the sibling product ("KVRP") share
// the layout.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::storage {

namespace presetfile {
inline constexpr std::size_t Magic = 0;
inline constexpr std::size_t MajorVersion = 4;
inline constexpr std::size_t MinorVersion = 5;
inline constexpr std::size_t Name = 6;
inline constexpr std::size_t Params = 38;  // byte 38 + i holds parameter i
inline constexpr std::size_t Ir7Name = 198;
inline constexpr std::size_t Ir8Name = 230;
inline constexpr std::size_t HeaderBytes = 262;
inline constexpr std::size_t IrBlockBytes = 2436;
inline constexpr std::size_t IrBlockName = 4;  // where a block, a slot file, keeps its IR's name
inline constexpr std::size_t MaxFileBytes = 8192;  // files this long or longer are ignored
inline constexpr std::size_t Ir7Mode = Params + 40;
inline constexpr std::size_t Ir8Mode = Params + 41;
inline constexpr std::size_t Ir7Bank = Params + 53;
inline constexpr std::size_t Ir7Number = Params + 54;
inline constexpr std::size_t Ir8Bank = Params + 55;
inline constexpr std::size_t Ir8Number = Params + 56;
inline constexpr std::string_view OwnMagic = "VNXP";
inline constexpr std::string_view SiblingMagic = "KVRP";
}  // namespace presetfile

// Banks 0 and 1 hold the presets' own user IRs; higher banks are the
// device's factory library, which files never carry.
inline constexpr int HighestOwnIrBank = 1;

struct PresetFileContent {
    std::string name;  // at most 32 characters used
    std::array<int, 74> values{};
    std::string ir7Name;  // written only when parameter 40 is 1 or more
    std::string ir8Name;  // written only when parameter 41 is 1 or more
    std::optional<std::vector<std::uint8_t>> ir7Block;
    std::optional<std::vector<std::uint8_t>> ir8Block;
};

// The whole file: 262, 2,698 or 5,134 bytes.
std::vector<std::uint8_t> buildPresetFile(const PresetFileContent& content);

enum class PresetFileCheck { Ok, UnknownFormat, UnsupportedVersion };
// Magic and version of a file's first 262 bytes (shorter input is unknown).
PresetFileCheck checkPresetFile(std::span<const std::uint8_t> bytes);

// Why a file's names cannot be taken as they are, or empty: the preset's
// name, the names of the user IRs its positions play and the names inside the
// IR blocks it stores travel to the device and are drawn, so each byte must be
// printable 7-bit ASCII. Expects a file that passed checkPresetFile.
std::string unprintableNameIn(std::span<const std::uint8_t> file);

// Which position each IR block of a file belongs to. A block goes, in the
// order the export writes them (7, then 8), to a position that uses a user
// IR of its own banks; a file with fewer blocks fills the first such positions.
// A block that starts in the file but ends past it was cut off: `cut` names
// it (1 or 2), and the file is damaged.
struct PresetFileBlocks {
    std::optional<std::span<const std::uint8_t>> ir7;
    std::optional<std::span<const std::uint8_t>> ir8;
    int cut = 0;
};
PresetFileBlocks assignIrBlocks(std::span<const std::uint8_t> file);

}  // namespace vornix::storage
