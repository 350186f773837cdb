#include "core/firmware_update.hpp"

#include "firmware/firmware_file.hpp"

namespace vornix {

namespace {

// After the last chunk the device reports the result; 60 s of silence is a failure.
constexpr int ResultTimeoutTicks = 600;
// The loader answers the request to start at once; after 15 s it is not there.
constexpr int LoaderTimeoutTicks = 150;

}  // namespace

void FirmwareUpdate::openPage() {
    connection_.setOnline(true);
    connection_.enableKeepAlive(false);
    link_.events().emit(&PageEvents::firmwarePageOpened);
}

void FirmwareUpdate::closePage() {
    awaitingLoader_ = false;
    link_.holdForFirmware(false);
    connection_.setOnline(false);
    connection_.enableKeepAlive(true);
    link_.events().emit(&PageEvents::firmwarePageClosed, false);
}

void FirmwareUpdate::chooseFile() {
    FileRequest request;
    request.extension = "bin";
    const auto path = link_.platform().chooseFile(request);
    if (!path || path->empty()) return;
    auto update = [this, chosen = *path] {
        if (const Result loaded = load(chosen); !loaded) link_.showMessage(loaded.error());
    };
    // A file that cannot be sent is refused before any backup.
    sysex::TransferBuffer scratch;
    const firmware::FirmwareLoad check = firmware::loadFirmwareFile(*path, scratch);
    if (!check.ok() || !beforeUpdate_) {
        update();
        return;
    }
    beforeUpdate_(std::move(update));
}

Result FirmwareUpdate::load(const std::filesystem::path& path) {
    const firmware::FirmwareLoad result = firmware::loadFirmwareFile(path, buffer_);
    if (!result.ok()) return Result::failed(result.message);
    awaitingResult_ = false;
    awaitingLoader_ = true;
    waitTicks_ = 0;
    link_.send(sysex::firmwareEnterUpdate());
    link_.holdForFirmware(true);
    return Result::done();
}

void FirmwareUpdate::receiveStatus(std::uint8_t command) {
    switch (command) {
        case sysex::fwcmd::Ready:
            // Only the answer to our request starts the update: a repeated
            // one after the last chunk would send an empty chunk more.
            if (!awaitingLoader_) {
                link_.events().emit(&MessageEvents::note,
                                    "ignored a loader ready nothing was waiting for");
                return;
            }
            awaitingLoader_ = false;
            uploading_ = true;
            link_.events().emit(&TransferEvents::transferStarted, Transfer::Firmware);
            break;
        case sysex::fwcmd::Finished:
            finish(true);
            break;
        case sysex::fwcmd::Failed:
            finish(false);
            break;
        default:
            break;
    }
}

void FirmwareUpdate::step() {
    if (uploading_)
        sendChunk();
    else if (++waitTicks_ > (awaitingLoader_ ? LoaderTimeoutTicks : ResultTimeoutTicks))
        finish(false);
}

void FirmwareUpdate::sendChunk() {
    const std::size_t total = buffer_.total();
    if (buffer_.sent() == 0) {
        link_.send(sysex::firmwareFirstChunk(static_cast<unsigned>(total),
                                             buffer_.take(sysex::FirmwareChunkBytes)));
    } else if (buffer_.remaining() > sysex::FirmwareChunkBytes) {
        link_.send(sysex::firmwareMiddleChunk(buffer_.take(sysex::FirmwareChunkBytes)));
    } else {
        link_.send(sysex::firmwareLastChunk(buffer_.take(buffer_.remaining()), buffer_.checksum()));
        uploading_ = false;
        awaitingResult_ = true;
        waitTicks_ = 0;
    }
    link_.events().emit(&TransferEvents::transferProgress, Transfer::Firmware,
                        buffer_.sent() / double(total));
}

// Success is reported only once the device says the update finished.
void FirmwareUpdate::finish(bool ok) {
    const bool wasOurs = awaitingLoader_ || uploading_ || awaitingResult_;
    awaitingLoader_ = uploading_ = awaitingResult_ = false;
    link_.holdForFirmware(false);
    connection_.setOnline(false);
    // The page turned the search for the device off; the device restarts
    // after an update and is found again only if the editor looks for it.
    connection_.enableKeepAlive(true);
    if (!wasOurs && ok) return;
    link_.events().emit(&TransferEvents::transferEnded, Transfer::Firmware, ok);
    link_.showMessage(
        ok ? "Firmware update finished." : "Error in update!", Buttons::Ok,
        [this](Answer) { link_.events().emit(&PageEvents::firmwarePageClosed, true); });
}

}  // namespace vornix
