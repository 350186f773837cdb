#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr std::size_t ParameterMessageSize = 10;
constexpr std::size_t ParamIndexAt = 7;
constexpr std::size_t ParamValueAt = 8;
constexpr double DeviceMax = 127.0;

}  // namespace

void VornixControl::handleShortMessage(ByteSpan m) {
    if (m[1] != sysex::Manufacturer[0] || m[2] != sysex::Manufacturer[1] ||
        m[3] != sysex::Manufacturer[2])
        return;
    const std::uint8_t family = m[sysex::at::Family];
    const std::uint8_t command = m[sysex::at::Command];
    if (family == sysex::family::Firmware) {
        handleFirmwareStatus(command);
        return;
    }
    if (family != sysex::family::Editor) return;
    const bool carriesDeviceCode =
        m.size() > sysex::at::Device && m[sysex::at::Device] == sysex::DeviceCode;
    if (!carriesDeviceCode)
        handleStatus(command);
    else if (command == sysex::cmd::ParameterChanged)
        handleParameterMessage(m);
}

void VornixControl::handleStatus(std::uint8_t command) {
    switch (command) {
        case sysex::cmd::Completion:
            link_.completionReported = true;
            break;
        case sysex::cmd::IrStored:
            events().irUploadAnswered(true);
            // The chain of a preset file import goes on with the window
            // closed too: otherwise the device never gets the preset.
            continueAfterIrStored();
            break;
        case sysex::cmd::IrError:
            events().irUploadAnswered(false);
            if (view_)
                showMessage("ERROR!");
            else
                events().message("ERROR!");
            break;
        case sysex::cmd::IrHeaderAccepted:
            link_.irUploadReady = true;
            break;
        case sysex::cmd::RestoreContinue:
        case sysex::cmd::RestoreAck:
        case sysex::cmd::RestoreAckAlt:
            handleRestoreAcknowledged();
            break;
        case sysex::cmd::RestoreRefused:
        case sysex::cmd::RestoreRefusedAlt:
            handleRestoreRefused();
            break;
        case sysex::cmd::ParameterAck:
            if (link_.irSelectState == IrSelectState::HighSent7) {
                link_.irSelectState = IrSelectState::LowSent7;
                setParameterFromDevice(param::Ir7SlotLow, (link_.ir7Slot & 0x7F) / DeviceMax);
            } else if (link_.irSelectState == IrSelectState::HighSent8) {
                link_.irSelectState = IrSelectState::LowSent8;
                setParameterFromDevice(param::Ir8SlotLow, (link_.ir8Slot & 0x7F) / DeviceMax);
            }
            break;
        default:
            break;
    }
}

// 0x71 / 0x7D, and 0x73 which only says "continue". A 0x73 for the last
// message still ends the import: waiting for another answer would hold back
// the keep-alive and every later transfer for good.
void VornixControl::handleRestoreAcknowledged() {
    if (!link_.importActive) return;
    link_.transferWaitTicks = 0;
    ++link_.importSent;
    if (link_.importSent < link_.importTotal) {
        link_.importReady = true;
        return;
    }
    sendToDevice(sysex::endTransfer());
    link_.importActive = false;
    link_.importDone = true;
}

void VornixControl::handleRestoreRefused() {
    if (!link_.importActive) return;
    link_.importActive = false;
    events().bankImportFinished(false);
    if (view_) {
        setProgress(0.0);
        view_->hideGroup(group::Progress);
    }
    showMessage("Communication error!");
}

void VornixControl::handleParameterMessage(ByteSpan m) {
    if (m.size() != ParameterMessageSize) return;
    const int index = m[ParamIndexAt];
    const int value = m[ParamValueAt];
    if (index == LayerBReportNumber) {
        if (!view_) return;
        LayerB = value >= 1;
        view_->setVisible(tag::LayerIndicator, LayerB);
        view_->setVisible(tag::LayerBackground, LayerB);
        view_->showKnobLayer(LayerB);
        return;
    }
    if (index >= NumParams) return;
    const iplug::IParam& p = parameter(index);
    if (!p.initialised()) return;
    BulkUpdate = true;
    setParameterFromDevice(index, (value - p.minimum()) / (p.maximum() - p.minimum()));
    BulkUpdate = false;
}

void VornixControl::handleTextMessage(ByteSpan m) {
    if (!sysex::hasHeader(m, sysex::family::Editor) || m[sysex::at::Command] != sysex::cmd::Text ||
        m[sysex::at::Device] != sysex::DeviceCode)
        return;
    deviceText = sysex::trimDeviceName(m.subspan(sysex::at::TextData, sysex::TextBytes));
    if (view_) view_->setText(tag::DeviceText, deviceText);
}

}  // namespace vornix
