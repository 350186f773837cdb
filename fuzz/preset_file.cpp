// Preset and bank files: their checks and the IR blocks they carry.
#include <cstdint>

#include "storage/preset_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    if (vornix::storage::checkPresetFile(file) == vornix::storage::PresetFileCheck::Ok) {
        const auto blocks = vornix::storage::assignIrBlocks(file);
        for (const auto& block : {blocks.ir7, blocks.ir8})
            if (block && (block->data() < data || block->data() + block->size() > data + size))
                __builtin_trap();
    }
    return 0;
}
