#pragma once
// One folder per fuzzing process under the temporary folder, named after the
// process id, made on first use and removed at a normal exit (libFuzzer ends
// without one; scripts/fuzz removes the folder then). Targets empty it for
// each input, so that no input sees what the one before it left.
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace vornix::fuzz {

inline const std::filesystem::path& scratchFolder(const std::string& target) {
    // Never destroyed, so that the exit handler still finds the name: a static
    // object made here would be destroyed before a handler registered while
    // it was being made.
    static const auto* folder = [&] {
        auto* path =
            new std::filesystem::path(std::filesystem::temp_directory_path() /
                                      ("vornix-fuzz-" + target + "-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*path);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder({}), ignored);
        });
        return path;
    }();
    return *folder;
}

// Removes everything inside the folder, keeping the folder itself.
inline void emptyFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

}  // namespace vornix::fuzz
