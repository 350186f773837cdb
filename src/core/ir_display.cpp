#include "core/vornix_control.hpp"

namespace vornix {

// The IR display follows parameter 14 and the user IRs of positions 7 and 8.
void VornixControl::refreshIrDisplay() {}

}  // namespace vornix
