#pragma once
// Restoring a backup: the bank file's messages go back to the device one at
// a time, each dump rewritten into its restore message; every message but an
// IR's data waits for the device's acknowledgement.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/link.hpp"
#include "device/sysex.hpp"

namespace vornix {

class BankImport {
  public:
    explicit BankImport(Link& link) : link_(link) {}

    bool active() const { return active_; }
    int messageCount() const { return static_cast<int>(starts_.size()); }
    // Loads the bank file and arms the import; false with a reason otherwise.
    bool start(const std::filesystem::path& path, std::string& error);
    // The device tick's turn (the import holds the tick while it is active).
    void step(bool online);
    // The device's answers to a restore message.
    void acknowledged();
    void refused();
    // The last message was acknowledged: the editor finishes at the next tick.
    bool takeFinished() { return std::exchange(finished_, false); }
    // Ended from outside (RECONNECT).
    void cancel() { active_ = false; }

  private:
    void sendNext();
    std::uint8_t rewriteForRestore(std::vector<std::uint8_t>& message);

    Link& link_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::size_t> starts_;  // where each message begins
    bool active_ = false;
    bool ready_ = false;  // the next message may go out
    bool finished_ = false;
    int sent_ = 0;
    unsigned restoreChecksum_ = 0;
    int waitTicks_ = 0;  // ticks the import has waited for the device's answer
};

}  // namespace vornix
