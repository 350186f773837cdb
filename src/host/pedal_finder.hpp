#pragma once
// Finds the pedals among the computer's MIDI ports: one identification request
// on each output in turn, and every input listened to meanwhile; an input
// that answers with a valid identification makes a pair with that output.
// Nothing else is sent to any port, and the through ports and this program's
// own are never asked. It runs on the event loop (a port that stays silent
// costs one answer window) and uses MIDI objects of its own, so the ports the
// host has open stay as they are.
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "device/global_pages.hpp"
#include "framework/event_loop.hpp"

namespace vornix::host {

struct FoundPedal {
    std::string input;   // the editor's input: what the pedal sends
    std::string output;  // the editor's output: what the pedal receives
    sysex::Identification identity;
    // The serial number without the spaces that pad it to 32 characters.
    std::string serial() const {
        return identity.serial.substr(0, identity.serial.find_last_not_of(' ') + 1);
    }
};

class PedalFinder {
  public:
    // How long an output is given to be answered, and how long after the
    // first answer other inputs may still answer it.
    static constexpr int AnswerWindowMs = 1000;
    static constexpr int SettleMs = 100;
    // A new JACK connection carries MIDI from a cycle boundary on: a request
    // sent at once could leave in the cycle under way, to nobody. Two
    // periods of 2048 frames at 48 kHz.
    static constexpr int ConnectionLiveMs = 90;
    using Done = std::function<void(const std::vector<FoundPedal>&)>;

    PedalFinder(EventLoop& loop, Done done);
    ~PedalFinder();
    PedalFinder(const PedalFinder&) = delete;
    PedalFinder& operator=(const PedalFinder&) = delete;

    // Lists the ports and starts asking; outputs named in `skip` are not
    // asked (they were asked before). `done` runs on the loop once every
    // output had its turn, possibly with no pedal; the finder may be
    // destroyed from it.
    void start(const std::set<std::string>& skip = {});
    bool running() const { return running_; }
    // The outputs the last start asked or skipped: where a pedal could be.
    const std::set<std::string>& outputsSeen() const { return seen_; }
    // The outputs the last start asked, and the inputs it listened to.
    std::set<std::string> outputsAsked() const { return {outputs_.begin(), outputs_.end()}; }
    const std::set<std::string>& inputsHeard() const { return heard_; }

  private:
    struct Probe;
    void drainInbox();
    void askNext();
    void askOpenOutput();
    void endRound();
    void finish();
    void answered(const std::string& input, std::span<const std::uint8_t> message);

    EventLoop& loop_;
    Done done_;
    std::unique_ptr<Probe> probe_;
    std::vector<std::string> outputs_;
    std::size_t next_ = 0;
    std::size_t round_ = 0;  // one for each output asked
    std::set<std::string> seen_;
    std::set<std::string> heard_;
    std::vector<FoundPedal> found_;
    std::vector<FoundPedal> roundAnswers_;
    EventLoop::TimerId timer_ = -1;
    bool running_ = false;
    // Expires with the finder: a drain posted before then does nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vornix::host
