#include "ui/page_builder.hpp"

#include "controls/controls.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr IColor Light{255, 204, 204, 204};
constexpr IColor Dim{255, 102, 102, 102};
constexpr IColor KnobColour{255, 51, 255, 255};
constexpr IColor KnobPressed{255, 169, 169, 169};

constexpr IRECT TitleBounds{400, 664, 700, 734};
constexpr IRECT WideTitleBounds{400, 664, 800, 734};

constexpr float LargeCellWidth = 200.f;
constexpr float LargeKnobOffset = 40.f;  // below the caption's top
constexpr float SmallCellWidth = 120.f;
constexpr float SmallKnobTop = 750.f;

constexpr float KnobMinAngle = -135.f;
constexpr float KnobMaxAngle = 135.f;
constexpr double KnobGearing = 4.0;
constexpr float KnobTrackSize = 18.f;

// The separate texts show the knob's label and value.
IVStyle knobStyle() {
    IVStyle style;
    style.showLabel = false;
    style.showValue = false;
    style.colors[kFG] = KnobColour;
    style.colors[kX1] = KnobColour;
    style.colors[kPR] = KnobPressed;
    style.frameThickness = 1.f;
    style.shadowOffset = 3.f;
    style.widgetFrac = 1.f;
    return style;
}

void attachText(IGraphics& g, const IRECT& bounds, const char* text, Style style, ControlTag tag,
                const char* group) {
    g.attach(std::make_unique<ITextControl>(bounds, text, textStyle(style)), tag, group);
}

std::unique_ptr<IVKnobControl> makeKnob(const IRECT& bounds, int param, const char* label,
                                        const IVStyle& style) {
    return std::make_unique<IVKnobControl>(bounds, param, label, style, false, false, KnobMinAngle,
                                           KnobMaxAngle, KnobMinAngle, EDirection::Vertical,
                                           KnobGearing, KnobTrackSize);
}

// The knob's track is a knob of its own underneath, with nothing but the
// track to draw: it never changes, so it is painted from its kept picture,
// and a turn redraws only the value arc and the dial above it.
void attachKnob(IGraphics& g, const IRECT& bounds, const KnobCell& cell, const char* group) {
    const IVStyle style = knobStyle();
    IVColorSpec trackOnly{};
    trackOnly.fill(COLOR_TRANSPARENT);
    trackOnly[kSH] = style.color(kSH);
    g.attach(makeKnob(bounds, kNoParameter, "", style.withColors(trackOnly)), kNoTag, group)
        .setIgnoreMouse(true);
    g.attach(makeKnob(bounds, cell.param, cell.knobLabel ? cell.knobLabel : cell.caption,
                      style.withColor(kSH, COLOR_TRANSPARENT)),
             kNoTag, group);
}

void attachLargeCell(IGraphics& g, const BlockPage& page, const KnobCell& cell) {
    const float x = cell.x, c = page.cellTop, k = page.cellTop + LargeKnobOffset;
    const float right = x + LargeCellWidth;
    attachText(g, {x, c, right, c + 30}, cell.caption, Style::Caption, cell.captionTag,
               page.frameGroup);
    attachKnob(g, {x, k, right, k + 200}, cell, page.group);
    attachText(g, {x, k + 75, right, k + 115}, cell.placeholder, Style::Value, cell.valueTag,
               page.group);
    if (cell.unit)
        attachText(g, {x, k + 150, right, k + 184}, cell.unit, Style::Unit, kNoTag,
                   page.frameGroup);
}

void attachSmallCell(IGraphics& g, const BlockPage& page, const KnobCell& cell) {
    const float x = cell.x, right = x + SmallCellWidth, top = SmallKnobTop;
    attachKnob(g, {x, top, right, top + 120}, cell, page.group);
    attachText(g, {x, top + 45, right, top + 75}, cell.placeholder, Style::SmallValue,
               cell.valueTag, page.group);
    if (cell.unit)
        attachText(g, {x, top + 90, right, top + 120}, cell.unit, Style::Caption, kNoTag,
                   page.frameGroup);
    attachText(g, {x, top + 120, right, top + 150}, cell.caption, Style::SmallCaption,
               cell.captionTag, page.frameGroup);
}

}  // namespace

IVStyle switchStyle() {
    IVStyle style;
    style.showLabel = false;
    style.showValue = false;
    style.roundness = 1.f;
    style.colors[kBG] = IColor{255, 40, 40, 40};
    style.colors[kFG] = KnobColour;
    style.colors[kPR] = KnobPressed;
    style.colors[kFR] = Dim;
    return style;
}

IText textStyle(Style style) {
    struct Look {
        float size;
        IColor colour;
        EAlign align;
    };
    static constexpr Look Looks[] = {
        {44, Light, EAlign::Near},    // title
        {26, Dim, EAlign::Center},    // caption
        {40, Light, EAlign::Center},  // value
        {34, Dim, EAlign::Center},    // unit
        {28, Light, EAlign::Center},  // small value
        {20, Light, EAlign::Center},  // small caption
        {60, Light, EAlign::Center},  // big value
    };
    const Look& look = Looks[static_cast<int>(style)];
    return IText(look.size, look.colour, PageFont, look.align, EVAlign::Top);
}

void attachBlockPage(IGraphics& g, const BlockPage& page, const ButtonAction& buttonAction) {
    if (page.title)
        attachText(g, page.wideTitle ? WideTitleBounds : TitleBounds, page.title, Style::Title,
                   page.titleTag, page.frameGroup);
    for (const KnobCell& cell : page.cells)
        cell.size == Cell::Large ? attachLargeCell(g, page, cell) : attachSmallCell(g, page, cell);
    for (const SlideSwitch& s : page.switches) {
        g.attach(
            std::make_unique<IVSlideSwitchControl>(s.bounds, s.param, s.caption, switchStyle()),
            kNoTag, page.frameGroup);
        attachText(g, s.captionBounds, s.caption, Style::SmallCaption, kNoTag, page.frameGroup);
    }
    if (const BigValue* big = page.bigValue) {
        attachText(g, big->bounds, big->placeholder, Style::BigValue, big->tag, page.frameGroup);
        attachText(g, big->captionBounds, big->caption, Style::SmallCaption, kNoTag,
                   page.frameGroup);
    }
    for (const PictureButton& b : page.buttons) {
        IActionFunction action;
        if (buttonAction) action = [buttonAction](IControl* c) { buttonAction(*c); };
        g.attach(std::make_unique<IBButtonControl>(b.x, b.y, g.bitmapResource(b.picture, 2),
                                                   std::move(action)),
                 b.tag, page.group);
    }
}

}  // namespace vornix::ui
