// WAV files from anywhere: parsing never reads past the input.
#include <cstdint>

#include "ir/ir_slot_file.hpp"
#include "ir/wav_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vornix::ir::WavResult wav = vornix::ir::parseWav({data, size});
    if (wav.ok() && wav.samples.size() > vornix::ir::IrBufferSamples) __builtin_trap();
    (void)vornix::ir::decodeIrSlotFile({data, size});
    return 0;
}
