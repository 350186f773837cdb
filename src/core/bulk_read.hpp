#pragma once
// The synchronisation of the preset cache: every slot whose checksum differs
// from the device's is read, one reply at a time, each reply asking for the
// next pending slot at once. The editor's settings page follows.
#include <functional>

#include "core/link.hpp"
#include "core/preset_cache.hpp"

namespace vornix {

class BulkRead {
  public:
    BulkRead(Link& link, PresetCache& cache) : link_(link), cache_(cache) {}

    bool active() const { return active_; }
    // Armed by the checksum page, waiting for its first request.
    bool waitingToStart() const { return active_ && slot_ < 0; }

    // The device's checksum page: arms the read when any slot differs (the
    // begin-transfer message goes first) and returns true; false when the
    // cache is in step.
    bool armFrom(const sysex::PresetChecksums& device);
    // The device tick's turn while armed.
    void startStep();
    // A preset dump that arrived during the read; true when it was the last.
    bool receive(const sysex::BlockView& dump, int patchOffset);
    // The request of the slot being read went unanswered: asked again, a few times.
    void retryRequest();
    // Ends the read without a word (the cache turned out complete).
    void stop() { active_ = false; }
    // Runs before a slot the cache held is replaced by what the pedal holds now.
    void setOnChangedOnPedal(std::function<void(int)> hook) { changedOnPedal_ = std::move(hook); }

  private:
    void finish();

    Link& link_;
    PresetCache& cache_;
    bool active_ = false;
    int slot_ = 0;     // being read; -1 while armed
    int retries_ = 0;  // requests repeated for that slot
    int total_ = 0;
    int done_ = 0;
    std::function<void(int)> changedOnPedal_;
};

}  // namespace vornix
