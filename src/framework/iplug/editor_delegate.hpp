#pragma once
// What the drawing context needs from the plug-in: its parameters, a way to
// change one from a gesture, and the queue of values the plug-in set itself
// (from the device), which the 20 ms timer moves into the controls.
#include <deque>
#include <utility>

#include "framework/iplug/iparam.hpp"

namespace iplug {

class IEditorDelegate {
  public:
    virtual ~IEditorDelegate() = default;

    virtual int nParams() const = 0;
    // nullptr outside 0 .. nParams() - 1.
    virtual IParam* getParam(int index) = 0;

    // A control changed parameter `index` to a normalised value: the plug-in
    // converts, rounds stepped kinds, clamps, stores and runs its change handler.
    virtual void sendParameterValueFromUI(int index, double normalised) = 0;
    virtual void beginInformHostOfParamChangeFromUI(int /*index*/) {}
    virtual void endInformHostOfParamChangeFromUI(int /*index*/) {}

    // Single producer (the plug-in), single consumer (the 20 ms timer).
    void queueValueForUI(int index, double normalised) { queued_.emplace_back(index, normalised); }
    template <typename Fn>
    void drainQueuedValues(Fn&& fn) {
        while (!queued_.empty()) {
            auto [index, normalised] = queued_.front();
            queued_.pop_front();
            fn(index, normalised);
        }
    }
    bool hasQueuedValues() const { return !queued_.empty(); }

  private:
    std::deque<std::pair<int, double>> queued_;
};

}  // namespace iplug
