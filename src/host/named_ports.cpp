#include "host/named_ports.hpp"

#include <algorithm>

namespace vornix::host {

std::string resolvePortName(const std::vector<std::string>& ports, const std::string& name) {
    if (std::find(ports.begin(), ports.end(), name) != ports.end()) return name;
    std::string found;
    for (const std::string& port : ports) {
        if (!port.starts_with(name)) continue;
        if (!found.empty()) return name;  // ambiguous: only the exact name will do
        found = port;
    }
    return found.empty() ? name : found;
}

}  // namespace vornix::host
