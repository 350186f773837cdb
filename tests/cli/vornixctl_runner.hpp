#pragma once
// The built vornixctl program run as a user or a script runs it, on a fresh
// data folder of its own: exit code, stdout and stderr.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.hpp"

namespace vornix::testing {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    double seconds = 0;
};

inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Runs vornixctl with the arguments, stdin at end of file from the start, or
// reading the given file (the device's side of --stdio).
class Vornixctl {
  public:
    ProgramRun run(std::vector<std::string> args, const std::string& input = "/dev/null") {
        const auto outPath = dir_.path() / "stdout";
        const auto errPath = dir_.path() / "stderr";
        args.insert(args.begin(), vornix::testing::besideTestProgram(VORNIXCTL_PATH));
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int in = ::open(input.c_str(), O_RDONLY);
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(in, STDIN_FILENO);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            ::unsetenv("VORNIX_DATA_DIR");
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ProgramRun result;
        int status = 0;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        result.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        result.out = slurp(outPath);
        result.err = slurp(errPath);
        return result;
    }
    // A data folder of its own for each use.
    std::string dataDir() const { return (dir_.path() / "data").string(); }
    std::filesystem::path path(const std::string& name) const { return dir_.path() / name; }

  private:
    TempDir dir_;
};

}  // namespace vornix::testing
