#pragma once
// The names of the edit history's steps, as the Edit menu shows them after
// "Undo" and "Redo": the parameter as the window captions it and its value
// before and after in the window's own texts ("Drive 26 % → 33 %"), the
// voicing picked ("Amplifier Model Kestrin"), or "Rename".
#include <span>
#include <string>
#include <string_view>

namespace vornix {

// A parameter of the sound and its values before and after one gesture.
// `sound` holds the values of every preset parameter (a filter band's texts
// depend on its other two); `fallbackName` names a parameter that no page
// captions (the catalogue's name).
std::string valueStepTitle(int index, int before, int after, std::span<const int> sound,
                           std::string_view fallbackName);
std::string ampModelStepTitle(int model);
std::string ambienceTypeStepTitle(int type);
std::string renameStepTitle();
// A step that changed several values without a voicing.
std::string valuesStepTitle();

}  // namespace vornix
