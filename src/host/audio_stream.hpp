#pragma once
// The silent output stream the host keeps open. The editor is an audio
// plug-in that renders silence; the stream exists so that it runs as one.
// Driver 0 is RtAudio's default API for the platform, 1 is JACK. RtAudio
// errors end only the call that raised them; nothing here throws.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/host_settings.hpp"

class RtAudio;

namespace vornix::host {

class AudioStream {
  public:
    static constexpr unsigned ChunkFrames = 64;
    static constexpr unsigned OutputChannels = 2;
    // Called on the audio thread for every chunk of at most 64 frames, with
    // the chunk's interleaved samples already zeroed.
    using RenderHook = std::function<void(std::span<double> interleaved, unsigned frames)>;

    enum class OpenResult { Opened, NoDevice, Failed };

    explicit AudioStream(unsigned driver);
    ~AudioStream();
    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    bool hasApi() const { return audio_ != nullptr; }
    std::string apiName() const;
    std::vector<std::string> inputDevices() const;
    std::vector<std::string> outputDevices() const;

    // Set before open(); the audio thread reads it without a lock.
    void setRenderHook(RenderHook hook) { render_ = std::move(hook); }

    // Looks the stored device names up (a name not found is replaced in
    // `settings` by the default device's and `changed` is set), then opens
    // and starts the stream. The rate is the stored one when the device
    // offers it, else the device's preferred rate; the server may replace
    // the buffer size. running() tells what it runs with.
    OpenResult open(HostSettings& settings, bool& changed);
    void close();
    bool isRunning() const;
    // The settings the running stream was opened with (rate and buffer as
    // granted).
    const HostSettings& running() const { return running_; }

  private:
    std::vector<std::string> devicesWith(bool inputs) const;
    struct Found {
        int device = -1;
        std::string name;
    };
    Found findDevice(const std::string& name, bool output) const;
    static int onAudio(void* output, void* input, unsigned frames, double time, unsigned status,
                       void* self);

    std::unique_ptr<RtAudio> audio_;
    RenderHook render_;
    HostSettings running_;
};

}  // namespace vornix::host
