#pragma once
// Which value text a parameter change rewrites, and with which formula.
#include <string>

namespace vornix::ui {

struct ValueText {
    int param;
    int tag;
    std::string (*text)(int value);
};

// The value text of the parameter, or nullptr: the filter bands, the analog
// simulation's caption and the parameters that show nothing are not listed.
const ValueText* valueTextOf(int index);

// Parameters whose change leaves the readout as it is: the IR position and
// modes, the reverb mode and the auto filter's switch.
bool keepsReadout(int index);

}  // namespace vornix::ui
