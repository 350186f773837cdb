#include "host/audio_stream.hpp"

#include <RtAudio.h>

#include "host/midi_api.hpp"

#include <algorithm>

namespace vornix::host {
namespace {

constexpr unsigned DriverJack = 1;
// The JACK client name of the stream.
constexpr const char* StreamName = "VornixControl";

// Driver 0 is the platform's own API: ALSA on Linux, whose "default" device
// reaches the desktop's sound server. (Letting RtAudio choose would probe
// JACK and PulseAudio first and report each one that is missing.)
RtAudio::Api apiOf(unsigned driver) {
    return driver == DriverJack ? RtAudio::UNIX_JACK : RtAudio::LINUX_ALSA;
}

}  // namespace

AudioStream::AudioStream(unsigned driver) {
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

std::string AudioStream::apiName() const {
    return audio_ ? RtAudio::getApiDisplayName(audio_->getCurrentApi()) : std::string{};
}

std::vector<std::string> AudioStream::devicesWith(bool inputs) const {
    std::vector<std::string> names;
    if (!audio_) return names;
    try {
        const unsigned count = audio_->getDeviceCount();
        for (unsigned i = 0; i < count; ++i) {
            const auto info = audio_->getDeviceInfo(i);
            const unsigned channels = inputs ? info.inputChannels : info.outputChannels;
            if (info.probed && channels > 0) names.push_back(info.name);
        }
    } catch (const RtAudioError&) {
        // A device that vanished while listing ends the list.
    }
    return names;
}

std::vector<std::string> AudioStream::inputDevices() const {
    return devicesWith(true);
}

std::vector<std::string> AudioStream::outputDevices() const {
    return devicesWith(false);
}

AudioStream::Found AudioStream::findDevice(const std::string& name, bool output) const {
    Found found;
    if (!audio_) return found;
    try {
        const unsigned count = audio_->getDeviceCount();
        auto usable = [&](const RtAudio::DeviceInfo& info) {
            return info.probed && (output ? info.outputChannels : info.inputChannels) > 0;
        };
        for (unsigned i = 0; i < count; ++i) {
            const auto info = audio_->getDeviceInfo(i);
            if (usable(info) && info.name == name) return {int(i), info.name};
        }
        const unsigned preferred =
            output ? audio_->getDefaultOutputDevice() : audio_->getDefaultInputDevice();
        if (preferred < count) {
            const auto info = audio_->getDeviceInfo(preferred);
            if (usable(info)) return {int(preferred), info.name};
        }
        // Some APIs name no default: the first device that has the direction.
        for (unsigned i = 0; i < count; ++i) {
            const auto info = audio_->getDeviceInfo(i);
            if (usable(info)) return {int(i), info.name};
        }
    } catch (const RtAudioError&) {
    }
    return found;
}

AudioStream::OpenResult AudioStream::open(HostSettings& settings, bool& changed) {
    changed = false;
    const Found input = findDevice(settings.audioInput, false);
    const Found output = findDevice(settings.audioOutput, true);
    if (input.device >= 0 && input.name != settings.audioInput) {
        settings.audioInput = input.name;
        changed = true;
    }
    if (output.device >= 0 && output.name != settings.audioOutput) {
        settings.audioOutput = output.name;
        changed = true;
    }
    if (input.device < 0 || output.device < 0) return OpenResult::NoDevice;

    close();
    try {
        const auto info = audio_->getDeviceInfo(unsigned(output.device));
        // JACK runs at the server's rate only; asking for another throws.
        unsigned rate = unsigned(std::max(settings.sampleRate, 1));
        const auto& rates = info.sampleRates;
        if (std::find(rates.begin(), rates.end(), rate) == rates.end() &&
            info.preferredSampleRate > 0)
            rate = info.preferredSampleRate;
        RtAudio::StreamParameters parameters;
        parameters.deviceId = unsigned(output.device);
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
        return OpenResult::Opened;
    } catch (const RtAudioError&) {
        close();
        return OpenResult::Failed;
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
