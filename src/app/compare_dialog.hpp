#pragma once
// Preset > Compare With...: a modal GTK dialog that picks B, a slot (0-127),
// a preset file or a slot of a bank file. It returns the source as the
// command line writes it ("12", "tone.kvp", "backup.kvb:12").
#include <gtk/gtk.h>

#include <optional>
#include <string>

namespace vornix::app {

std::optional<std::string> runCompareWithDialog(GtkWindow* parent);

}  // namespace vornix::app
