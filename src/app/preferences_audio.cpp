#include "app/preferences_audio.hpp"

#include <algorithm>
#include <charconv>

namespace vornix::app {

namespace {

constexpr int Spacing = 8;
constexpr int Border = 12;
constexpr const char* NoDevice = "No audio device";
constexpr int BufferSizes[] = {64, 128, 256, 512, 1024, 2048};

GtkWidget* labelled(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.f);
    return label;
}

int activeNumber(GtkWidget* combo, int fallback) {
    gchar* text = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(combo));
    if (!text) return fallback;
    int value = fallback;
    const std::string_view digits(text);
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    g_free(text);
    return value;
}

void appendNumbers(GtkWidget* combo, const std::vector<int>& numbers, int selected) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo),
                                       std::to_string(numbers[i]).c_str());
        if (numbers[i] == selected) gtk_combo_box_set_active(GTK_COMBO_BOX(combo), gint(i));
    }
    if (gtk_combo_box_get_active(GTK_COMBO_BOX(combo)) < 0 && !numbers.empty())
        gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0);
}

}  // namespace

std::string audioDeviceLabel(const host::AudioDevice& device) {
    return device.name + " (" + host::audioDriverName(device.driver) + ")";
}

AudioSection::AudioSection(host::Host& host) : host_(host), devices_(host::listAudioOutputs()) {
    filling_ = true;
    frame_ = gtk_frame_new("Audio Device");
    gtk_container_set_border_width(GTK_CONTAINER(frame_), Border);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), Spacing);
    gtk_grid_set_column_spacing(GTK_GRID(grid), Spacing);
    gtk_container_set_border_width(GTK_CONTAINER(grid), Border);

    const host::HostSettings& settings = host_.settings();
    device_ = gtk_combo_box_text_new();
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(device_), NoDevice);
    gtk_combo_box_set_active(GTK_COMBO_BOX(device_), 0);
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(device_),
                                       audioDeviceLabel(devices_[i]).c_str());
        if (settings.audioEnabled && devices_[i].driver == settings.driver &&
            devices_[i].name == settings.audioOutput)
            gtk_combo_box_set_active(GTK_COMBO_BOX(device_), gint(i + 1));
    }
    rate_ = gtk_combo_box_text_new();
    buffer_ = gtk_combo_box_text_new();
    appendNumbers(buffer_, {std::begin(BufferSizes), std::end(BufferSizes)}, settings.bufferFrames);
    state_ = labelled("");
    gtk_label_set_line_wrap(GTK_LABEL(state_), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(state_), 50);

    gtk_grid_attach(GTK_GRID(grid), labelled("Output"), 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), device_, 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), labelled("Sample Rate"), 0, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), rate_, 1, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), labelled("Buffer Size"), 0, 2, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), buffer_, 1, 2, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), state_, 0, 3, 2, 1);
    gtk_container_add(GTK_CONTAINER(frame_), grid);

    const gint active = gtk_combo_box_get_active(GTK_COMBO_BOX(device_));
    fillRates(active > 0 ? &devices_[std::size_t(active - 1)] : nullptr);
    auto changed = G_CALLBACK(+[](GtkComboBox*, gpointer data) {
        auto* section = static_cast<AudioSection*>(data);
        if (!section->filling_) section->deviceChosen();
    });
    g_signal_connect(device_, "changed", changed, this);
    g_signal_connect(rate_, "changed", changed, this);
    g_signal_connect(buffer_, "changed", changed, this);
    filling_ = false;
    showState();
}

// The rates the device offers, the stored one chosen when it is among them,
// else the device's own.
void AudioSection::fillRates(const host::AudioDevice* device) {
    gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(rate_));
    gtk_widget_set_sensitive(rate_, device != nullptr);
    gtk_widget_set_sensitive(buffer_, device != nullptr);
    if (!device) return;
    const std::vector<int> rates(device->sampleRates.begin(), device->sampleRates.end());
    const int stored = host_.settings().sampleRate;
    const bool offered = std::find(rates.begin(), rates.end(), stored) != rates.end();
    appendNumbers(rate_, rates, offered ? stored : int(device->preferredRate));
}

void AudioSection::deviceChosen() {
    host::HostSettings& settings = host_.settings();
    const gint active = gtk_combo_box_get_active(GTK_COMBO_BOX(device_));
    const host::AudioDevice* device = active > 0 ? &devices_[std::size_t(active - 1)] : nullptr;
    const bool otherDevice = !device || !settings.audioEnabled ||
                             device->driver != settings.driver ||
                             device->name != settings.audioOutput;
    settings.audioEnabled = device != nullptr;
    if (device) {
        settings.driver = device->driver;
        settings.audioOutput = device->name;
    }
    if (otherDevice) {
        filling_ = true;
        fillRates(device);
        filling_ = false;
    }
    readRateAndBuffer();
}

void AudioSection::readRateAndBuffer() {
    host::HostSettings& settings = host_.settings();
    settings.sampleRate = activeNumber(rate_, settings.sampleRate);
    settings.bufferFrames = activeNumber(buffer_, settings.bufferFrames);
}

bool AudioSection::differsFromRunning() const {
    const host::HostSettings& settings = host_.settings();
    const host::AudioStream* audio = host_.audio();
    const bool running = audio && audio->isRunning();
    if (running != settings.audioEnabled) return true;
    if (!running) return false;
    const host::HostSettings& now = audio->running();
    return now.driver != settings.driver || now.audioOutput != settings.audioOutput ||
           now.sampleRate != settings.sampleRate || now.bufferFrames != settings.bufferFrames;
}

void AudioSection::apply() {
    host_.openAudio();
    showState();
}

void AudioSection::showState() {
    const host::HostSettings& settings = host_.settings();
    const host::AudioStream* audio = host_.audio();
    std::string text;
    if (audio && audio->isRunning())
        text = "Running at " + std::to_string(audio->running().sampleRate) + " Hz, " +
               std::to_string(audio->running().bufferFrames) + " frames a buffer.";
    else if (settings.audioEnabled && settings.audioFailed == settings.audioOutput)
        text = host::Host::audioFailedText(settings.audioOutput);
    else if (!settings.audioEnabled)
        text = "The editor needs no audio device; the pedal is reached over MIDI alone.";
    gtk_label_set_text(GTK_LABEL(state_), text.c_str());
}

}  // namespace vornix::app
