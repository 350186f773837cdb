// The firmware page: its picture, UPDATE FIRMWARE, the link to the maker's
// downloads page and X, and the ring with the percentage that an update fills.
#include "controls/controls.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/pages/secondary_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr const char* Picture = "fwbg.png";
constexpr IRECT UpdateButton{1000, 650, 1200, 715};
// Around the address's centre at 848 and wider than it: a link drawn past
// its bounds kept its old colour there when a click redrew only them.
constexpr IRECT LinkBounds{688, 346, 1008, 376};
constexpr IRECT CloseButton{1508, 310, 1563, 350};
constexpr IRECT RingBounds{1010, 710, 1185, 885};
constexpr IRECT PercentBounds{1010, 705, 1185, 880};

constexpr float UpdateLabelSize = 18.f;
constexpr float CloseLabelSize = 30.f;
constexpr float LinkTextSize = 25.f;
constexpr float PercentTextSize = 50.f;
constexpr IColor LinkHover{255, 116, 116, 116};

}  // namespace

void attachFirmwarePage(IGraphics& g, const FirmwarePageActions& actions) {
    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(Picture)),
             tag::FirmwareBackground, group::FirmwareBackground);

    attachButton(g, UpdateButton, "UPDATE FIRMWARE", settingsButtonStyle(UpdateLabelSize),
                 group::FirmwareUpdate, actions.chooseFile);
    const IText linkStyle(LinkTextSize, COLOR_WHITE, RegularFont);
    g.attach(std::make_unique<IURLControl>(LinkBounds, FirmwareDownloadsText, FirmwareDownloadsUrl,
                                           linkStyle, COLOR_TRANSPARENT, COLOR_WHITE, LinkHover,
                                           LinkHover),
             kNoTag, group::FirmwareUpdate);
    attachButton(g, CloseButton, "X", settingsButtonStyle(CloseLabelSize), group::FirmwareUpdate,
                 actions.close, tag::FirmwareClose);

    g.attach(makeProgressRing(RingBounds, "PERCENT"), tag::FirmwareRing, group::Firmware);
    g.attach(std::make_unique<ITextControl>(PercentBounds, "0 %",
                                            IText(PercentTextSize, COLOR_WHITE, RegularFont)),
             tag::FirmwareText, group::Firmware);
}

}  // namespace vornix::ui
