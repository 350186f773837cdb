#include "host/editor_startup.hpp"

#include <filesystem>

namespace vornix::host {

void startEditor(VornixControl& editor, const ir::FactoryWavProvider& factoryWavs) {
    std::error_code ignored;
    std::filesystem::create_directories(editor.dataFolder().root(), ignored);
    editor.initialiseCaches(factoryWavs);
}

}  // namespace vornix::host
