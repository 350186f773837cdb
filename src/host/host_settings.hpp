#pragma once
// settings.ini: whether an audio device is used, the audio driver and devices, the MIDI ports by
// name and the editor's draw scale. Sections "audio", "midi" and "GUI"; section and key names are
// matched without regard to case. Every write replaces the whole file atomically and keeps whatever
// else the file held (the "GUI" scale above all, which is written on its own when the window
// closes).
#include <filesystem>
#include <string>
#include <string_view>

namespace vornix::host {

namespace settings_default {
inline constexpr const char* AudioInput = "Built-in Input";
inline constexpr const char* AudioOutput = "Built-in Output";
inline constexpr const char* MidiInput = "no input";
inline constexpr const char* MidiOutput = "no output";
inline constexpr const char* Scale = "0.5";
}  // namespace settings_default

// The name under which a MIDI port direction is closed.
inline constexpr const char* PortOff = "off";

struct HostSettings {
    // No audio stream unless the user chose a device: no reply depends on one.
    // A file from before this key holds the default device's name and no
    // choice, so a missing key reads as false.
    bool audioEnabled = false;
    unsigned driver = 0;  // 0 the platform's default audio API, 1 JACK
    std::string audioInput = settings_default::AudioInput;
    std::string audioOutput = settings_default::AudioOutput;
    unsigned in1 = 1, in2 = 2, out1 = 1, out2 = 2;
    int bufferFrames = 512;
    int sampleRate = 44100;
    std::string midiInput = settings_default::MidiInput;
    std::string midiOutput = settings_default::MidiOutput;
    unsigned inChannel = 0, outChannel = 0;  // kept and written back; nothing filters by them
    // The chosen audio device that could not be opened and that the user was
    // told about: not told again at every start. Empty once one opens.
    std::string audioFailed;

    friend bool operator==(const HostSettings&, const HostSettings&) = default;
};

// The text of a settings.ini as SettingsFile::read() and scale() read it:
// every key that is missing or unreadable keeps its default.
HostSettings parseSettings(std::string_view text);
double parseScale(std::string_view text);

class SettingsFile {
  public:
    // `folder` is the data folder; the file is folder/"settings.ini".
    explicit SettingsFile(std::filesystem::path folder);

    // Start-up reading: a missing folder is created and the defaults kept;
    // otherwise an existing file is read key by key (a missing or unreadable
    // value keeps its default). The result is then written back, so the
    // first run leaves a complete file.
    HostSettings load() const;
    // Reads without creating or writing anything.
    HostSettings read() const;
    // Writes every "audio" and "midi" key; other sections are kept.
    bool save(const HostSettings& settings) const;
    // Writes only the audio device whose failure was reported ("" removes
    // it), leaving the rest as the user last saved it.
    bool saveAudioFailed(const std::string& device) const;

    // The "GUI" "scale" value as text (default "0.5"), and parsed: a value
    // that is not a positive number reads as 0.5, so a damaged file cannot
    // give the window a zero or negative size.
    std::string scaleText() const;
    double scale() const;
    // Whether the file holds a usable scale; a first start has none, and the
    // window then fits itself to the monitor.
    bool hasScale() const;
    // Writes "scale" as "%f" (always with a '.', whatever the locale).
    bool saveScale(double scale) const;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

}  // namespace vornix::host
