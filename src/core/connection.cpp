#include "core/connection.hpp"

#include <cstdio>

#include "device/global_pages.hpp"

namespace vornix {

namespace {

constexpr int KeepAliveTicks = 32;  // a request on the 33rd tick: every 3.3 s
constexpr int LowestMajorVersion = 1;
constexpr int HighestMajorVersion = 10;
constexpr int RequiredVersion = 10;

std::string upgradeText() {
    char text[128];
    std::snprintf(text, sizeof text, "Please upgrade Vornix to actual version %d.",
                  RequiredVersion);
    return text;
}

}  // namespace

void Connection::setOnline(bool online) {
    if (online_ == online) return;
    online_ = online;
    if (!online) link_.forgetRequests();
    link_.events().emit(&LinkEvents::onlineChanged, online);
}

void Connection::keepAliveStep() {
    if (!keepAliveEnabled_) {
        keepAliveCounter_ = 0;
        return;
    }
    if (++keepAliveCounter_ > KeepAliveTicks) {
        keepAliveCounter_ = 0;
        link_.requestPage(sysex::page::Identify);
    }
}

void Connection::setSearchStatus(const std::string& text) {
    if (text == searchStatus_) return;
    searchStatus_ = text;
    link_.events().emit(&LinkEvents::searchStatusChanged, text);
}

void Connection::identifyNow() {
    if (online_ || !keepAliveEnabled_) return;
    keepAliveCounter_ = 0;
    link_.requestPage(sysex::page::Identify);
}

void Connection::restartSearch() {
    setOnline(false);
    keepAliveEnabled_ = true;
}

// Every global page received while offline shows the version; only an
// accepted one with a good checksum is acted on. A refused version comes
// back with every keep-alive, and so does its message.
Connection::OfflineReply Connection::receiveWhileOffline(const sysex::BlockView& reply) {
    const sysex::Identification id = sysex::readIdentification(reply);
    link_.events().emit(&LinkEvents::deviceAnswered, id.version());
    if (id.major() < LowestMajorVersion || id.major() > HighestMajorVersion) {
        const std::string text =
            id.major() < LowestMajorVersion
                ? upgradeText()
                : "Editor version out of date. Please download the most recent version.";
        link_.events().emit(&LinkEvents::versionRefused, text);
        link_.showMessageLater(text);
        return OfflineReply::Ignored;
    }
    if (!reply.checksumOk) return OfflineReply::Ignored;
    if (reply.number == sysex::page::Identify) {
        setOnline(true);
        device_ = id;
        link_.events().emit(&LinkEvents::identified, id.version(), id.serial);
        link_.requestPage(sysex::page::Checksums);
        return OfflineReply::Identified;
    }
    return reply.number == sysex::page::Settings ? OfflineReply::SettingsPage
                                                 : OfflineReply::Ignored;
}

}  // namespace vornix
