#pragma once
// One folder per fuzzing process under the temporary folder, made on first
// use and removed when the process exits. Targets empty it for each input,
// so that no input sees what the one before it left.
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace vornix::fuzz {

inline const std::filesystem::path& scratchFolder(const std::string& target) {
    static const std::filesystem::path folder = [&] {
        auto path = std::filesystem::temp_directory_path() /
                    ("vornix-fuzz-" + target + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder({}), ignored);
        });
        return path;
    }();
    return folder;
}

// Removes everything inside the folder, keeping the folder itself.
inline void emptyFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

}  // namespace vornix::fuzz
