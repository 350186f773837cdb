#include "core/traffic_capture.hpp"

#include <algorithm>
#include <cctype>

#include "core/parameter_names.hpp"
#include "storage/file_io.hpp"

namespace vornix {

std::string CapturedMessage::line() const {
    return sysex::decodedTraceLine(milliseconds, direction, name, bytes);
}

TrafficCapture::TrafficCapture(const EventLoop& loop, std::size_t limit)
    : loop_(loop), limit_(std::max<std::size_t>(limit, 1)), conversation_(catalogueNames()) {}

void TrafficCapture::messageSent(std::span<const std::uint8_t> message) {
    add(sysex::Direction::Sent, message);
}

void TrafficCapture::messageReceived(std::span<const std::uint8_t> message) {
    add(sysex::Direction::Received, message);
}

void TrafficCapture::add(sysex::Direction direction, std::span<const std::uint8_t> message) {
    const auto sender =
        direction == sysex::Direction::Sent ? sysex::Sender::Editor : sysex::Sender::Device;
    sysex::Decoded decoded = conversation_.decode(sender, message);
    if (messages_.size() >= limit_) {
        messages_.pop_front();
        ++dropped_;
    }
    messages_.push_back(CapturedMessage{nextSequence_++, loop_.now(), direction, decoded.verdict,
                                        std::move(decoded.name),
                                        std::vector<std::uint8_t>(message.begin(), message.end())});
}

std::vector<const CapturedMessage*> TrafficCapture::from(std::uint64_t first) const {
    std::vector<const CapturedMessage*> out;
    // Sequence numbers rise by one from the oldest held message.
    const std::uint64_t oldest = messages_.empty() ? 0 : messages_.front().sequence;
    const std::size_t skip = first > oldest ? static_cast<std::size_t>(first - oldest) : 0;
    if (skip >= messages_.size()) return out;
    out.reserve(messages_.size() - skip);
    for (auto it = messages_.begin() + static_cast<std::ptrdiff_t>(skip); it != messages_.end();
         ++it)
        out.push_back(&*it);
    return out;
}

const CapturedMessage* TrafficCapture::find(std::uint64_t sequence) const {
    if (messages_.empty() || sequence < messages_.front().sequence) return nullptr;
    const auto index = static_cast<std::size_t>(sequence - messages_.front().sequence);
    return index < messages_.size() ? &messages_[index] : nullptr;
}

void TrafficCapture::clear() {
    messages_.clear();
    dropped_ = 0;
    conversation_.reset();
}

// ---- files -------------------------------------------------------------------------------

namespace {

Result written(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    if (storage::writeFile(path, bytes, storage::Durability::Durable)) return Result::done();
    return Result::failed("cannot write " + path.string());
}

}  // namespace

Result saveSyx(const std::filesystem::path& path,
               std::span<const CapturedMessage* const> messages) {
    std::vector<std::uint8_t> bytes;
    for (const CapturedMessage* message : messages) {
        const auto& m = message->bytes;
        // Anything else would run into the next message for whoever splits the file.
        if (m.size() < 2 || m.front() != sysex::Start || m.back() != sysex::End) continue;
        bytes.insert(bytes.end(), m.begin(), m.end());
    }
    return written(path, bytes);
}

Result saveText(const std::filesystem::path& path,
                std::span<const CapturedMessage* const> messages) {
    std::string text;
    for (const CapturedMessage* message : messages) text += message->line() + '\n';
    return written(path,
                   std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Result saveCapture(const std::filesystem::path& path,
                   std::span<const CapturedMessage* const> messages) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".syx" ? saveSyx(path, messages) : saveText(path, messages);
}

}  // namespace vornix
