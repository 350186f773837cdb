#include "core/vornix_control.hpp"
#include "device/sysex.hpp"

namespace vornix {

void VornixControl::factoryReset(std::uint8_t target) {
    platform_.messageBox("Are you sure?", "", Buttons::OkCancel, [this, target](Answer answer) {
        if (answer == Answer::Ok) performFactoryReset(target);
    });
}

// The reset goes out whether or not the device is online. When presets are
// affected the cache is emptied first, so the next connection fetches them all.
void VornixControl::performFactoryReset(std::uint8_t target) {
    if (target == sysex::reset::All || target == sysex::reset::Presets) {
        clearCache();
        loadPresetSlots();
    }
    sendToDevice(sysex::factoryReset(target));
}

}  // namespace vornix
