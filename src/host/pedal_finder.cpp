#include "host/pedal_finder.hpp"

#include <RtMidi.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "device/sysex.hpp"
#include "host/midi_api.hpp"
#include "host/port_names.hpp"

namespace vornix::host {

namespace {

constexpr const char* ListenerClient = "Vornix Finder In";
constexpr const char* AskerClient = "Vornix Finder Out";
constexpr const char* FinderPort = "Vornix Finder";
// SysEx delivered; timing and active sensing are not the answer.
constexpr bool IgnoreSysEx = false;
constexpr bool IgnoreTiming = true;
constexpr bool IgnoreSensing = true;

bool worthAsking(const std::string& name) {
    return !isThroughPort(name) && !isOwnPort(name);
}

std::vector<std::string> worthAsking(std::vector<std::string> names) {
    std::erase_if(names, [](const std::string& name) { return !worthAsking(name); });
    return names;
}

}  // namespace

// The MIDI side: one listening input object per port, one output object that
// opens each output in turn. Messages arrive on RtMidi's threads and are
// handed to the loop through a shared inbox that outlives the finder's
// posted tasks. Each is marked with the output being asked when it arrived:
// the loop may get to it only after that output's time is up (a busy start,
// a timer that runs before the drain), and it must not count for the next.
struct PedalFinder::Probe {
    struct Message {
        std::string input;
        std::size_t round;
        std::vector<std::uint8_t> bytes;
    };
    struct Inbox {
        std::mutex mutex;
        std::vector<Message> messages;
        std::size_t round = 0;
        bool drainPosted = false;
    };
    struct Listener {
        std::string port;
        std::shared_ptr<Inbox> inbox;
        EventLoop* loop;
        std::function<void()> drain;
        std::unique_ptr<RtMidiIn> midi;
    };

    ~Probe() {
        // Deleting an input object joins its thread: no callback runs after.
        for (auto& listener : listeners) {
            try {
                if (listener->midi) listener->midi->cancelCallback();
            } catch (const RtMidiError&) {
            }
            listener->midi.reset();
        }
        closeOutput();
    }
    static void onMessage(double, std::vector<unsigned char>* message, void* self) {
        auto& listener = *static_cast<Listener*>(self);
        if (!message || message->empty()) return;
        std::lock_guard lock(listener.inbox->mutex);
        listener.inbox->messages.push_back({listener.port, listener.inbox->round, *message});
        if (std::exchange(listener.inbox->drainPosted, true)) return;
        listener.loop->post(listener.drain);
    }
    void listen(const std::string& port, EventLoop& loop, const std::function<void()>& drain) {
        auto listener = std::make_unique<Listener>(Listener{port, inbox, &loop, drain, nullptr});
        listener->midi = makeMidiIn(ListenerClient);
        if (!listener->midi) return;
        try {
            listener->midi->ignoreTypes(IgnoreSysEx, IgnoreTiming, IgnoreSensing);
            listener->midi->setCallback(&Probe::onMessage, listener.get());
        } catch (const RtMidiError&) {
            return;
        }
        if (!openPortNamed(*listener->midi, port, FinderPort)) return;
        listeners.push_back(std::move(listener));
    }
    bool open(const std::string& port, std::size_t round) {
        closeOutput();
        {
            std::lock_guard lock(inbox->mutex);
            inbox->round = round;
        }
        if (!out) out = makeMidiOut(AskerClient);
        return out && openPortNamed(*out, port, FinderPort);
    }
    bool ask() {
        try {
            const auto request = sysex::requestPage(sysex::page::Identify);
            out->sendMessage(request.data(), request.size());
            return true;
        } catch (const RtMidiError&) {
            return false;
        }
    }
    void closeOutput() {
        try {
            if (out) out->closePort();
        } catch (const RtMidiError&) {
        }
    }

    std::shared_ptr<Inbox> inbox = std::make_shared<Inbox>();
    std::vector<std::unique_ptr<Listener>> listeners;
    std::unique_ptr<RtMidiOut> out;
};

PedalFinder::PedalFinder(EventLoop& loop, Done done) : loop_(loop), done_(std::move(done)) {}

PedalFinder::~PedalFinder() {
    if (timer_ >= 0) loop_.cancel(timer_);
    probe_.reset();
}

void PedalFinder::start(const std::set<std::string>& skip) {
    if (running_) return;
    running_ = true;
    found_.clear();
    next_ = 0;
    const MidiPortListing ports = listMidiPorts();
    outputs_.clear();
    seen_.clear();
    heard_.clear();
    for (const std::string& name : worthAsking(ports.outputs)) {
        seen_.insert(name);
        if (!skip.contains(name)) outputs_.push_back(name);
    }
    probe_ = std::make_unique<Probe>();
    if (!outputs_.empty()) {
        // The drain holds the inbox, not the finder: it may run after the
        // finder is gone, and then finds nobody to tell.
        auto drain = [this, weakInbox = std::weak_ptr<Probe::Inbox>(probe_->inbox),
                      alive = std::weak_ptr<bool>(alive_)] {
            if (!weakInbox.expired() && !alive.expired()) drainInbox();
        };
        for (const std::string& name : worthAsking(ports.inputs)) {
            probe_->listen(name, loop_, drain);
            heard_.insert(name);
        }
    }
    // From the loop: `done` never runs before start() has returned.
    loop_.post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (!alive.expired()) askNext();
    });
}

void PedalFinder::drainInbox() {
    Probe::Inbox& inbox = *probe_->inbox;
    std::vector<Probe::Message> messages;
    {
        std::lock_guard lock(inbox.mutex);
        messages.swap(inbox.messages);
        inbox.drainPosted = false;
    }
    for (const Probe::Message& message : messages)
        if (message.round == round_) answered(message.input, message.bytes);
}

void PedalFinder::askNext() {
    while (next_ < outputs_.size()) {
        roundAnswers_.clear();
        if (probe_->open(outputs_[next_], ++round_)) {
            timer_ = loop_.after(ConnectionLiveMs, [this] { askOpenOutput(); });
            return;
        }
        ++next_;  // gone since it was listed
    }
    finish();
}

void PedalFinder::askOpenOutput() {
    if (probe_->ask()) {
        timer_ = loop_.after(AnswerWindowMs, [this] { endRound(); });
        return;
    }
    timer_ = -1;
    ++next_;
    askNext();
}

void PedalFinder::answered(const std::string& input, std::span<const std::uint8_t> message) {
    if (!running_ || next_ >= outputs_.size()) return;
    const sysex::BlockParse reply = sysex::parseBlockMessage(message);
    if (reply.error != sysex::ParseError::None || !reply.view.checksumOk ||
        reply.view.command != sysex::cmd::GlobalPage || reply.view.number != sysex::page::Identify)
        return;
    const bool first = roundAnswers_.empty();
    roundAnswers_.push_back({input, outputs_[next_], sysex::readIdentification(reply.view)});
    if (!first) return;
    // The pedal has answered; another input may still echo it, briefly.
    loop_.cancel(timer_);
    timer_ = loop_.after(SettleMs, [this] { endRound(); });
}

void PedalFinder::endRound() {
    timer_ = -1;
    // What arrived while this output was asked and waits for the loop.
    drainInbox();
    probe_->closeOutput();
    // The first input that answered is the pedal's; an input already paired
    // with an earlier output hears everything and belongs to none.
    for (const FoundPedal& answer : roundAnswers_) {
        const bool paired = std::any_of(found_.begin(), found_.end(), [&](const FoundPedal& p) {
            return p.input == answer.input;
        });
        if (paired) continue;
        found_.push_back(answer);
        break;
    }
    ++next_;
    askNext();
}

void PedalFinder::finish() {
    probe_.reset();
    running_ = false;
    // Last: the owner may destroy the finder from here.
    const std::vector<FoundPedal> found = std::move(found_);
    found_.clear();
    if (done_) done_(found);
}

}  // namespace vornix::host
