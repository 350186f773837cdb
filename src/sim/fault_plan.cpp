#include "sim/fault_plan.hpp"

#include <algorithm>

namespace vornix::sim {

namespace {

// Flipping the lowest bit keeps the byte 7-bit and always changes the sum.
constexpr std::uint8_t CorruptionMask = 0x01;

bool hits(unsigned nth, unsigned seen) {
    return nth == 0 || nth == seen;
}

}  // namespace

void FaultPlan::dropReply(std::uint8_t command, unsigned nth) {
    rules_.push_back({Kind::Drop, command, nth, 0});
}

void FaultPlan::corruptReply(std::uint8_t command, unsigned nth) {
    rules_.push_back({Kind::Corrupt, command, nth, 0});
}

void FaultPlan::duplicateReply(std::uint8_t command, unsigned nth) {
    rules_.push_back({Kind::Duplicate, command, nth, 0});
}

void FaultPlan::delayReply(std::uint8_t command, unsigned nth, int delayMs) {
    rules_.push_back({Kind::Delay, command, nth, std::max(delayMs, 0)});
}

void FaultPlan::loseMessage(std::uint8_t command, unsigned nth) {
    rules_.push_back({Kind::Lose, command, nth, 0});
}

void FaultPlan::refuseRestore(unsigned nth) {
    refusals_.push_back({nth});
}

void FaultPlan::setRestoreAck(std::uint8_t ack) {
    using namespace sysex::cmd;
    if (ack == RestoreAck || ack == RestoreAckAlt || ack == RestoreContinue) restoreAck_ = ack;
}

void FaultPlan::setSilent(bool silent) {
    silent_ = silent;
}

void FaultPlan::setFirmwareVersion(std::uint8_t versionTimesTen) {
    firmwareVersion_ = versionTimesTen;
}

void FaultPlan::failFirmware(bool fail) {
    firmwareFails_ = fail;
}

void FaultPlan::clear() {
    *this = FaultPlan{};
}

FaultPlan::ReplyFate FaultPlan::fateOf(std::uint8_t command) {
    ReplyFate fate;
    for (Rule& rule : rules_) {
        if (rule.kind == Kind::Lose || rule.command != command) continue;
        if (!hits(rule.nth, ++rule.seen)) continue;
        switch (rule.kind) {
            case Kind::Drop:
                fate.drop = true;
                break;
            case Kind::Corrupt:
                fate.corrupt = true;
                break;
            case Kind::Duplicate:
                fate.copies = 2;
                break;
            case Kind::Delay:
                fate.delayMs = std::max(fate.delayMs, rule.delayMs);
                break;
            case Kind::Lose:
                break;
        }
    }
    return fate;
}

bool FaultPlan::losesMessage(std::uint8_t command) {
    bool lost = false;
    for (Rule& rule : rules_)
        if (rule.kind == Kind::Lose && rule.command == command)
            lost = hits(rule.nth, ++rule.seen) || lost;
    return lost;
}

bool FaultPlan::refusesRestore() {
    bool refuse = false;
    for (Refusal& refusal : refusals_) refuse = hits(refusal.nth, ++refusal.seen) || refuse;
    return refuse;
}

void corruptReplyBytes(sysex::Bytes& message) {
    using namespace sysex;
    if (!hasHeader(message, family::Editor) || message.size() <= at::Command) return;
    std::size_t target = 0;
    if (message.size() == BlockMessageSize) {
        target = at::Block;
    } else {
        switch (message[at::Command]) {
            case cmd::IrFirst:
                target = at::IrFirstData;
                break;
            case cmd::IrMiddle:
                target = at::IrChunkData;
                break;
            case cmd::IrLast:
                target = message.size() - 2;
                break;  // checksum low byte
            default:
                return;
        }
    }
    if (target == 0 || target + 1 >= message.size()) return;
    message[target] ^= CorruptionMask;
}

}  // namespace vornix::sim
