#pragma once
// Updating the device's firmware: the file is packed, the device's loader is
// asked to start (04 10); once it is ready (04 12) the image goes out in
// 240-byte chunks, one per device tick, and the device reports the result
// (04 14 finished, 04 15 failed).
#include <filesystem>
#include <functional>
#include <string>

#include "core/connection.hpp"
#include "core/link.hpp"
#include "core/result.hpp"
#include "device/transfer_buffer.hpp"

namespace vornix {

class FirmwareUpdate {
  public:
    FirmwareUpdate(Link& link, Connection& connection) : link_(link), connection_(connection) {}

    // The firmware page: the link is held online for the loader, without
    // identification, until the page closes.
    void openPage();
    void closePage();
    void chooseFile();
    // Runs between the chosen file's check and the update (the backup first);
    // the update goes on when the hook calls its argument.
    void setBeforeUpdate(std::function<void(std::function<void()>)> hook) {
        beforeUpdate_ = std::move(hook);
    }
    // Packs the file and asks the loader to start; false with a reason.
    Result load(const std::filesystem::path& path);

    // Chunks are going out (the text message length is then a chunk's).
    bool uploading() const { return uploading_; }
    // The device tick belongs to the update while chunks go out or the
    // result is awaited.
    bool holdsTheTick() const { return awaitingLoader_ || uploading_ || awaitingResult_; }
    void step();
    void receiveStatus(std::uint8_t command);

  private:
    void sendChunk();
    void finish(bool ok);

    Link& link_;
    Connection& connection_;
    sysex::TransferBuffer buffer_;
    bool awaitingLoader_ = false;  // 04 10 went out, 04 12 not yet back
    bool uploading_ = false;
    bool awaitingResult_ = false;
    int waitTicks_ = 0;
    std::function<void(std::function<void()>)> beforeUpdate_;
};

}  // namespace vornix
