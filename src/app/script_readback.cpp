#include "app/script_readback.hpp"

#include <sstream>

#include "app/script_words.hpp"
#include "ui/registry.hpp"
#include "ui/value_display.hpp"

namespace vornix::app {

namespace {

Reading fail(std::string reason) {
    return {false, std::move(reason)};
}

}  // namespace

Reading readTag(ui::WindowContent& window, ui::ControlTag tag) {
    const igraphics::IControl* control = window.graphics().controlWithTag(tag);
    if (!control) return fail("no control has tag " + std::to_string(tag.value()));
    std::ostringstream line;
    line << "tag " << tag.value() << " text=" << script::quoted(window.view().text(tag))
         << " value=" << control->getValue() << " visible=" << !control->isHidden()
         << " enabled=" << !control->isDisabled();
    return {true, line.str()};
}

Reading readParam(ui::WindowContent& window, const VornixControl& editor, ParamIndex index) {
    if (index >= editor.nParams())
        return fail("no parameter " + std::to_string(index) + " (0 to " +
                    std::to_string(editor.nParams() - 1) + ")");
    const ui::ControlTag tag = ui::valueTextTagOf(index);
    const std::string text = tag == ui::tag::None ? std::string() : window.view().text(tag);
    return {true, "param " + std::to_string(index) + " value=" +
                      std::to_string(editor.intValue(index)) + " text=" + script::quoted(text)};
}

Reading readGroup(ui::WindowContent& window, const std::string& name) {
    int shown = 0, hidden = 0, enabled = 0, disabled = 0;
    window.graphics().forGroup(name, [&](igraphics::IControl& control) {
        ++(control.isHidden() ? hidden : shown);
        ++(control.isDisabled() ? disabled : enabled);
    });
    return {true, "group " + name + " shown=" + std::to_string(shown) +
                      " hidden=" + std::to_string(hidden) + " enabled=" + std::to_string(enabled) +
                      " disabled=" + std::to_string(disabled)};
}

}  // namespace vornix::app
