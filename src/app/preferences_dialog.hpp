#pragma once
// "Preferences": the device's MIDI input and output port, chosen by name.
#include <gtk/gtk.h>

#include "host/host.hpp"

namespace vornix::app {

// Runs the dialog modally. A port chosen in a list is opened at once. OK
// reopens the audio stream when the settings differ from those it runs with
// and saves the settings; Apply reopens it; Cancel puts back the settings the
// dialog opened with (reopening the stream when they changed) and saves
// nothing, while the ports opened meanwhile stay open for this run.
void runPreferencesDialog(GtkWindow* parent, host::Host& host);

}  // namespace vornix::app
