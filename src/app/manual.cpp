#include "app/manual.hpp"

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

}  // namespace vornix::app
