#pragma once
// Restoring a backup: the bank file's messages go back to the device one at
// a time, each dump rewritten into its restore message; every message but an
// IR's data waits for the device's acknowledgement. Only a whole bank is
// taken: a file that lacks presets or the user IRs they play would leave the
// rest of the device as it was.
//
// A message or its acknowledgement can be lost on the way (a MIDI server that
// starts its next cycle before a late client has read the last one). What is
// safe to send twice is sent again: a preset writes its whole slot, and an IR
// restarts its stream with its first chunk; so is an IR the device refused at
// its end, which lost a data chunk on the way. At the end the device's checksum
// page is read back; presets that differ from the bank are written again a
// few times before the restore says it did not take.
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
    // Loads and checks the bank file and arms the import, or says why it
    // cannot, before anything is sent.
    Result start(const std::filesystem::path& path);
    // Arms the import of messages given whole (a slot put back from its
    // history): the same restore, without a bank file.
    void startMessages(std::vector<std::uint8_t> bytes, std::vector<std::size_t> starts);
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
    Result load(const std::filesystem::path& path);
    void arm();
    void beginRound(std::vector<std::size_t> messages);
    bool safeToSendAgain() const;
    void waitForAnswer();
    void sendNext();
    void sendAgain();
    void endTransfer();
    void fail(const std::string& text);
    std::vector<std::uint8_t> message(std::size_t index) const;
    std::uint8_t rewriteForRestore(std::vector<std::uint8_t>& message);
    std::string unansweredText() const;

    Link& link_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::size_t> starts_;  // where each message begins
    bool active_ = false;
    bool ready_ = false;  // the next message may go out
    bool finished_ = false;
    bool awaitingAck_ = false;
    bool verifying_ = false;
    std::string outcome_;
    // The checksum of every preset the bank restores, and its message, by slot.
    std::map<int, sysex::Checksum> presets_;
    std::map<int, std::size_t> presetMessages_;
    // The messages of this round (the whole bank, then the presets written
    // again), the next one to send, and the first chunk of the IR being sent.
    std::vector<std::size_t> round_;
    std::size_t next_ = 0;
    std::size_t irStart_ = 0;
    bool irOpen_ = false;           // the IR of irStart_ is being sent
    std::uint8_t lastCommand_ = 0;  // the command of the message in flight
    int resends_ = 0;               // of the preset or IR in flight
    int rounds_ = 0;                // of writing differing presets again
    unsigned restoreChecksum_ = 0;
    int waitTicks_ = 0;  // ticks the import has waited for the device's answer
};

}  // namespace vornix
