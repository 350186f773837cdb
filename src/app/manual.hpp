#pragma once
// The device manual carried inside the program, copied into the data folder
// for the desktop's PDF viewer.
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/platform.hpp"
#include "storage/data_folder.hpp"

namespace vornix::app {

// Writes the manual to `path` unless a complete copy is already there, and
// says whether a usable copy exists afterwards. The copy is written to a
// temporary file and renamed, so a crash never leaves half a PDF behind; a
// copy whose size differs from the carried manual (damaged, or from another
// build) is replaced rather than opened.
bool ensureManualCopy(const std::filesystem::path& path, std::span<const std::uint8_t> manual);

// Help > Read Manual: the copy in the data folder, opened with the desktop's
// PDF viewer through `platform` (which says where the file is when no viewer
// takes it).
void openManual(const storage::DataFolder& folder, Platform& platform);

}  // namespace vornix::app
