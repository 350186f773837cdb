#include "app/edit_menu.hpp"

#include <cstdio>

namespace vornix::app {

namespace {

std::string withTitle(const char* verb, const std::string& title) {
    return title.empty() ? verb : std::string(verb) + " " + title;
}

// "Bring Back Unsaved Edit of 05 Smooth Vintage": the number as the readout
// shows it, the name without its padding.
std::string bringBackText(const AbandonedEdit& edit, int patchOffset) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", edit.slot + patchOffset);
    const auto end = edit.name.find_last_not_of(' ');
    const std::string name =
        end == std::string::npos ? std::string() : edit.name.substr(0, end + 1);
    std::string text = "Bring Back Unsaved Edit of " + std::string(number);
    return name.empty() ? text : text + " " + name;
}

}  // namespace

std::vector<EditMenuItem> editMenuItems(const VornixControl& editor) {
    const EditHistory& history = editor.history();
    std::vector<EditMenuItem> items;
    items.push_back(
        {EditAction::Undo, 0, withTitle("Undo", history.undoTitle()), history.canUndo()});
    items.push_back(
        {EditAction::Redo, 0, withTitle("Redo", history.redoTitle()), history.canRedo()});
    const auto& abandoned = history.abandonedEdits();
    if (abandoned.empty())
        items.push_back({EditAction::BringBack, 0, "Bring Back Unsaved Edit", false});
    for (std::size_t i = 0; i < abandoned.size(); ++i)
        items.push_back({EditAction::BringBack, i,
                         bringBackText(abandoned[i], editor.intValue(param::PatchOffset)),
                         history.canBringBack()});
    return items;
}

bool runEditAction(VornixControl& editor, EditAction action, std::size_t which) {
    switch (action) {
        case EditAction::Undo:
            return editor.history().undo();
        case EditAction::Redo:
            return editor.history().redo();
        case EditAction::BringBack:
            return editor.history().bringBack(which);
    }
    return false;
}

}  // namespace vornix::app
