#include "host/stdio_port.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "device/sysex.hpp"

namespace vornix::host {
namespace {

constexpr std::size_t ReadChunk = 4096;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

StdioPort::StdioPort(EventLoop& loop, std::ostream& output, int inputFd, std::ostream& errors)
    : loop_(loop), output_(output), errors_(errors), inputFd_(inputFd) {
    // The pipe wakes the reader out of poll() when the port is destroyed:
    // a thread blocked in read() on a terminal could not be stopped.
    if (::pipe(stopPipe_) != 0) stopPipe_[0] = stopPipe_[1] = -1;
    reader_ = std::thread([this] { readLoop(); });
}

StdioPort::~StdioPort() {
    if (stopPipe_[1] >= 0) {
        const char stop = 0;
        [[maybe_unused]] auto ignored = ::write(stopPipe_[1], &stop, 1);
    }
    if (reader_.joinable()) reader_.join();
    for (int fd : stopPipe_)
        if (fd >= 0) ::close(fd);
}

bool StdioPort::send(std::span<const std::uint8_t> message) {
    const std::string line = sysex::toHex(message) + '\n';
    std::lock_guard lock(outputMutex_);
    output_ << line << std::flush;
    return static_cast<bool>(output_);
}

// The reader starts with the port, so input may arrive before anyone listens:
// it is kept until a receiver is set, and an input that already ended is
// reported to the callback set afterwards. (A peer that answers at once, or a
// file given as input, once lost its first lines and its end this way.)
void StdioPort::setReceiver(Receiver receiver) {
    std::lock_guard lock(receiverMutex_);
    receiver_ = std::move(receiver);
    if (!receiver_) return;
    for (const sysex::Bytes& message : early_) receiver_(message);
    early_.clear();
}

void StdioPort::setOnEndOfInput(std::function<void()> onEnd) {
    std::lock_guard lock(receiverMutex_);
    onEnd_ = std::move(onEnd);
    if (ended_ && onEnd_) loop_.post(onEnd_);
}

void StdioPort::readLoop() {
    std::string pending;
    bool overlong = false;  // the rest of an overlong line is skipped
    char buffer[ReadChunk];
    for (;;) {
        pollfd fds[2] = {{inputFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        const int ready = ::poll(fds, stopPipe_[0] >= 0 ? 2 : 1, -1);
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents != 0 && stopPipe_[0] >= 0) return;  // being destroyed
        const ssize_t got = ::read(inputFd_, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) break;
        for (ssize_t i = 0; i < got; ++i) {
            if (buffer[i] != '\n') {
                if (pending.size() < MaxLineChars)
                    pending.push_back(buffer[i]);
                else
                    overlong = true;
                continue;
            }
            ++lineNumber_;
            if (overlong)
                errors_ << "input line " << lineNumber_ << " is too long, skipped\n";
            else
                handleLine(pending);
            pending.clear();
            overlong = false;
        }
    }
    if (!pending.empty() && !overlong) {
        ++lineNumber_;
        handleLine(pending);
    }
    finish();
}

void StdioPort::handleLine(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() == '#') return;
    sysex::Bytes message;
    if (!sysex::fromHex(text, message) || message.empty()) {
        errors_ << "input line " << lineNumber_ << " is not hex bytes, skipped\n";
        return;
    }
    std::lock_guard lock(receiverMutex_);
    if (receiver_)
        receiver_(message);
    else
        early_.push_back(std::move(message));
}

void StdioPort::finish() {
    std::function<void()> onEnd;
    {
        std::lock_guard lock(receiverMutex_);
        ended_ = true;
        onEnd = onEnd_;
    }
    if (onEnd) loop_.post(std::move(onEnd));
}

}  // namespace vornix::host
