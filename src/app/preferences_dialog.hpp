#pragma once
// File > MIDI Settings... ("Preferences"): the pedal's MIDI input and output
// port, chosen by name or found by "Find the Pedal", and the audio device
// (none unless the user picks one).
#include <gtk/gtk.h>

#include <vector>

#include "host/host.hpp"

namespace vornix::app {

// Runs the dialog modally. A port chosen in a list, or a pedal chosen among
// those found, is opened at once. OK reopens the audio stream when its
// choice differs from the one it runs with and saves the settings; Apply
// reopens it; Cancel puts back the settings the dialog opened with
// (reopening the stream when they changed) and saves nothing, while the ports
// opened meanwhile stay open for this run. `pedals` lists pedals that
// answered a search, for the user to choose from.
void runPreferencesDialog(GtkWindow* parent, host::Host& host,
                          const std::vector<host::FoundPedal>& pedals = {});

}  // namespace vornix::app
