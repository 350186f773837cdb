#include "ui/pages/faceplate_switches.hpp"

#include "controls/controls.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

namespace {

constexpr const char* SavePicture = "save.png";
constexpr const char* FootswitchPicture = "fswitch.png";
constexpr const char* LampPicture = "led.png";
// Up and down, stacked.
constexpr int SwitchFrames = 2;

// A switch placed by the top-left corner of its picture.
struct FaceplateSwitch {
    float x;
    float y;
    ControlTag tag;
    FaceSwitch which;
    const char* picture = FootswitchPicture;
};

constexpr FaceplateSwitch Switches[] = {
    {.x = 869.f,
     .y = 314.f,
     .tag = tag::SaveSwitch,
     .which = FaceSwitch::Save,
     .picture = SavePicture},
    {.x = 1459.f, .y = 322.f, .tag = tag::LayerSwitch, .which = FaceSwitch::LayerB},
    {.x = 733.f, .y = 510.f, .tag = tag::LeftFootswitch, .which = FaceSwitch::Down},
    {.x = 1100.f, .y = 510.f, .tag = tag::CentreFootswitch, .which = FaceSwitch::Centre},
    {.x = 1460.f, .y = 510.f, .tag = tag::RightFootswitch, .which = FaceSwitch::Up},
};

constexpr float LampX = 1170.f, LampY = 256.f;

}  // namespace

void attachFaceplateSwitches(igraphics::IGraphics& g, const FaceSwitchAction& action) {
    for (const FaceplateSwitch& s : Switches) {
        // The button shows frame 1 while its value is 1, from press to release.
        auto onChange = [action, which = s.which](igraphics::IControl* button) {
            if (action) action(which, button->getValue() > 0.5);
        };
        g.attach(std::make_unique<igraphics::IBButtonControl>(
                     s.x, s.y, g.bitmapResource(s.picture, SwitchFrames), onChange),
                 s.tag, group::Faceplate);
    }
    // The lamp only shows; the clicks go through it to the panel.
    auto& lamp = g.attach(
        std::make_unique<igraphics::IBitmapControl>(LampX, LampY, g.bitmapResource(LampPicture)),
        tag::LayerLamp, group::LayerLamp);
    lamp.setIgnoreMouse(true);
    lamp.hide(true);
}

}  // namespace vornix::ui
