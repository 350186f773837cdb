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
    int param;
    const char* picture = KnobPicture;
};

constexpr float TopRow = 189.f;
constexpr float DriveX = 769.5f, LowX = 913.5f, MidX = 1058.f, HighX = 1203.f, PresenceX = 1348.f;
constexpr float CompX = 986.5f, BlendX = 1130.5f, LowerRow = 347.5f;

constexpr FaceplateKnob Knobs[] = {
    // DRIVE / PREAMP
    {DriveX, TopRow, group::KnobsA, param::Drive},
    {DriveX, TopRow, group::KnobsB, param::Gain},
    // LOW / FILTER
    {LowX, TopRow, group::KnobsA, param::Low},
    {LowX, TopRow, group::KnobsB, param::AutoFilterLevel},
    // MID / FREQ: the mid filter or the punch filter
    {MidX, TopRow, group::MidKnobsA, param::Mid},
    {MidX, TopRow, group::PunchKnobsA, param::Punch},
    {MidX, TopRow, group::MidKnobsB, param::MidShift},
    {MidX, TopRow, group::PunchKnobsB, param::PunchFreq},
    // HIGH / Q
    {HighX, TopRow, group::KnobsA, param::High},
    {HighX, TopRow, group::MidKnobsB, param::MidQ},
    {HighX, TopRow, group::PunchKnobsB, param::PunchQ},
    // PRESENCE / AMBIANCE
    {PresenceX, TopRow, group::KnobsA, param::Crunch},
    {PresenceX, TopRow, group::KnobsB, param::Reverb},
    // COMP / RATIO
    {CompX, LowerRow, group::KnobsA, param::Dynamics},
    {CompX, LowerRow, group::KnobsB, param::CompressorRatio},
    // BLEND / CHORUS
    {BlendX, LowerRow, group::KnobsA, param::BlendLevel},
    {BlendX, LowerRow, group::KnobsB, param::ChorusLevel},
    // LEVEL, the same on both layers
    {769.5f, 347.f, group::Faceplate, param::Level, BigKnobPicture},
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
