// AMPLIFIER: the ten amplifier models in two rows above pre-amp, drive and presence.
#include "device/preset_record.hpp"
#include "ui/pages/block_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui::pages {

namespace {

constexpr KnobCell Cells[] = {
    {Cell::Large, 380, "PRE-AMP", param::Gain, tag::PreampText, "50.00", "%"},
    {Cell::Large, 630, "DRIVE", param::Drive, tag::DriveText, "0.00", "%"},
    {Cell::Large, 880, "PRESENCE", param::Crunch, tag::PresenceText, "0.00", "%"},
};

// Tags 86-95: models 0-9.
constexpr PictureButton Models[] = {
    {tag::AmpModelFirst + 0, "amp-orvel.png", 354, 730},
    {tag::AmpModelFirst + 1, "amp-kestrin.png", 517, 730},
    {tag::AmpModelFirst + 2, "amp-palomir.png", 657, 730},
    {tag::AmpModelFirst + 3, "amp-tessaly.png", 798, 730},
    {tag::AmpModelFirst + 4, "amp-vindro.png", 938, 730},
    {tag::AmpModelFirst + 5, "amp-marrock.png", 354, 765},
    {tag::AmpModelFirst + 6, "amp-belvane.png", 517, 765},
    {tag::AmpModelFirst + 7, "amp-corvash.png", 657, 765},
    {tag::AmpModelFirst + 8, "amp-drennic.png", 798, 765},
    {tag::AmpModelFirst + 9, "amp-halcyra.png", 938, 765},
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
