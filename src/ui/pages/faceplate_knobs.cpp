#include "ui/pages/faceplate_knobs.hpp"

#include "controls/controls.hpp"
#include "device/preset_record.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

namespace {

constexpr const char* KnobPicture = "knobrotate.png";
constexpr const char* BigKnobPicture = "knobrotatebig.png";

// A knob centred on its point; the picture decides its size.
struct FaceplateKnob {
    float cx;
    float cy;
    const char* group;
    ParamIndex param;
    const char* picture = KnobPicture;
};

constexpr float TopRow = 189.f;
constexpr float DriveX = 769.5f, LowX = 913.5f, MidX = 1058.f, HighX = 1203.f, PresenceX = 1348.f;
constexpr float CompX = 986.5f, BlendX = 1130.5f, LowerRow = 347.5f;

constexpr FaceplateKnob Knobs[] = {
    // DRIVE / PREAMP
    {.cx = DriveX, .cy = TopRow, .group = group::KnobsA, .param = param::Drive},
    {.cx = DriveX, .cy = TopRow, .group = group::KnobsB, .param = param::Gain},
    // LOW / FILTER
    {.cx = LowX, .cy = TopRow, .group = group::KnobsA, .param = param::Low},
    {.cx = LowX, .cy = TopRow, .group = group::KnobsB, .param = param::AutoFilterLevel},
    // MID / FREQ: the mid filter or the punch filter
    {.cx = MidX, .cy = TopRow, .group = group::MidKnobsA, .param = param::Mid},
    {.cx = MidX, .cy = TopRow, .group = group::PunchKnobsA, .param = param::Punch},
    {.cx = MidX, .cy = TopRow, .group = group::MidKnobsB, .param = param::MidShift},
    {.cx = MidX, .cy = TopRow, .group = group::PunchKnobsB, .param = param::PunchFreq},
    // HIGH / Q
    {.cx = HighX, .cy = TopRow, .group = group::KnobsA, .param = param::High},
    {.cx = HighX, .cy = TopRow, .group = group::MidKnobsB, .param = param::MidQ},
    {.cx = HighX, .cy = TopRow, .group = group::PunchKnobsB, .param = param::PunchQ},
    // PRESENCE / AMBIANCE
    {.cx = PresenceX, .cy = TopRow, .group = group::KnobsA, .param = param::Crunch},
    {.cx = PresenceX, .cy = TopRow, .group = group::KnobsB, .param = param::Reverb},
    // COMP / RATIO
    {.cx = CompX, .cy = LowerRow, .group = group::KnobsA, .param = param::Dynamics},
    {.cx = CompX, .cy = LowerRow, .group = group::KnobsB, .param = param::CompressorRatio},
    // BLEND / CHORUS
    {.cx = BlendX, .cy = LowerRow, .group = group::KnobsA, .param = param::BlendLevel},
    {.cx = BlendX, .cy = LowerRow, .group = group::KnobsB, .param = param::ChorusLevel},
    // LEVEL, the same on both layers
    {.cx = 769.5f,
     .cy = 347.f,
     .group = group::Faceplate,
     .param = param::Level,
     .picture = BigKnobPicture},
};

}  // namespace

void attachFaceplateKnobs(igraphics::IGraphics& g) {
    for (const FaceplateKnob& knob : Knobs) {
        const igraphics::IBitmap picture = g.bitmapResource(knob.picture);
        const float w = picture.frameWidth(), h = picture.frameHeight();
        const igraphics::IRECT bounds(knob.cx - w / 2, knob.cy - h / 2, knob.cx + w / 2,
                                      knob.cy + h / 2);
        g.attach(std::make_unique<igraphics::IBKnobRotaterControl>(bounds, picture, knob.param),
                 igraphics::kNoTag, knob.group);
    }
}

}  // namespace vornix::ui
