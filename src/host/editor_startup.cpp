#include "host/editor_startup.hpp"

#include <filesystem>

#include "storage/data_folder.hpp"
#include "storage/file_io.hpp"

namespace vornix::host {

void startEditor(VornixControl& editor, const ir::FactoryWavProvider& factoryWavs) {
    const storage::DataFolder& folder = editor.cache().folder();
    std::error_code ignored;
    std::filesystem::create_directories(folder.root(), ignored);
    for (const auto& cache :
         {folder.presetsFolder(), folder.userIrFolder(), folder.factoryIrFolder()})
        storage::ensureFolder(cache);
    // Files a killed program was writing when it died.
    storage::removeStaleTemporaryFiles(folder);
    editor.userIrs().initialiseCaches(factoryWavs);
}

}  // namespace vornix::host
