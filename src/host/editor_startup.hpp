#pragma once
// The start-up both programs share: the data folder exists and holds no stale
// temporary file of ours, the factory IR WAV files are written when missing,
// the IR names and the preset list are read from the caches.
#include "core/vornix_control.hpp"
#include "ir/ir_library.hpp"

namespace vornix::host {

void startEditor(VornixControl& editor, const ir::FactoryWavProvider& factoryWavs);

}  // namespace vornix::host
