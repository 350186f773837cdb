#include "host/host_settings.hpp"

// Debian builds the SimpleIni library with ICU conversion; match it.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>

#include "storage/file_io.hpp"

namespace vornix::host {
namespace {

constexpr const char* FileName = "settings.ini";
constexpr const char* AudioSection = "audio";
constexpr const char* MidiSection = "midi";
constexpr const char* GuiSection = "GUI";
constexpr const char* ScaleKey = "scale";
// Values are read into fixed buffers of these sizes, terminator included.
constexpr std::size_t TextBuffer = 100;
constexpr std::size_t ScaleBuffer = 128;
// Far beyond any settings file we write; bounds what a damaged one costs.
constexpr std::size_t MaxFileBytes = 1 << 20;
constexpr double DefaultScale = 0.5;

std::string fileText(const std::filesystem::path& path) {
    const auto bytes = storage::readFile(path, MaxFileBytes);
    return std::string(bytes.begin(), bytes.end());
}

class Ini {
  public:
    Ini() {
        ini_.SetUnicode(false);
        ini_.SetMultiKey(false);
        ini_.SetSpaces(false);  // "key=value", as every INI reader expects
    }
    explicit Ini(std::string_view text) : Ini() {
        if (!text.empty()) ini_.LoadData(text.data(), text.size());
    }
    explicit Ini(const std::filesystem::path& path) : Ini(std::string_view(fileText(path))) {}

    std::string text(const char* section, const char* key, const char* fallback,
                     std::size_t buffer) const {
        std::string value = ini_.GetValue(section, key, fallback);
        if (value.size() >= buffer) value.resize(buffer - 1);
        return value;
    }
    template <typename Number>
    Number number(const char* section, const char* key, Number fallback) const {
        const char* value = ini_.GetValue(section, key, nullptr);
        if (!value) return fallback;
        const std::string_view text(value);
        Number parsed{};
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
        // A value that is not a whole number of the right sign keeps the
        // default rather than turning into 0 (a zero buffer or sample rate).
        if (error != std::errc{} || end != text.data() + text.size()) return fallback;
        return parsed;
    }
    void set(const char* section, const char* key, const std::string& value) {
        ini_.SetValue(section, key, value.c_str());
    }
    void erase(const char* section, const char* key) { ini_.Delete(section, key); }
    bool writeTo(const std::filesystem::path& path) const {
        std::string data;
        if (ini_.Save(data) < 0) return false;
        return storage::writeFile(
            path, std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()),
            storage::Durability::Durable);
    }

  private:
    CSimpleIniA ini_;  // case-insensitive sections and keys
};

}  // namespace

SettingsFile::SettingsFile(std::filesystem::path folder)
    : folder_(std::move(folder)), path_(folder_ / FileName) {}

HostSettings SettingsFile::load() const {
    HostSettings settings;
    std::error_code error;
    if (!std::filesystem::is_directory(folder_, error))
        std::filesystem::create_directories(folder_, error);
    else
        settings = read();
    save(settings);
    return settings;
}

HostSettings SettingsFile::read() const {
    return parseSettings(fileText(path_));
}

HostSettings parseSettings(std::string_view text) {
    const Ini ini(text);
    HostSettings s;
    s.audioEnabled = ini.number(AudioSection, "enabled", 0u) == 1;
    s.driver = ini.number(AudioSection, "driver", s.driver);
    s.audioInput = ini.text(AudioSection, "indev", settings_default::AudioInput, TextBuffer);
    s.audioOutput = ini.text(AudioSection, "outdev", settings_default::AudioOutput, TextBuffer);
    s.in1 = ini.number(AudioSection, "in1", s.in1);
    s.in2 = ini.number(AudioSection, "in2", s.in2);
    s.out1 = ini.number(AudioSection, "out1", s.out1);
    s.out2 = ini.number(AudioSection, "out2", s.out2);
    s.bufferFrames = ini.number(AudioSection, "buffer", s.bufferFrames);
    s.sampleRate = ini.number(AudioSection, "sr", s.sampleRate);
    s.midiInput = ini.text(MidiSection, "indev", settings_default::MidiInput, TextBuffer);
    s.midiOutput = ini.text(MidiSection, "outdev", settings_default::MidiOutput, TextBuffer);
    s.inChannel = ini.number(MidiSection, "inchan", s.inChannel);
    s.outChannel = ini.number(MidiSection, "outchan", s.outChannel);
    s.audioFailed = ini.text(AudioSection, "failed", "", TextBuffer);
    return s;
}

bool SettingsFile::save(const HostSettings& s) const {
    // Read first: the "GUI" section and anything a user added must survive.
    Ini ini(path_);
    ini.set(AudioSection, "enabled", s.audioEnabled ? "1" : "0");
    ini.set(AudioSection, "driver", std::to_string(s.driver));
    ini.set(AudioSection, "indev", s.audioInput);
    ini.set(AudioSection, "outdev", s.audioOutput);
    ini.set(AudioSection, "in1", std::to_string(s.in1));
    ini.set(AudioSection, "in2", std::to_string(s.in2));
    ini.set(AudioSection, "out1", std::to_string(s.out1));
    ini.set(AudioSection, "out2", std::to_string(s.out2));
    ini.set(AudioSection, "buffer", std::to_string(s.bufferFrames));
    ini.set(AudioSection, "sr", std::to_string(s.sampleRate));
    ini.set(MidiSection, "indev", s.midiInput);
    ini.set(MidiSection, "outdev", s.midiOutput);
    ini.set(MidiSection, "inchan", std::to_string(s.inChannel));
    ini.set(MidiSection, "outchan", std::to_string(s.outChannel));
    // Only while there is something not to repeat.
    if (s.audioFailed.empty())
        ini.erase(AudioSection, "failed");
    else
        ini.set(AudioSection, "failed", s.audioFailed);
    return ini.writeTo(path_);
}

bool SettingsFile::saveAudioFailed(const std::string& device) const {
    Ini ini(path_);
    if (device.empty())
        ini.erase(AudioSection, "failed");
    else
        ini.set(AudioSection, "failed", device);
    return ini.writeTo(path_);
}

std::string SettingsFile::scaleText() const {
    return Ini(path_).text(GuiSection, ScaleKey, settings_default::Scale, ScaleBuffer);
}

double SettingsFile::scale() const {
    return parseScale(fileText(path_));
}

namespace {

std::optional<double> readScale(std::string_view iniText) {
    const std::string text = Ini(iniText).text(GuiSection, ScaleKey, "", ScaleBuffer);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (error != std::errc{} || !std::isfinite(value) || value <= 0) return std::nullopt;
    return value;
}

}  // namespace

double parseScale(std::string_view iniText) {
    return readScale(iniText).value_or(DefaultScale);
}

bool SettingsFile::hasScale() const {
    return readScale(fileText(path_)).has_value();
}

bool SettingsFile::saveScale(double scale) const {
    char buffer[64];
    // Six decimals, as "%f" gives, but independent of the C locale.
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, scale, std::chars_format::fixed, 6);
    if (error != std::errc{}) return false;
    Ini ini(path_);
    ini.set(GuiSection, ScaleKey, std::string(buffer, end));
    return ini.writeTo(path_);
}

}  // namespace vornix::host
