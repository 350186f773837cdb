#include "app/manual.hpp"

#include "resources/resources.hpp"
#include "storage/file_io.hpp"

namespace vornix::app {

bool ensureManualCopy(const std::filesystem::path& path, std::span<const std::uint8_t> manual) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size == manual.size()) return true;
    if (manual.empty()) return false;
    std::filesystem::create_directories(path.parent_path(), error);
    return storage::writeFile(path, manual);
}

void openManual(const storage::DataFolder& folder, Platform& platform) {
    const auto path = folder.root() / std::string(resources::manualFileName());
    // Write errors are not reported: the viewer then says what it could not open.
    ensureManualCopy(path, resources::manualPdf());
    platform.openUrl(path.string());
}

}  // namespace vornix::app
