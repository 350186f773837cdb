#include "host/audio_stream.hpp"

#include <RtAudio.h>

#include <algorithm>

#include "host/midi_api.hpp"

namespace vornix::host {
namespace {

// The JACK client name of the stream.
constexpr const char* StreamName = "VornixControl";

// Driver 0 is the platform's own API: ALSA on Linux, whose "default" device
// reaches the desktop's sound server. (Letting RtAudio choose would probe
// JACK and PulseAudio first and report each one that is missing.)
RtAudio::Api apiOf(unsigned driver) {
    return driver == AudioDriverJack ? RtAudio::UNIX_JACK : RtAudio::LINUX_ALSA;
}

}  // namespace

const char* audioDriverName(unsigned driver) {
    return driver == AudioDriverJack ? "JACK" : "ALSA";
}

std::vector<AudioDevice> listAudioOutputs() {
    std::vector<AudioDevice> all;
    for (unsigned driver : {AudioDriverAlsa, AudioDriverJack}) {
        if (driver == AudioDriverJack && !jackServerRunning()) continue;
        const AudioStream stream(driver);
        for (auto& device : stream.outputDevices()) all.push_back(std::move(device));
    }
    return all;
}

AudioStream::AudioStream(unsigned driver) : driver_(driver) {
    try {
        silenceAlsaDiagnostics();
        audio_ = std::make_unique<RtAudio>(apiOf(driver));
        audio_->showWarnings(false);
    } catch (const RtAudioError&) {
        audio_.reset();
    }
}

AudioStream::~AudioStream() {
    close();
}

std::vector<AudioDevice> AudioStream::outputDevices() const {
    std::vector<AudioDevice> devices;
    if (!audio_) return devices;
    try {
        const unsigned count = audio_->getDeviceCount();
        for (unsigned i = 0; i < count; ++i) {
            const auto info = audio_->getDeviceInfo(i);
            if (!info.probed || info.outputChannels == 0) continue;
            devices.push_back({driver_, info.name, info.sampleRates, info.preferredSampleRate});
        }
    } catch (const RtAudioError&) {
        // A device that vanished while listing ends the list.
    }
    return devices;
}

int AudioStream::findOutput(const std::string& name) const {
    try {
        const unsigned count = audio_->getDeviceCount();
        for (unsigned i = 0; i < count; ++i) {
            const auto info = audio_->getDeviceInfo(i);
            if (info.probed && info.outputChannels > 0 && info.name == name) return int(i);
        }
    } catch (const RtAudioError&) {
    }
    return -1;
}

bool AudioStream::open(const HostSettings& settings) {
    close();
    if (!audio_) return false;
    const int device = findOutput(settings.audioOutput);
    if (device < 0) return false;
    try {
        const auto info = audio_->getDeviceInfo(unsigned(device));
        // JACK runs at the server's rate only; asking for another throws.
        unsigned rate = unsigned(std::max(settings.sampleRate, 1));
        const auto& rates = info.sampleRates;
        if (std::find(rates.begin(), rates.end(), rate) == rates.end() &&
            info.preferredSampleRate > 0)
            rate = info.preferredSampleRate;
        RtAudio::StreamParameters parameters;
        parameters.deviceId = unsigned(device);
        parameters.nChannels = OutputChannels;
        parameters.firstChannel = 0;
        unsigned frames = unsigned(std::max(settings.bufferFrames, 1));
        RtAudio::StreamOptions options;
        options.streamName = StreamName;
        // Silence needs no connection to the speakers.
        options.flags = RTAUDIO_JACK_DONT_CONNECT;
        audio_->openStream(&parameters, nullptr, RTAUDIO_FLOAT64, rate, &frames,
                           &AudioStream::onAudio, this, &options);
        audio_->startStream();
        running_ = settings;
        running_.sampleRate = int(audio_->getStreamSampleRate());
        running_.bufferFrames = int(frames);
        return true;
    } catch (const RtAudioError&) {
        close();
        return false;
    }
}

void AudioStream::close() {
    if (!audio_) return;
    try {
        if (audio_->isStreamRunning()) audio_->stopStream();
        if (audio_->isStreamOpen()) audio_->closeStream();
    } catch (const RtAudioError&) {
    }
}

bool AudioStream::isRunning() const {
    return audio_ && audio_->isStreamRunning();
}

int AudioStream::onAudio(void* output, void*, unsigned frames, double, unsigned, void* self) {
    auto& stream = *static_cast<AudioStream*>(self);
    auto* samples = static_cast<double*>(output);
    if (!samples) return 0;
    std::fill(samples, samples + std::size_t(frames) * OutputChannels, 0.0);
    if (!stream.render_) return 0;
    for (unsigned done = 0; done < frames; done += ChunkFrames) {
        const unsigned chunk = std::min(ChunkFrames, frames - done);
        try {
            stream.render_(std::span<double>(samples + std::size_t(done) * OutputChannels,
                                             std::size_t(chunk) * OutputChannels),
                           chunk);
        } catch (...) {
            // A faulty hook costs its chunk, never the audio thread.
        }
    }
    return 0;
}

}  // namespace vornix::host
