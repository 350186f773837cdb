#pragma once
// The texts the window shows for what the editor reports, as pure functions.
#include <string>

namespace vornix::ui {

inline constexpr const char* DeviceNameText = "DEVICE: Quellix Tarmilo Vornix";
inline constexpr const char* ConnectingText = "Connecting to the device...";

// "VERSION: %.1f"
std::string versionText(double version);
// "SERIAL: %s"
std::string serialText(const std::string& serial);
// "Last backup 12 days ago", or "No backup yet" for -1.
std::string backupAgeText(int days);
// "%02d": the readout's preset number.
std::string readoutText(int displayNumber);
// "%d %%" of the fraction, truncated.
std::string percentText(double fraction);
// "%.0f %%" of the fraction, rounded: an IR arriving from the device.
std::string roundedPercentText(double fraction);

}  // namespace vornix::ui
