// AMPLIFIER: the ten amplifier models in two rows above pre-amp, drive and presence.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {.size = Cell::Large,
     .x = 380,
     .caption = "PRE-AMP",
     .param = param::Gain,
     .valueTag = tag::PreampText,
     .placeholder = "50.00",
     .unit = "%"},
    {.size = Cell::Large,
     .x = 630,
     .caption = "DRIVE",
     .param = param::Drive,
     .valueTag = tag::DriveText,
     .placeholder = "0.00",
     .unit = "%"},
    {.size = Cell::Large,
     .x = 880,
     .caption = "PRESENCE",
     .param = param::Crunch,
     .valueTag = tag::PresenceText,
     .placeholder = "0.00",
     .unit = "%"},
};

// Tags 86-95: models 0-9.
constexpr PictureButton Models[] = {
    {.tag = tag::ampModelButton(0), .picture = "amp-orvel.png", .x = 354, .y = 730},
    {.tag = tag::ampModelButton(1), .picture = "amp-kestrin.png", .x = 517, .y = 730},
    {.tag = tag::ampModelButton(2), .picture = "amp-palomir.png", .x = 657, .y = 730},
    {.tag = tag::ampModelButton(3), .picture = "amp-tessaly.png", .x = 798, .y = 730},
    {.tag = tag::ampModelButton(4), .picture = "amp-vindro.png", .x = 938, .y = 730},
    {.tag = tag::ampModelButton(5), .picture = "amp-marrock.png", .x = 354, .y = 765},
    {.tag = tag::ampModelButton(6), .picture = "amp-belvane.png", .x = 517, .y = 765},
    {.tag = tag::ampModelButton(7), .picture = "amp-corvash.png", .x = 657, .y = 765},
    {.tag = tag::ampModelButton(8), .picture = "amp-drennic.png", .x = 798, .y = 765},
    {.tag = tag::ampModelButton(9), .picture = "amp-halcyra.png", .x = 938, .y = 765},
};

}  // namespace

const BlockPage Amplifier{
    .group = group::Amplifier,
    .frameGroup = group::Amplifier,
    .title = "AMPLIFIER",
    .cellTop = 850,
    .cells = Cells,
    .buttons = Models,
};

}  // namespace vornix::ui::pages
