#pragma once
// The window's title: the program, and the pedal with its firmware once the
// editor is online with it ("VornixControl - Vornix 1.3"), so the task bar
// tells whether the pedal is there. No GTK here.
#include <functional>
#include <optional>
#include <string>

#include "core/editor_events.hpp"

namespace vornix::app {

// Nothing while offline.
std::string windowTitle(std::optional<double> firmwareVersion);

// Follows the editor's link and hands every new title to `show`.
class TitleFollower : public LinkEvents {
  public:
    explicit TitleFollower(std::function<void(const std::string&)> show) : show_(std::move(show)) {}

    void identified(double version, const std::string& serial) override;
    void onlineChanged(bool online) override;

  private:
    std::function<void(const std::string&)> show_;
};

}  // namespace vornix::app
