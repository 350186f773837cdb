// The About page: the picture with the editor's version, closed by a click
// anywhere once the press has shown.
#include <string>

#include "controls/controls.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/pages/secondary_pages.hpp"
#include "ui/registry.hpp"

namespace vornix::ui {

using namespace igraphics;

namespace {

constexpr const char* Picture = "about.png";
constexpr IRECT Window{0, 0, 1920, 1200};
// Centred where the picture leaves room for it (1275-1375), but wide enough
// for the whole text at this size: narrower, its ends were cut off.
constexpr IRECT VersionBounds{1225, 310, 1425, 360};
constexpr float VersionSize = 45.f;

}  // namespace

void attachAboutPage(IGraphics& g) {
    const char* group = group::About;
    g.attach(std::make_unique<IBitmapControl>(0.f, 0.f, g.bitmapResource(Picture)), kNoTag, group);
    g.attach(std::make_unique<ITextControl>(VersionBounds, "v" + std::string(EditorVersion),
                                            IText(VersionSize, COLOR_WHITE, RegularFont)),
             kNoTag, group);
    attachButton(
        g, Window, "", invisibleButtonStyle(), group, [&g] { g.hideGroup(group::About); },
        tag::AboutClose);
}

}  // namespace vornix::ui
