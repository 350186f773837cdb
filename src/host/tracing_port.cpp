#include "host/tracing_port.hpp"

#include "device/sysex.hpp"

namespace vornix::host {

TracingPort::TracingPort(MidiPort& inner, std::ostream& log) : inner_(inner), log_(log) {}

TracingPort::~TracingPort() {
    inner_.setReceiver({});
}

bool TracingPort::send(std::span<const std::uint8_t> message) {
    write("> ", message);
    return inner_.send(message);
}

void TracingPort::setReceiver(Receiver receiver) {
    if (!receiver) {
        inner_.setReceiver({});
        return;
    }
    inner_.setReceiver([this, receiver = std::move(receiver)](std::span<const std::uint8_t> m) {
        write("< ", m);
        receiver(m);
    });
}

void TracingPort::write(const char* direction, std::span<const std::uint8_t> message) {
    const std::string line = direction + sysex::toHex(message) + '\n';
    std::lock_guard lock(mutex_);
    log_ << line << std::flush;
}

}  // namespace vornix::host
