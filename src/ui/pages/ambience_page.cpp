// AMBIENCE: the seven ambience types above level and decay; the delay time
// beside them is a group of its own, shown for the echo types only.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "LEVEL",
     .param = param::Reverb,
     .valueTag = tag::AmbienceLevelText,
     .placeholder = "50.00",
     .unit = "%"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "DECAY",
     .param = param::DecayTime,
     .valueTag = tag::AmbienceDecayText,
     .placeholder = "0.00",
     .unit = "%"},
};

constexpr KnobCell TimeCell[] = {
    {.size = Cell::Large,
     .x = 880,
     .caption = "TIME",
     .param = param::RoomSize,
     .valueTag = tag::AmbienceTimeText,
     .placeholder = "0.00",
     .unit = "ms"},
};

// Tags 79-85: types 0-6.
constexpr PictureButton Types[] = {
    {.tag = tag::ambienceTypeButton(0), .picture = "radio-room.png", .x = 354, .y = 730},
    {.tag = tag::ambienceTypeButton(1), .picture = "radio-hall.png", .x = 517, .y = 730},
    {.tag = tag::ambienceTypeButton(2), .picture = "radio-spring.png", .x = 657, .y = 730},
    {.tag = tag::ambienceTypeButton(3), .picture = "radio-plate.png", .x = 798, .y = 730},
    {.tag = tag::ambienceTypeButton(4), .picture = "radio-chorus.png", .x = 938, .y = 730},
    {.tag = tag::ambienceTypeButton(5), .picture = "radio-echo.png", .x = 354, .y = 765},
    {.tag = tag::ambienceTypeButton(6), .picture = "radio-echoverb.png", .x = 517, .y = 765},
};

}  // namespace

const BlockPage Ambience{
    .group = group::Ambience,
    .frameGroup = group::Ambience,
    .title = "AMBIENCE",
    .cellTop = 850,
    .cells = Cells,
    .buttons = Types,
};

const BlockPage AmbienceTime{
    .group = group::AmbienceTime,
    .frameGroup = group::AmbienceTime,
    .title = nullptr,
    .cellTop = 850,
    .cells = TimeCell,
};

}  // namespace vornix::ui::pages
