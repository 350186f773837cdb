#pragma once
// The handshake with the device: while offline the editor asks it to identify
// itself every 3.3 s; a reply with an accepted firmware version takes the
// link online and starts the synchronisation (the checksum page first).
#include "core/link.hpp"
#include "device/global_pages.hpp"
#include "device/sysex.hpp"

namespace vornix {

class Connection {
  public:
    explicit Connection(Link& link) : link_(link) {}

    bool online() const { return online_; }
    // The device that took the link online last: its version and serial.
    const sysex::Identification& device() const { return device_; }
    void setOnline(bool online);
    bool keepAliveEnabled() const { return keepAliveEnabled_; }
    void enableKeepAlive(bool enabled) { keepAliveEnabled_ = enabled; }

    // The device tick's turn while offline.
    void keepAliveStep();
    // While searching: the identification request now, and the keep-alive's
    // count from here (a port of the device has just opened).
    void identifyNow();
    // Offline again, asking for the device (RECONNECT).
    void restartSearch();
    // What the host says about reaching the device (see LinkEvents).
    void setSearchStatus(const std::string& text);
    const std::string& searchStatus() const { return searchStatus_; }

    // What a global page received while offline turned out to be.
    enum class OfflineReply { Ignored, Identified, SettingsPage };
    OfflineReply receiveWhileOffline(const sysex::BlockView& reply);

  private:
    Link& link_;
    std::string searchStatus_;
    bool online_ = false;
    sysex::Identification device_;
    bool keepAliveEnabled_ = true;
    int keepAliveCounter_ = 0;
};

}  // namespace vornix
