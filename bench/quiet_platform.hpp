#pragma once
// The benchmarks' platform: every question answered OK at once, no file
// chosen, nothing opened, so a measured step never waits on a person.
#include <functional>
#include <optional>
#include <string>

#include "core/platform.hpp"

namespace vornix::bench {

class QuietPlatform : public Platform {
  public:
    void messageBox(const std::string&, const std::string&, Buttons,
                    std::function<void(Answer)> done) override {
        if (done) done(Answer::Ok);
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void openUrl(const std::string&) override {}
};

}  // namespace vornix::bench
