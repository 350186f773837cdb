#pragma once
// The catalogue's parameter names for the message decoder, which lives below
// the catalogue and so is handed them.
#include "device/message_decoder.hpp"

namespace vornix {

sysex::ParameterNamer catalogueNames();

}  // namespace vornix
