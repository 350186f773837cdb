#pragma once
// The silent output stream, opened only on a device the user chose. The
// editor is an audio plug-in that renders silence and no reply depends on the
// stream: it runs for a user who wants the editor to hold a device (a JACK
// graph that expects the client, say). Driver 0 is the platform's own API
// (ALSA on Linux), 1 is JACK. RtAudio errors end only the call that raised
// them; nothing here throws.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/host_settings.hpp"

class RtAudio;

namespace vornix::host {

inline constexpr unsigned AudioDriverAlsa = 0;
inline constexpr unsigned AudioDriverJack = 1;

// An output device the user may choose.
struct AudioDevice {
    unsigned driver = AudioDriverAlsa;
    std::string name;
    std::vector<unsigned> sampleRates;
    unsigned preferredRate = 0;
};
// The output devices of both drivers, ALSA's first; JACK's only while a
// server runs (none is ever started for a list).
std::vector<AudioDevice> listAudioOutputs();
// "ALSA" or "JACK", for the device lists.
const char* audioDriverName(unsigned driver);

class AudioStream {
  public:
    static constexpr unsigned ChunkFrames = 64;
    static constexpr unsigned OutputChannels = 2;
    // Called on the audio thread for every chunk of at most 64 frames, with
    // the chunk's interleaved samples already zeroed.
    using RenderHook = std::function<void(std::span<double> interleaved, unsigned frames)>;

    explicit AudioStream(unsigned driver);
    ~AudioStream();
    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    unsigned driver() const { return driver_; }
    bool hasApi() const { return audio_ != nullptr; }
    std::vector<AudioDevice> outputDevices() const;

    // Set before open(); the audio thread reads it without a lock.
    void setRenderHook(RenderHook hook) { render_ = std::move(hook); }

    // Opens and starts the stream on the output device of exactly the stored
    // name. The rate is the stored one when the device offers it, else the
    // device's preferred rate; the server may replace the buffer size.
    // running() tells what it runs with. False when the device is not there
    // or does not open.
    bool open(const HostSettings& settings);
    void close();
    bool isRunning() const;
    // The settings the running stream was opened with (rate and buffer as
    // granted).
    const HostSettings& running() const { return running_; }

  private:
    int findOutput(const std::string& name) const;
    static int onAudio(void* output, void* input, unsigned frames, double time, unsigned status,
                       void* self);

    unsigned driver_;
    std::unique_ptr<RtAudio> audio_;
    RenderHook render_;
    HostSettings running_;
};

}  // namespace vornix::host
