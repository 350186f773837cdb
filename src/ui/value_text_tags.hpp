#pragma once
// Which value text shows a parameter, for reading the window back (the
// script's param command): the plain value texts of value_display and the
// gain, frequency and quality texts of the three filter bands.
namespace vornix::ui {

// The tag of the value text that shows the parameter, or tag::None when it
// shows in none.
int valueTextTagOf(int index);

}  // namespace vornix::ui
