// Firmware update: the firmware page, the loader's replies and the streaming
// of the packed image, one 240-byte chunk per device tick.
#include <cstdio>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"
#include "firmware/firmware_file.hpp"

namespace vornix {

namespace {

// After the last chunk the device reports the result; 60 s of silence is a failure.
constexpr int FirmwareResultTimeoutTicks = 600;

std::string percentOf(double fraction) {
    char text[16];
    std::snprintf(text, sizeof text, "%d %%", static_cast<int>(fraction * 100.0));
    return text;
}

}  // namespace

void VornixControl::openFirmwarePage() {
    setOnline(true);
    link_.keepAliveEnabled = false;
    if (!view_) return;
    view_->showGroup(group::FirmwareBackground);
    view_->showGroup(group::FirmwareUpdate);
    view_->enableGroup(group::FirmwareUpdate);
    view_->disableGroup(group::Main);
}

void VornixControl::closeFirmwarePage() {
    setOnline(false);
    link_.keepAliveEnabled = true;
    if (!view_) return;
    view_->hideGroup(group::FirmwareBackground);
    view_->hideGroup(group::FirmwareUpdate);
    view_->enableGroup(group::Main);
}

void VornixControl::endFirmwarePage() {
    if (!view_) return;
    view_->hideGroup(group::Firmware);
    view_->hideGroup(group::FirmwareBackground);
    view_->hideGroup(group::FirmwareUpdate);
    view_->enableGroup(group::Main);
    setGroupsEnabled(group::KnobLayers, false);
}

void VornixControl::chooseFirmwareFile() {
    FileRequest request;
    request.extension = "bin";
    if (const auto path = platform_.chooseFile(request); path && !path->empty()) {
        std::string error;
        if (!loadFirmware(*path, error)) showMessage(error);
    }
}

bool VornixControl::loadFirmware(const std::filesystem::path& path, std::string& error) {
    const firmware::FirmwareLoad result = firmware::loadFirmwareFile(path, transfer);
    if (!result.ok()) {
        error = result.message;
        return false;
    }
    firmwareAwaitingResult_ = false;
    sendToDevice(sysex::firmwareEnterUpdate());
    return true;
}

void VornixControl::handleFirmwareStatus(std::uint8_t command) {
    switch (command) {
        case sysex::fwcmd::Ready:
            if (transfer.empty()) return;  // nothing was loaded: not our update
            link_.firmwareUploadActive = true;
            if (view_) {
                view_->showGroup(group::Firmware);
                view_->disableGroup(group::FirmwareUpdate);
            }
            break;
        case sysex::fwcmd::Finished:
            finishFirmwareUpdate(true);
            break;
        case sysex::fwcmd::Failed:
            finishFirmwareUpdate(false);
            break;
        default:
            break;
    }
}

// Success is reported only once the device says the update finished.
void VornixControl::finishFirmwareUpdate(bool ok) {
    const bool wasOurs = link_.firmwareUploadActive || firmwareAwaitingResult_;
    link_.firmwareUploadActive = false;
    firmwareAwaitingResult_ = false;
    setOnline(false);
    if (!wasOurs && ok) return;
    events().firmwareFinished(ok);
    showMessage(ok ? "Firmware update finished." : "Error in update!", Buttons::Ok,
                [this](Answer) { endFirmwarePage(); });
}

void VornixControl::firmwareStep() {
    const std::size_t total = transfer.total();
    if (transfer.sent() == 0) {
        sendToDevice(sysex::firmwareFirstChunk(static_cast<unsigned>(total),
                                               transfer.take(sysex::FirmwareChunkBytes)));
    } else if (transfer.remaining() > sysex::FirmwareChunkBytes) {
        sendToDevice(sysex::firmwareMiddleChunk(transfer.take(sysex::FirmwareChunkBytes)));
    } else {
        sendToDevice(
            sysex::firmwareLastChunk(transfer.take(transfer.remaining()), transfer.checksum()));
        link_.firmwareUploadActive = false;
        firmwareAwaitingResult_ = true;
        firmwareWaitTicks_ = 0;
        if (view_) {
            view_->setValue(tag::FirmwareKnob, 1.0);
            view_->setText(tag::FirmwareText, "100 %");
        }
        return;
    }
    const double fraction = transfer.sent() / double(total);
    events().firmwareProgress(fraction);
    if (view_) {
        view_->setValue(tag::FirmwareKnob, fraction);
        view_->setText(tag::FirmwareText, percentOf(fraction));
    }
}

void VornixControl::firmwareResultWaitStep() {
    if (++firmwareWaitTicks_ > FirmwareResultTimeoutTicks) finishFirmwareUpdate(false);
}

}  // namespace vornix
