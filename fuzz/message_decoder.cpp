// Decodes random bytes as the MIDI monitor does: the input is cut into
// messages after every F7 (and what is left at the end is one more), each
// byte of the first input byte says which side sent the next message, and one
// conversation follows them all. Every message must get a name.
#include <cstdint>
#include <vector>

#include "core/parameter_names.hpp"
#include "device/message_decoder.hpp"
#include "device/trace_lines.hpp"

namespace {

using vornix::sysex::Sender;

void decodeOne(vornix::sysex::Conversation& conversation, Sender sender,
               const std::vector<std::uint8_t>& message) {
    const vornix::sysex::Decoded decoded = conversation.decode(sender, message);
    if (decoded.name.empty()) __builtin_trap();
    const vornix::sysex::Decoded alone = vornix::sysex::decodeAlone(sender, message);
    if (alone.name.empty()) __builtin_trap();
    (void)vornix::sysex::decodedTraceLine(0, vornix::sysex::Direction::Sent, decoded.name, message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const vornix::sysex::ParameterNamer names = vornix::catalogueNames();
    vornix::sysex::Conversation conversation(names);
    const std::uint8_t senders = data[0];
    int index = 0;
    std::vector<std::uint8_t> message;
    auto next = [&] {
        const Sender sender = (senders >> (index++ % 8)) & 1 ? Sender::Device : Sender::Editor;
        decodeOne(conversation, sender, message);
        message.clear();
    };
    for (std::size_t i = 1; i < size; ++i) {
        message.push_back(data[i]);
        if (data[i] == vornix::sysex::End) next();
    }
    if (!message.empty()) next();
    return 0;
}
