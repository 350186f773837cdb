// A control tag and a parameter index are not interchangeable: wherever the
// window names a control or a parameter, passing the other one (or a bare
// int) must not compile. These checks run when this file is compiled; a
// change that lets a swapped pair through breaks the build of the tests.
#include <memory>
#include <type_traits>

#include "controls/controls.hpp"
#include "device/preset_record.hpp"
#include "ui/block_navigation.hpp"
#include "ui/ir_panel.hpp"
#include "ui/page_model.hpp"
#include "ui/page_presenter.hpp"
#include "ui/pages/page_styles.hpp"
#include "ui/registry.hpp"
#include "ui/value_display.hpp"

namespace vornix::ui {
namespace {

using igraphics::IGraphics;
using igraphics::IRECT;

// Neither type stands for the other, nor does a bare int for either; a tag
// is no number either. A parameter index reads as one, for the wire.
static_assert(!std::is_convertible_v<ParamIndex, ControlTag>);
static_assert(!std::is_constructible_v<ControlTag, ParamIndex>);
static_assert(!std::is_convertible_v<ControlTag, ParamIndex>);
static_assert(!std::is_constructible_v<ParamIndex, ControlTag>);
static_assert(!std::is_convertible_v<int, ControlTag>);
static_assert(!std::is_convertible_v<int, ParamIndex>);
static_assert(!std::is_convertible_v<ControlTag, int>);
static_assert(std::is_convertible_v<ParamIndex, int>);

// A row of a page table with its parameter and its value text swapped.
template <typename Param, typename Tag>
constexpr bool knobCellTakes = requires(Param param, Tag tag) {
    KnobCell{.size = Cell::Large,
             .x = 0,
             .caption = "",
             .param = param,
             .valueTag = tag,
             .placeholder = ""};
};
static_assert(knobCellTakes<ParamIndex, ControlTag>);
static_assert(!knobCellTakes<ControlTag, ParamIndex>);
static_assert(!knobCellTakes<int, int>);

template <typename Param, typename Tag>
constexpr bool valueTextTakes = requires(Param param, Tag tag) {
    ValueText{.param = param, .tag = tag, .text = nullptr};
};
static_assert(valueTextTakes<ParamIndex, ControlTag>);
static_assert(!valueTextTakes<ControlTag, ParamIndex>);

// The toolkit finds and attaches controls by tag only.
template <typename Tag>
constexpr bool contextFindsBy = requires(const IGraphics& g, Tag tag) {
    g.controlWithTag(tag);
};
static_assert(contextFindsBy<ControlTag>);
static_assert(!contextFindsBy<ParamIndex>);
static_assert(!contextFindsBy<int>);

template <typename Tag>
constexpr bool contextAttachesWith = requires(IGraphics& g,
                                              std::unique_ptr<igraphics::IControl> control,
                                              Tag tag) {
    g.attach(std::move(control), tag);
};
static_assert(contextAttachesWith<ControlTag>);
static_assert(!contextAttachesWith<ParamIndex>);
static_assert(!contextAttachesWith<int>);

template <typename Tag>
constexpr bool contextSetsTextOf = requires(IGraphics& g, Tag tag) {
    g.setTextOf(tag, "");
};
static_assert(contextSetsTextOf<ControlTag>);
static_assert(!contextSetsTextOf<ParamIndex>);

// A control binds a parameter, never a tag.
static_assert(std::is_constructible_v<igraphics::IVKnobControl, IRECT, ParamIndex>);
static_assert(!std::is_constructible_v<igraphics::IVKnobControl, IRECT, ControlTag>);

template <typename Tag>
constexpr bool buttonAttachesWith = requires(IGraphics& g, Tag tag) {
    attachButton(g, IRECT(), "", igraphics::IVStyle(), "", nullptr, tag);
};
static_assert(buttonAttachesWith<ControlTag>);
static_assert(!buttonAttachesWith<ParamIndex>);

// The view reads texts by tag; the value display and block navigation look
// parameters up by index.
template <typename Tag>
constexpr bool viewReadsTextOf = requires(const PagePresenter& view, Tag tag) {
    view.text(tag);
};
static_assert(viewReadsTextOf<ControlTag>);
static_assert(!viewReadsTextOf<ParamIndex>);

template <typename Param>
constexpr bool parameterLookups = requires(Param param) {
    valueTextOf(param);
    valueTextTagOf(param);
    keepsReadout(param);
    blockOfParameter(param, false);
    bandOfParameter(param, false);
};
static_assert(parameterLookups<ParamIndex>);
static_assert(!parameterLookups<ControlTag>);
static_assert(!parameterLookups<int>);

template <typename Param>
constexpr bool windowSetsParameter = requires(IGraphics& g, Param param) {
    ir_panel::setParameterFromWindow(g, param, 0.0);
};
static_assert(windowSetsParameter<ParamIndex>);
static_assert(!windowSetsParameter<ControlTag>);

}  // namespace
}  // namespace vornix::ui
