#pragma once
// A device's MIDI input and output as the system names them: what a port
// watch needs to list them and to open one again by name, and how the
// command lines find a port from the name the user gave.
#include <string>
#include <vector>

namespace vornix::host {

enum class PortDirection { Input, Output };

// The port of exactly this name; else the one port whose name starts with it,
// so that "--port NAME" reaches a device whose input and output are separate
// clients ("NAME In:...", "NAME Out:..." on JACK). Else the name itself.
std::string resolvePortName(const std::vector<std::string>& ports, const std::string& name);

class NamedPorts {
  public:
    virtual ~NamedPorts() = default;
    // Port names in the order the system reports them.
    virtual std::vector<std::string> ports(PortDirection direction) const = 0;
    // Closes the direction's port, then opens the port of exactly this name.
    virtual bool open(PortDirection direction, const std::string& name) = 0;
    virtual void close(PortDirection direction) = 0;
    // The direction's port went away from the system: nothing is to be sent
    // or taken from it until it is opened again.
    virtual void lost(PortDirection direction) { close(direction); }
};

}  // namespace vornix::host
