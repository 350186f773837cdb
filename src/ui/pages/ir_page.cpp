#include "ui/pages/ir_page.hpp"

#include "controls/controls.hpp"
#include "device/preset_record.hpp"
#include "ui/ir_panel.hpp"
#include "ui/page_builder.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr IRECT TitleBounds{400, 664, 800, 734};
constexpr float PictureX = 429, PictureY = 705;
constexpr const char* PagePicture = "irbg.png";

// The strip of position 7 or 8 at the bottom right of the page.
struct UserIrStrip {
    int position;
    IRECT importButton;
    ControlTag importTag;
    IRECT modeSwitch;
    ParamIndex modeParam;
    ControlTag modeTag;
    IRECT gainKnob;
    ParamIndex gainParam;
    ControlTag gainKnobTag;
    IRECT gainText;
    ControlTag gainTextTag;
};

constexpr UserIrStrip Strips[] = {
    {.position = 7,
     .importButton = {984, 1068, 1054, 1106},
     .importTag = tag::Ir7Import,
     .modeSwitch = {740, 1072, 800, 1100},
     .modeParam = param::Ir7Mode,
     .modeTag = tag::Ir7ModeSwitch,
     .gainKnob = {815, 1070, 845, 1100},
     .gainParam = param::Ir7Gain,
     .gainKnobTag = tag::Ir7GainKnob,
     .gainText = {905, 1077, 955, 1127},
     .gainTextTag = tag::Ir7GainText},
    {.position = 8,
     .importButton = {984, 1118, 1054, 1156},
     .importTag = tag::Ir8Import,
     .modeSwitch = {740, 1122, 800, 1150},
     .modeParam = param::Ir8Mode,
     .modeTag = tag::Ir8ModeSwitch,
     .gainKnob = {815, 1120, 845, 1150},
     .gainParam = param::Ir8Gain,
     .gainKnobTag = tag::Ir8GainKnob,
     .gainText = {905, 1127, 955, 1161},
     .gainTextTag = tag::Ir8GainText},
};

constexpr const char* GainKnobPicture = "vector-knob.svg";
constexpr float GainTextSize = 22.f;
constexpr IColor GainTextColour{255, 51, 255, 255};

// The handle travels the track's height less its own.
constexpr IRECT SliderBounds{380, 717, 430, 1149};
constexpr const char* MicPicture = "mic.png";
constexpr const char* MicTrackPicture = "micbg.png";

constexpr float RowLeft = 495, RowRight = 725, RowTop = 713, RowHeight = 43, RowPitch = 50;
constexpr float RowTextSize = 24.f;
constexpr IColor RowColour{255, 100, 255, 255};
constexpr IRECT ListSelect{445, 713, 695, 1163};

ControlTag rowTag(int row) {
    return row == 0 ? tag::FlatResponseRow : tag::cabinetRow(row);
}

void attachStrips(IGraphics& g, const IrPageActions& actions) {
    for (const UserIrStrip& s : Strips) {
        auto& button =
            g.attach(std::make_unique<IVButtonControl>(s.importButton, splashClickActionFunc,
                                                       "IMPORT", smallButtonStyle()),
                     s.importTag, group::ImpulseResponse);
        if (actions.importUserIr)
            button.setEndAction(
                [act = actions.importUserIr, position = s.position](IControl*) { act(position); });
    }
    for (const UserIrStrip& s : Strips)
        g.attach(std::make_unique<IVSlideSwitchControl>(s.modeSwitch, s.modeParam, "MODE",
                                                        switchStyle()),
                 s.modeTag, group::ImpulseResponse);
    for (const UserIrStrip& s : Strips)
        g.attach(std::make_unique<ISVGKnobControl>(s.gainKnob, g.svgResource(GainKnobPicture),
                                                   s.gainParam),
                 s.gainKnobTag, group::ImpulseResponse);
    // A position plays its cabinet until its MODE is switched on.
    for (const UserIrStrip& s : Strips)
        for (ControlTag tag : {s.gainKnobTag, s.importTag})
            if (IControl* control = g.controlWithTag(tag)) control->disable(true);
    const IText gainStyle(GainTextSize, GainTextColour, PageFont, EAlign::Center, EVAlign::Top);
    for (const UserIrStrip& s : Strips)
        g.attach(std::make_unique<ITextControl>(s.gainText, "0.00", gainStyle), s.gainTextTag,
                 group::ImpulseResponse);
}

// Every event of the slider moves the IR position, the slider inverted.
void attachSlider(IGraphics& g) {
    auto& slider = g.attach(
        std::make_unique<IBSliderControl>(SliderBounds, g.bitmapResource(MicPicture),
                                          g.bitmapResource(MicTrackPicture), param::IrSlider),
        tag::IrPositionSlider, group::ImpulseResponse);
    slider.setAction([&g](IControl*) {
        const iplug::IParam* p = g.delegate().getParam(param::IrSlider);
        if (p)
            ir_panel::setParameterFromWindow(g, param::Ir,
                                             ir_panel::positionOfSlider(p->intValue()));
    });
}

// The rows name the flat response and the eight cabinets; a press on one
// picks it (releases, drags and the wheel do nothing).
void attachRows(IGraphics& g) {
    const IText style(RowTextSize, RowColour, "Roboto-Regular", EAlign::Near, EVAlign::Middle);
    for (int row = 0; row < ir_panel::Rows; ++row) {
        const float top = RowTop + RowPitch * static_cast<float>(row);
        g.attach(std::make_unique<ITextControl>(IRECT(RowLeft, top, RowRight, top + RowHeight), "",
                                                style),
                 rowTag(row), group::ImpulseResponse);
    }
    auto& select =
        g.attach(std::make_unique<IInvisibleSelectControl3>(ListSelect, param::IrListSelect),
                 kNoTag, group::ImpulseResponse);
    select.setAction([&g](IControl* control) {
        const auto& list = static_cast<const IInvisibleSelectControl3&>(*control);
        if (list.lastEvent() != ESelectEvent::MouseDown) return;
        const int row = ir_panel::rowUnderPointer(list.getValue() * ir_panel::Rows);
        ir_panel::setParameterFromWindow(g, param::Ir, ir_panel::positionOfRow(row));
    });
}

}  // namespace

void attachIrPage(IGraphics& g, const IrPageActions& actions) {
    g.attach(
        std::make_unique<ITextControl>(TitleBounds, "IMPULSE RESPONSE", textStyle(Style::Title)),
        kNoTag, group::ImpulseResponse);
    g.attach(std::make_unique<IBitmapControl>(PictureX, PictureY, g.bitmapResource(PagePicture)),
             kNoTag, group::ImpulseResponse);
    attachStrips(g, actions);
    attachSlider(g);
    attachRows(g);
}

}  // namespace vornix::ui
