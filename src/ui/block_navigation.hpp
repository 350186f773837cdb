#pragma once
// Which block page the editor's events bring up. The block panel shows one
// signal-chain block at a time; a page comes up when the user touches one of
// its parameters, never when a preset from the device merely sets them, except
// that a page on show follows a new amplifier model.
namespace vornix::ui {

namespace block {
inline constexpr int None = 0;
inline constexpr int Compressor = 2;
inline constexpr int Ambience = 3;
inline constexpr int ImpulseResponse = 4;
inline constexpr int AnalogSim = 5;
inline constexpr int PunchFilter = 8;
inline constexpr int LowFilter = 10;
inline constexpr int MidFilter = 11;
inline constexpr int HighFilter = 12;
inline constexpr int Amplifier = 13;
inline constexpr int GateAndLevel = 15;
inline constexpr int AutoFilter = 16;
inline constexpr int Chorus = 17;
}  // namespace block

// Models 0 and 3-9 voice their mid band with the mid filter; 1, 2 and the
// unrecognised ones (10-12) with the punch filter.
bool usesMidFilter(int ampModel);

enum class MidBand { Unchanged, Punch, Mid };
struct Reselection {
    int block = block::None;  // None: the page stays as it is
    MidBand band = MidBand::Unchanged;
};
// After a preset from the device was applied: the mid-band page on show
// switches to the band the new model uses; the amplifier page is shown again
// so it reflects the new model.
Reselection afterPresetApplied(int currentBlock, int ampModel);

// The IR of the cabinet selector changed: a user's choice brings the IR page.
int blockForIrChange(int currentBlock, bool byUser);

}  // namespace vornix::ui
