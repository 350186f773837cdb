#pragma once
// A program started for a test, its standard output readable line by line
// with a time-out; stopped with SIGTERM (then SIGKILL) when the object goes.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vornix::testing {

class ChildProcess {
  public:
    enum class Capture { Stdout, StdoutAndStderr };

    explicit ChildProcess(const std::vector<std::string>& argv, Capture capture = Capture::Stdout) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            if (capture == Capture::StdoutAndStderr) ::dup2(fds[1], STDERR_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            std::vector<char*> args;
            for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~ChildProcess() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    const std::string& output() const { return output_; }

    // Reads until a line equal to `line` arrives; false on time-out or end.
    bool waitForLine(const std::string& line, int timeoutMs) {
        return waitForText(line + "\n", timeoutMs);
    }

    // Reads until `text` appears in the output at or after `from`; false on
    // time-out or end.
    bool waitForText(const std::string& text, int timeoutMs, std::size_t from = 0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (output_.find(text, from) != std::string::npos) return true;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd fd{out_, POLLIN, 0};
            if (::poll(&fd, 1, int(left.count())) <= 0) continue;
            char buffer[512];
            const ssize_t got = ::read(out_, buffer, sizeof buffer);
            if (got <= 0) return false;
            output_.append(buffer, std::size_t(got));
        }
    }

    // Reads the output to its end and waits for the exit status (-1 when it
    // had to be killed after the time-out).
    int finish(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return stop(0);
            pollfd fd{out_, POLLIN, 0};
            if (::poll(&fd, 1, int(left.count())) <= 0) continue;
            char buffer[512];
            const ssize_t got = ::read(out_, buffer, sizeof buffer);
            if (got <= 0) break;
            output_.append(buffer, std::size_t(got));
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        exited_ = true;
        return status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // SIGKILL, as a device pulled out: no goodbye to anyone.
    void kill() {
        if (pid_ <= 0 || exited_) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        exited_ = true;
    }

    // SIGTERM, then the exit status (or -1 when it had to be killed).
    int stop(int timeoutMs = 5000) {
        if (pid_ <= 0 || exited_) return status_;
        ::kill(pid_, SIGTERM);
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                exited_ = true;
                return status_ = -1;
            }
            ::usleep(10000);
        }
        exited_ = true;
        return status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string output_;
    bool exited_ = false;
    int status_ = -1;
};

}  // namespace vornix::testing
