#pragma once
// Which block page the editor's events bring up. The block panel shows one
// signal-chain block at a time; a page comes up when the user touches one of
// its parameters (on the faceplate or on a page), never when a preset from the
// device merely sets them, except that a page on show follows a new
// amplifier model.
#include "device/param_index.hpp"

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

// The amplifier models that voice their mid band with the punch filter (1 and
// 2, and 11 and 12, the presets that come close to them); 10 is no model.
bool usesPunchFilter(int ampModel);
inline constexpr int NoAmpModel = 10;
inline constexpr int NoAmbienceType = 7;
// Echo and echo-verb: the types with a delay time.
bool hasDelayTime(int ambienceType);

// The page a change of the parameter brings up, or None. While `punchMode`
// the mid band is the punch filter: Mid itself then brings up nothing, and
// the punch band's parameters only then bring up their page.
int blockOfParameter(ParamIndex index, bool punchMode);

// The filter band whose three texts a parameter change recomputes.
enum class Band { None, Punch, Mid, High };
Band bandOfParameter(ParamIndex index, bool punchMode);

// After a preset from the device was applied: the mid-band page on show
// switches to the band the new model uses; the amplifier page is shown again
// so it reflects the new model. None: the page stays as it is.
int blockAfterPresetApplied(int currentBlock, int ampModel);

// The IR of the cabinet selector changed: a user's choice brings the IR page.
int blockForIrChange(int currentBlock, bool byUser);

}  // namespace vornix::ui
