#pragma once
// The simulated pedal inside the program (--simulator): the pedal, its port on
// the event loop, and its state folder (the data folder's simulator folder), so
// the built-in pedal keeps what it was told between runs, as a real one would.
#include <filesystem>

#include "host/simulator_port.hpp"
#include "sim/pedal.hpp"
#include "storage/data_folder.hpp"

namespace vornix::host {

class BuiltInPedal {
  public:
    BuiltInPedal(EventLoop& loop, const storage::DataFolder& folder, int latencyMs = 0);
    // Saves the pedal's state.
    ~BuiltInPedal();
    BuiltInPedal(const BuiltInPedal&) = delete;
    BuiltInPedal& operator=(const BuiltInPedal&) = delete;

    MidiPort& port() { return port_; }
    sim::Pedal& pedal() { return pedal_; }

  private:
    std::filesystem::path state_;
    sim::Pedal pedal_;
    SimulatorPort port_;
};

}  // namespace vornix::host
