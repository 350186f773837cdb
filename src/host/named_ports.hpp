#pragma once
// A device's MIDI input and output as the system names them: what a port
// watch needs to list them and to open one again by name.
#include <string>
#include <vector>

namespace vornix::host {

enum class PortDirection { Input, Output };

class NamedPorts {
  public:
    virtual ~NamedPorts() = default;
    // Port names in the order the system reports them.
    virtual std::vector<std::string> ports(PortDirection direction) const = 0;
    // Closes the direction's port, then opens the port of exactly this name.
    virtual bool open(PortDirection direction, const std::string& name) = 0;
    virtual void close(PortDirection direction) = 0;
};

}  // namespace vornix::host
