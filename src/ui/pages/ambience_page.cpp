// AMBIENCE: the seven ambience types above level and decay; the delay time
// beside them is a group of its own, shown for the echo types only.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Large, 380, "LEVEL", param::Reverb, tag::AmbienceLevelText, "50.00", "%"},
    {Cell::Large, 630, "DECAY", param::DecayTime, tag::AmbienceDecayText, "0.00", "%"},
};

constexpr KnobCell TimeCell[] = {
    {Cell::Large, 880, "TIME", param::RoomSize, tag::AmbienceTimeText, "0.00", "ms"},
};

// Tags 79-85: types 0-6.
constexpr PictureButton Types[] = {
    {tag::AmbienceTypeFirst + 0, "radio-room.png", 354, 730},
    {tag::AmbienceTypeFirst + 1, "radio-hall.png", 517, 730},
    {tag::AmbienceTypeFirst + 2, "radio-spring.png", 657, 730},
    {tag::AmbienceTypeFirst + 3, "radio-plate.png", 798, 730},
    {tag::AmbienceTypeFirst + 4, "radio-chorus.png", 938, 730},
    {tag::AmbienceTypeFirst + 5, "radio-echo.png", 354, 765},
    {tag::AmbienceTypeFirst + 6, "radio-echoverb.png", 517, 765},
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
