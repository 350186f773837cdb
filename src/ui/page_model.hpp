#pragma once
// The plain descriptions a block page is made of. Each page is a constant
// table of these (ui/pages/), and attachBlockPage turns one into controls, so
// a page file reads like the layout it describes. Rows name their fields
// (designated initialisers), and a parameter and a tag are of different
// types: a row that swaps them does not compile.
#include <span>

#include "controls/records.hpp"
#include "device/param_index.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

// The text styles of the block pages.
enum class Style { Title, Caption, Value, Unit, SmallValue, SmallCaption, BigValue };

// A knob with its caption, value text and unit. A large cell is 200 pixels
// wide at x (the value text sits inside the knob's ring); a small cell is 120
// wide and carries its caption below the knob.
enum class Cell { Large, Small };
struct KnobCell {
    Cell size;
    float x;
    const char* caption;
    ParamIndex param;
    ControlTag valueTag;
    const char* placeholder;            // the value text until the parameter first changes
    const char* unit = nullptr;         // nullptr: no unit text
    ControlTag captionTag = tag::None;  // a caption the value display rewrites
    const char* knobLabel = nullptr;    // when the knob's own label differs from the caption
};

// A two-state slide switch with its caption below it.
struct SlideSwitch {
    igraphics::IRECT bounds;
    const char* caption;
    ParamIndex param;
    igraphics::IRECT captionBounds;
};

// A page's single large value (of a parameter edited on the faceplate).
struct BigValue {
    igraphics::IRECT bounds;
    ControlTag tag;
    const char* placeholder;
    const char* caption;
    igraphics::IRECT captionBounds;
};

// A two-frame picture button (unlit above lit) with its top-left corner.
struct PictureButton {
    ControlTag tag;
    const char* picture;
    float x;
    float y;
};

struct BlockPage {
    // The knobs and their value texts; `frameGroup` holds the rest (title,
    // captions, units, switches, the big value). They differ only on the
    // compressor page.
    const char* group;
    const char* frameGroup;
    const char* title;  // nullptr: no title
    ControlTag titleTag = tag::None;
    bool wideTitle = false;
    // The top of the large cells' captions: 850 on the pages with a row of
    // picture buttons, 780 on the others. Their knobs start 40 lower.
    float cellTop = 780.f;
    std::span<const KnobCell> cells{};
    std::span<const SlideSwitch> switches{};
    const BigValue* bigValue = nullptr;
    std::span<const PictureButton> buttons{};
};

}  // namespace vornix::ui
