#include "host/trace_writer.hpp"

#include <string>

#include "core/parameter_names.hpp"

namespace vornix::host {

std::optional<TraceMode> traceOption(std::string_view argument) {
    if (argument == "--trace") return TraceMode::Plain;
    if (argument == "--trace=decoded") return TraceMode::Decoded;
    return std::nullopt;
}

TraceWriter::TraceWriter(TraceMode mode, std::ostream* out, Clock clock, sysex::Sender self)
    : mode_(mode),
      out_(out),
      clock_(std::move(clock)),
      self_(self),
      conversation_(mode == TraceMode::Decoded ? catalogueNames() : sysex::ParameterNamer{}) {}

void TraceWriter::sent(std::span<const std::uint8_t> message) {
    write(sysex::Direction::Sent, message);
}

void TraceWriter::received(std::span<const std::uint8_t> message) {
    write(sysex::Direction::Received, message);
}

void TraceWriter::note(std::string_view text) {
    if (!on()) return;
    std::lock_guard lock(mutex_);
    *out_ << "# " << text << std::endl;
}

void TraceWriter::write(sysex::Direction direction, std::span<const std::uint8_t> message) {
    if (!on()) return;
    std::lock_guard lock(mutex_);
    if (mode_ == TraceMode::Plain) {
        *out_ << sysex::plainTraceLine(direction, message) << std::endl;
        return;
    }
    const sysex::Sender other =
        self_ == sysex::Sender::Editor ? sysex::Sender::Device : sysex::Sender::Editor;
    const sysex::Decoded decoded =
        conversation_.decode(direction == sysex::Direction::Sent ? self_ : other, message);
    const std::int64_t now = clock_ ? clock_() : 0;
    *out_ << sysex::decodedTraceLine(now, direction, decoded.name, message) << std::endl;
}

}  // namespace vornix::host
