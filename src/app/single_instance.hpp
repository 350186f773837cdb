#pragma once
// One editor per data folder. The first instance holds an advisory lock on
// "VornixControl.lock" and listens on the socket "VornixControl.socket" beside
// it; a second instance finds the lock taken, asks the first (through the
// socket) to bring its window to the front, and exits. The kernel releases the
// lock when the process ends, however it ends, so a crash never leaves the
// editor locked out.
#include <filesystem>
#include <functional>

namespace vornix::app {

class SingleInstance {
  public:
    explicit SingleInstance(const std::filesystem::path& folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the only editor; false when another holds
    // the lock. Errors other than a held lock (a read-only folder) let this
    // process run rather than lock the user out.
    bool acquire();
    // The second instance: asks the first to raise its window. False when it
    // could not be reached.
    bool askFirstToRaise() const;
    // The first instance: opens the socket; `raise` runs on the main loop for
    // every request. The main loop must be GLib's.
    bool listen(std::function<void()> raise);

  private:
    static int onRequest(int fd, unsigned condition, void* data);

    std::filesystem::path lockPath_;
    std::filesystem::path socketPath_;
    int lockFd_ = -1;
    int socketFd_ = -1;
    unsigned watch_ = 0;
    std::function<void()> raise_;
};

}  // namespace vornix::app
