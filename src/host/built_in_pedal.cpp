#include "host/built_in_pedal.hpp"

namespace vornix::host {

BuiltInPedal::BuiltInPedal(EventLoop& loop, const storage::DataFolder& folder, int latencyMs)
    : state_(folder.simulatorFolder()), port_(loop, pedal_, latencyMs) {
    std::error_code ignored;
    if (std::filesystem::exists(state_, ignored)) pedal_.loadState(state_);
}

BuiltInPedal::~BuiltInPedal() {
    pedal_.saveState(state_);
}

}  // namespace vornix::host
