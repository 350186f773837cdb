#pragma once
// Restoring a backup: the bank file's messages go back to the device one at
// a time, each dump rewritten into its restore message; every message but an
// IR's data waits for the device's acknowledgement. None of them is safe to
// send twice, so a lost acknowledgement ends the restore and says which
// message it was. At the end the device's checksum page is read back and
// compared with the bank's presets: a restore that did not take says so.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/link.hpp"
#include "core/result.hpp"
#include "device/global_pages.hpp"
#include "device/sysex.hpp"

namespace vornix {

class BankImport {
  public:
    explicit BankImport(Link& link) : link_(link) {}

    bool active() const { return active_; }
    int messageCount() const { return static_cast<int>(starts_.size()); }
    // Loads the bank file and arms the import; false with a reason otherwise.
    Result start(const std::filesystem::path& path);
    // The device tick's turn (the import holds the tick while it is active).
    void step(bool online);
    // The device's answers to a restore message.
    void acknowledged();
    void refused();
    // Reading the device's checksum page back after the last message.
    bool verifying() const { return active_ && verifying_; }
    void verify(const sysex::PresetChecksums& device);
    // The restore ended (verified or not): the editor finishes at the next tick.
    bool takeFinished() { return std::exchange(finished_, false); }
    bool succeeded() const { return outcome_.empty(); }
    // Why it did not succeed.
    const std::string& outcome() const { return outcome_; }
    // Ended from outside (RECONNECT).
    void cancel() { active_ = false; }

  private:
    void sendNext();
    void endTransfer();
    void fail(const std::string& text);
    std::uint8_t rewriteForRestore(std::vector<std::uint8_t>& message);

    Link& link_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::size_t> starts_;  // where each message begins
    bool active_ = false;
    bool ready_ = false;  // the next message may go out
    bool finished_ = false;
    bool awaitingAck_ = false;
    bool verifying_ = false;
    std::string outcome_;
    // The checksum of every preset the bank restores, by slot.
    std::map<int, sysex::Checksum> presets_;
    int sent_ = 0;
    unsigned restoreChecksum_ = 0;
    int waitTicks_ = 0;  // ticks the import has waited for the device's answer
};

}  // namespace vornix
