#include "temp_dir.hpp"

#include <cstdlib>
#include <random>

namespace vornix::testing {

TempDir::TempDir() {
    std::random_device device;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("vornix-test-" + std::to_string(device()) + std::to_string(device()));
        if (std::filesystem::create_directory(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string besideTestProgram(const std::string& relative) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / relative)
        .lexically_normal()
        .string();
}

std::filesystem::path testDataPath(const std::string& name) {
    if (const char* dir = std::getenv("VORNIX_TEST_DATA")) return std::filesystem::path(dir) / name;
    return std::filesystem::path(VORNIX_SOURCE_DIR) / "tests" / "data" / name;
}

}  // namespace vornix::testing
