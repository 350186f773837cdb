#pragma once
// Milestones of the device link for programs that run without a window (the
// command line) and for tests. Every function has an empty default.
#include <string>

namespace vornix {

class LinkEvents {
  public:
    virtual ~LinkEvents() = default;
    virtual void onlineChanged(bool /*online*/) {}
    virtual void identified(double /*version*/, const std::string& /*serial*/) {}
    // A message the user would see in a message box (shown only with a window).
    virtual void message(const std::string& /*text*/) {}
    virtual void syncFinished() {}
    virtual void currentPresetApplied(int /*slot*/) {}
    virtual void bankExportFinished(bool /*written*/) {}
    virtual void bankImportFinished(bool /*ok*/) {}
    virtual void irUploadAnswered(bool /*stored*/) {}
    virtual void irReceived(unsigned /*number*/) {}
    virtual void firmwareProgress(double /*fraction*/) {}
    virtual void firmwareFinished(bool /*ok*/) {}
    virtual void transferProgress(double /*fraction*/) {}
    virtual void factoryResetFinished() {}
};

}  // namespace vornix
