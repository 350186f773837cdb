#include "app/single_instance.hpp"

#include <fcntl.h>
#include <glib-unix.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vornix::app {

namespace {

constexpr const char* LockName = "VornixControl.lock";
constexpr const char* SocketName = "VornixControl.socket";
constexpr char RaiseRequest[] = "raise\n";
constexpr int Backlog = 4;

// False when the path does not fit a socket address.
bool socketAddress(const std::filesystem::path& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& folder)
    : lockPath_(folder / LockName), socketPath_(folder / SocketName) {}

SingleInstance::~SingleInstance() {
    if (watch_ != 0) g_source_remove(watch_);
    if (socketFd_ >= 0) {
        close(socketFd_);
        std::error_code ignored;
        std::filesystem::remove(socketPath_, ignored);
    }
    if (lockFd_ >= 0) close(lockFd_);  // releases the lock
}

bool SingleInstance::acquire() {
    std::error_code ignored;
    std::filesystem::create_directories(lockPath_.parent_path(), ignored);
    lockFd_ = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd_ < 0) return true;
    if (flock(lockFd_, LOCK_EX | LOCK_NB) == 0) return true;
    const bool held = errno == EWOULDBLOCK;
    close(lockFd_);
    lockFd_ = -1;
    return !held;
}

bool SingleInstance::askFirstToRaise() const {
    sockaddr_un address;
    if (!socketAddress(socketPath_, address)) return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool sent = false;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        // The first instance may close before reading: no SIGPIPE for that.
        sent = send(fd, RaiseRequest, sizeof RaiseRequest - 1, MSG_NOSIGNAL) > 0;
    close(fd);
    return sent;
}

bool SingleInstance::listen(std::function<void()> raise) {
    sockaddr_un address;
    if (lockFd_ < 0 || !socketAddress(socketPath_, address)) return false;
    socketFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socketFd_ < 0) return false;
    // Holding the lock makes any socket file left here a dead instance's.
    unlink(socketPath_.c_str());
    if (bind(socketFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socketFd_, Backlog) != 0) {
        close(socketFd_);
        socketFd_ = -1;
        return false;
    }
    raise_ = std::move(raise);
    watch_ = g_unix_fd_add(
        socketFd_, G_IO_IN,
        [](gint fd, GIOCondition condition, gpointer data) -> gboolean {
            return onRequest(fd, condition, data);
        },
        this);
    return true;
}

int SingleInstance::onRequest(int fd, unsigned, void* data) {
    auto* self = static_cast<SingleInstance*>(data);
    const int client = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client >= 0) close(client);
    if (self->raise_) self->raise_();
    return G_SOURCE_CONTINUE;
}

}  // namespace vornix::app
