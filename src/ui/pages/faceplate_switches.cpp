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
    int tag;
    FaceSwitch which;
    const char* picture = FootswitchPicture;
};

constexpr FaceplateSwitch Switches[] = {
    {869.f, 314.f, tag::SaveSwitch, FaceSwitch::Save, SavePicture},
    {1459.f, 322.f, tag::LayerSwitch, FaceSwitch::LayerB},
    {733.f, 510.f, tag::LeftFootswitch, FaceSwitch::Down},
    {1100.f, 510.f, tag::CentreFootswitch, FaceSwitch::Centre},
    {1460.f, 510.f, tag::RightFootswitch, FaceSwitch::Up},
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
    auto* lamp = g.attach(
        std::make_unique<igraphics::IBitmapControl>(LampX, LampY, g.bitmapResource(LampPicture)),
        tag::LayerLamp, group::LayerLamp);
    if (lamp) {
        lamp->setIgnoreMouse(true);
        lamp->hide(true);
    }
}

}  // namespace vornix::ui
