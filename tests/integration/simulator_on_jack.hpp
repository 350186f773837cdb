#pragma once
// The simulated pedal as the JACK integration tests drive it: vornix-sim
// under its default name, and vornixctl on its ports.
#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.hpp"

namespace vornix::testing {

inline constexpr const char* SimInput = "Vornix Simulator In:Vornix Simulator";
inline constexpr const char* SimOutput = "Vornix Simulator Out:Vornix Simulator";

#ifdef VORNIXCTL_PATH
// vornixctl on the simulator's ports with a data folder of its own, then `command`.
inline std::vector<std::string> vornixctlOnSimulator(const std::filesystem::path& data,
                                                     const std::vector<std::string>& command) {
    std::vector<std::string> argv{besideTestProgram(VORNIXCTL_PATH),
                                  "--in",
                                  SimOutput,
                                  "--out",
                                  SimInput,
                                  "--data-dir",
                                  data.string()};
    argv.insert(argv.end(), command.begin(), command.end());
    return argv;
}
#endif

}  // namespace vornix::testing
