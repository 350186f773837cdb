#pragma once
// The audio part of the preferences dialog: "No audio device" (the default)
// or an output device of ALSA or JACK with its sample rate and buffer size.
// A choice changes the host's settings; the dialog's Apply and OK open it.
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "host/host.hpp"

namespace vornix::app {

class AudioSection {
  public:
    explicit AudioSection(host::Host& host);
    AudioSection(const AudioSection&) = delete;
    AudioSection& operator=(const AudioSection&) = delete;

    GtkWidget* widget() const { return frame_; }
    // Opens the chosen device (or closes the stream) and says how it went.
    void apply();
    // The stream does not run with what is chosen now.
    bool differsFromRunning() const;

  private:
    void deviceChosen();
    void fillRates(const host::AudioDevice* device);
    void readRateAndBuffer();
    void showState();

    host::Host& host_;
    std::vector<host::AudioDevice> devices_;
    GtkWidget* frame_ = nullptr;
    GtkWidget* device_ = nullptr;
    GtkWidget* rate_ = nullptr;
    GtkWidget* buffer_ = nullptr;
    GtkWidget* state_ = nullptr;
    bool filling_ = false;
};

// "default (ALSA)", "system (JACK)".
std::string audioDeviceLabel(const host::AudioDevice& device);

}  // namespace vornix::app
