#pragma once
// The question before a setlist is written to the pedal: which slots change
// (old name -> new name), which hold their songs already.
#include <gtk/gtk.h>

#include <string>

#include "library/setlist_writer.hpp"

namespace vornix::app {

// True when the player chose "Write".
bool confirmSetlistWrite(GtkWindow* owner, const std::string& setlist,
                         const library::SetlistPlan& plan);

}  // namespace vornix::app
