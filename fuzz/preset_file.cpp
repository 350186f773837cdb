// Preset files: the check of their header, which position each IR block
// belongs to, and the decode of the blocks as the import stores them.
#include <cstdint>

#include "ir/ir_slot_file.hpp"
#include "storage/preset_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace pf = vornix::storage::presetfile;
    // The import ignores files this long or longer.
    if (size >= pf::MaxFileBytes) return 0;
    const std::span<const std::uint8_t> file(data, size);
    if (vornix::storage::checkPresetFile(file) != vornix::storage::PresetFileCheck::Ok) return 0;
    const auto blocks = vornix::storage::assignIrBlocks(file);
    for (const auto& block : {blocks.ir7, blocks.ir8}) {
        if (!block) continue;
        if (block->data() < data || block->data() + block->size() > data + size) __builtin_trap();
        const auto decoded = vornix::ir::decodeIrSlotFile(*block);
        // assignIrBlocks hands out whole blocks only.
        if (!decoded || !vornix::ir::irSlotFileName(*block)) __builtin_trap();
        vornix::ir::IrSampleBuffer buffer{};
        vornix::ir::copyIntoBuffer(*decoded, buffer);
    }
    return 0;
}
