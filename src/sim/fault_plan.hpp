#pragma once
// Deterministic misbehaviour for the simulated pedal, so that scenario tests can
// show how the editor copes with a device that loses, mangles, repeats, delays
// or refuses its answers.
//
// Reply rules pick replies by their command byte (message offset 5, in both the
// editor family and the firmware family) and by `nth`: 1-based among the
// replies with that command sent since the rule was added; 0 means every one.
// Several rules may hit the same reply; a dropped reply is neither corrupted,
// duplicated nor delayed.
#include <cstdint>
#include <optional>
#include <vector>

#include "device/sysex.hpp"

namespace vornix::sim {

class FaultPlan {
  public:
    // The reply is not sent at all.
    void dropReply(std::uint8_t command, unsigned nth = 0);
    // One byte covered by the reply's checksum is changed, so the receiver's
    // check fails: block byte 0 of a 267-byte message, the first stream byte of
    // an IR chunk, the checksum of a last IR chunk. Replies without a checksum
    // (short status messages) are sent unchanged.
    void corruptReply(std::uint8_t command, unsigned nth = 0);
    // The reply is sent twice in a row.
    void duplicateReply(std::uint8_t command, unsigned nth = 0);
    // The reply is handed to the transport with this delay in milliseconds.
    void delayReply(std::uint8_t command, unsigned nth, int delayMs);

    // The nth message with this command from the editor never reaches the
    // pedal, as one lost on the way. Counted from the call; 0 loses every one.
    void loseMessage(std::uint8_t command, unsigned nth = 0);

    // The nth bank-restore message that expects an answer (presets 7F, IR
    // first and last chunks 77 and 79) is refused with 72 and not stored.
    // Counted from the call; 0 refuses every one.
    void refuseRestore(unsigned nth = 0);
    // The acknowledgement of an accepted restore message: 71 (default), 7D or
    // 73. Other values are ignored.
    void setRestoreAck(std::uint8_t ack);

    // A silent pedal neither answers nor acts on anything, as if unplugged.
    void setSilent(bool silent);
    // Overrides the firmware version of the identification reply.
    void setFirmwareVersion(std::uint8_t versionTimesTen);
    // The firmware loader takes every chunk and then reports 04 15.
    void failFirmware(bool fail);
    // Back to a well-behaved pedal.
    void clear();

    bool silent() const { return silent_; }
    std::optional<std::uint8_t> firmwareVersion() const { return firmwareVersion_; }
    bool firmwareFails() const { return firmwareFails_; }
    std::uint8_t restoreAck() const { return restoreAck_; }

    // What happens to one reply; counts it against the rules.
    struct ReplyFate {
        bool drop = false;
        bool corrupt = false;
        int copies = 1;
        int delayMs = 0;
    };
    ReplyFate fateOf(std::uint8_t command);
    // Counts one restore message; true when it is to be refused.
    bool refusesRestore();
    // Counts one message from the editor; true when it is lost.
    bool losesMessage(std::uint8_t command);

  private:
    enum class Kind { Drop, Corrupt, Duplicate, Delay, Lose };
    struct Rule {
        Kind kind;
        std::uint8_t command;
        unsigned nth;
        int delayMs;
        unsigned seen = 0;
    };
    struct Refusal {
        unsigned nth;
        unsigned seen = 0;
    };

    std::vector<Rule> rules_;
    std::vector<Refusal> refusals_;
    bool silent_ = false;
    std::optional<std::uint8_t> firmwareVersion_;
    bool firmwareFails_ = false;
    std::uint8_t restoreAck_ = sysex::cmd::RestoreAck;
};

// Changes one checksummed byte of a reply in place (see corruptReply).
void corruptReplyBytes(sysex::Bytes& message);

}  // namespace vornix::sim
