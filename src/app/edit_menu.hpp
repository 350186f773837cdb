#pragma once
// The Edit menu as the window shows it: Undo and Redo naming their step
// ("Undo Drive 26 % → 33 %"), greyed when there is none, and one Bring Back
// item for each edit a recall threw away (the latest three). The GTK menu
// and the script's "edit-menu" read the same list. No GTK here.
#include <cstddef>
#include <string>
#include <vector>

#include "core/vornix_control.hpp"

namespace vornix::app {

enum class EditAction { Undo, Redo, BringBack };

struct EditMenuItem {
    EditAction action = EditAction::Undo;
    std::size_t which = 0;  // the abandoned edit a Bring Back item offers, latest first
    std::string text;
    bool enabled = false;
};

// Undo, Redo, then the Bring Back items (one greyed item when there is none).
std::vector<EditMenuItem> editMenuItems(const VornixControl& editor);
// False when there was nothing to do.
bool runEditAction(VornixControl& editor, EditAction action, std::size_t which = 0);

}  // namespace vornix::app
