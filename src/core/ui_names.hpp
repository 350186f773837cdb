#pragma once
// Control tags and group names through which the editor reaches the window.
namespace vornix {

namespace tag {
inline constexpr int Readout = 1;
inline constexpr int ProgressKnob = 57;
inline constexpr int ProgressText = 58;
inline constexpr int LayerIndicator = 64;
inline constexpr int Ir7Name = 74;
inline constexpr int Ir8Name = 75;
inline constexpr int LayerBackground = 103;
inline constexpr int DeviceText = 104;
inline constexpr int PresetName = 148;
inline constexpr int FirmwareText = 149;
inline constexpr int FirmwareKnob = 150;
inline constexpr int DeviceName = 151;
inline constexpr int Version = 152;
inline constexpr int Serial = 153;
}  // namespace tag

namespace group {
inline constexpr const char* Progress = "progresscontrols";
inline constexpr const char* Firmware = "firmwarecontrols";
inline constexpr const char* FirmwareBackground = "fwbgcontrols";
inline constexpr const char* FirmwareUpdate = "fwupdatecontrols";
inline constexpr const char* Main = "maincontrols";
inline constexpr const char* GlobalSettings = "globalsettingscontrols";
inline constexpr const char* About = "aboutcontrols";
inline constexpr const char* Device = "devicecontrols";
// The knob-layer groups, enabled once the device has identified itself.
inline constexpr const char* KnobLayers[] = {"bcontrols",     "bcontrolsa",    "bcontrolsb",
                                             "prebcontrolsa", "prebcontrolsb", "postbcontrolsa",
                                             "postbcontrolsb"};
}  // namespace group

}  // namespace vornix
