// The edit history's share of a knob drag: every event of every drag passes
// it, and the release records the step (its changes and its name). A click on
// a switch is an event and a step at once.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/platform.hpp"
#include "core/vornix_control.hpp"
#include "framework/virtual_event_loop.hpp"
#include "quiet_platform.hpp"

namespace {

using namespace vornix;

using bench::QuietPlatform;

// An editor online with preset 5, sending into nothing.
class OnlineEditor {
  public:
    OnlineEditor() : editor_(loop_, storage::DataFolder(freshFolder()), platform_) {
        editor_.link().setSender([this](std::span<const std::uint8_t>) {
            ++sent_;
            return true;
        });
        editor_.sysExReceived(sysex::identificationReply(13, "B"));
        editor_.sysExReceived(sysex::parameterChanged(param::Level, 64));  // ends the bulk update
    }
    iplug::IEditorDelegate& delegate() { return editor_; }
    VornixControl& editor() { return editor_; }
    std::size_t sent() const { return sent_; }

  private:
    static std::filesystem::path freshFolder() {
        const auto path = std::filesystem::temp_directory_path() / "vornix-bench-history";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path;
    }
    VirtualEventLoop loop_;
    QuietPlatform platform_;
    VornixControl editor_;
    std::size_t sent_ = 0;
};

double nextValue(int& value) {
    value = (value + 1) & 0x7F;
    return value / 127.0;
}

// One event of a drag in progress, with the history listening.
void DragEvent(benchmark::State& state) {
    OnlineEditor online;
    online.delegate().beginInformHostOfParamChangeFromUI(param::Drive);
    int value = 0;
    for (auto _ : state) online.delegate().sendParameterValueFromUI(param::Drive, nextValue(value));
    online.delegate().endInformHostOfParamChangeFromUI(param::Drive);
    state.counters["sent"] =
        benchmark::Counter(static_cast<double>(online.sent()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(DragEvent);

// A whole drag of one event: press, the event, release and the step recorded
// and named. The history is full after the first 2,000, as in a long session.
void DragRecordedAsStep(benchmark::State& state) {
    OnlineEditor online;
    int value = 0;
    for (auto _ : state) {
        online.delegate().beginInformHostOfParamChangeFromUI(param::Drive);
        online.delegate().sendParameterValueFromUI(param::Drive, nextValue(value));
        online.delegate().endInformHostOfParamChangeFromUI(param::Drive);
    }
    benchmark::DoNotOptimize(online.editor().history().undoCount());
}
BENCHMARK(DragRecordedAsStep);

}  // namespace
