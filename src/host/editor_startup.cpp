#include "host/editor_startup.hpp"

#include <filesystem>

#include "storage/data_folder.hpp"

namespace vornix::host {

void startEditor(VornixControl& editor, const ir::FactoryWavProvider& factoryWavs) {
    std::error_code ignored;
    std::filesystem::create_directories(editor.dataFolder().root(), ignored);
    // Files a killed program was writing when it died.
    storage::removeStaleTemporaryFiles(editor.dataFolder());
    editor.initialiseCaches(factoryWavs);
}

}  // namespace vornix::host
