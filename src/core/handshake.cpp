#include <cstdio>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"

namespace vornix {

namespace {

constexpr int KeepAliveTicks = 32;  // a request on the 33rd tick: every 3.3 s
constexpr int LowestMajorVersion = 1;
constexpr int HighestMajorVersion = 10;
constexpr int RequiredVersion = 10;

std::string formatted(const char* format, double value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

void VornixControl::keepAliveStep() {
    if (!link_.keepAliveEnabled) {
        link_.keepAliveCounter = 0;
        return;
    }
    if (++link_.keepAliveCounter > KeepAliveTicks) {
        link_.keepAliveCounter = 0;
        sendToDevice(sysex::requestPage(sysex::page::Identify));
    }
}

void VornixControl::reconnect() {
    setOnline(false);
    link_.keepAliveEnabled = true;
    // A bank transfer waiting for the device would otherwise hold back the
    // keep-alive for good.
    if (link_.importActive || link_.exportActive) {
        link_.importActive = link_.exportActive = false;
        events().bankImportFinished(false);
    }
    if (!view_) return;
    view_->setText(tag::DeviceName, "");
    view_->setText(tag::Version, "Connecting to the device...");
    view_->setText(tag::Serial, "");
    setGroupsEnabled(group::KnobLayers, false);
    view_->hideGroup(group::Progress);
}

// A global page received while offline: the device identifying itself.
void VornixControl::handleIdentificationReply(const sysex::BlockView& reply) {
    const int versionByte = reply.deviceByte;
    const double version = versionByte / 10.0;
    const int major = versionByte / 10;
    if (view_) {
        view_->setText(tag::DeviceName, "DEVICE: Quellix Tarmilo Vornix");
        view_->setText(tag::Version, formatted("VERSION: %.1f", version));
        setGroupsEnabled(group::KnobLayers, true);
    }
    if (major < LowestMajorVersion) {
        char text[128];
        std::snprintf(text, sizeof text, "Please upgrade Vornix to actual version %d.",
                      RequiredVersion);
        showMessageLater(text);
        return;
    }
    if (major > HighestMajorVersion) {
        const std::string text =
            "Editor version out of date. Please download the most recent version.";
        showMessageLater(text);
        return;
    }
    if (!reply.checksumOk) return;
    if (reply.number == sysex::page::Identify) {
        setOnline(true);
        std::string serial(reply.block.begin() + sysex::SerialOffsetInBlock, reply.block.end());
        serial = serial.substr(0, serial.find('\0'));
        if (view_) view_->setText(tag::Serial, "SERIAL: " + serial);
        events().identified(version, serial);
        requestGlobalPage(sysex::page::Checksums);
    } else if (reply.number == sysex::page::Settings) {
        BulkUpdate = true;
        setParameterFromDevice(param::SoftClipping, reply.block[11] / 127.0);
        setParameterFromDevice(param::AnalogSimGain, reply.block[12] / 127.0);
        setParameterFromDevice(param::AntiAliasing, reply.block[13] / 127.0);
        BulkUpdate = false;
    }
}

}  // namespace vornix
