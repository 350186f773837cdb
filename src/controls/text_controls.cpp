#include "controls/text_controls.hpp"

#include "controls/igraphics.hpp"
#include "controls/text_format.hpp"
#include "framework/iplug/iparam.hpp"

namespace igraphics {

// ---------------------------------------------------------------- ITextControl

ITextControl::ITextControl(const IRECT& bounds, std::string text, const IText& style,
                           IColor background)
    : IControl(bounds), text_(std::move(text)), style_(style), background_(background) {
    setIgnoreMouse(true);
}

// A text longer than its place is cut at its sides: beyond them nothing
// would draw over it again when it changes. Tight boxes keep their glyphs'
// tops and tails.
void ITextControl::draw(Painter& p) {
    p.fillRect(background_, bounds());
    const IRECT& b = bounds();
    p.pushClip(IRECT(b.L, b.T - style_.size, b.R, b.B + style_.size));
    p.drawText(style_, text_, bounds());
    p.popClip();
}

void ITextControl::setText(std::string_view text) {
    if (text_ == text) return;
    text_ = std::string(text);
    markDirty();
}

void ITextControl::setColor(IColor color) {
    if (style_.color == color) return;
    style_.color = color;
    markDirty();
}

// ---------------------------------------------------------------- IVLabelControl

IVLabelControl::IVLabelControl(const IRECT& bounds, std::string text, const IVStyle& style)
    : ITextControl(bounds, std::move(text), style.valueText.withVAlign(EVAlign::Middle),
                   style.color(kBG)),
      vstyle_(style) {}

void IVLabelControl::draw(Painter& p) {
    ITextControl::draw(p);
    if (vstyle_.drawFrame) p.drawRect(vstyle_.color(kFR), bounds(), vstyle_.frameThickness);
}

// ---------------------------------------------------------------- ICaptionControl

ICaptionControl::ICaptionControl(const IRECT& bounds, int paramIdx, const IText& style,
                                 IColor background)
    : ITextControl(bounds, {}, style, background) {
    setParamIdx(paramIdx);
    setIgnoreMouse(false);
}

std::string ICaptionControl::captionText() const {
    const iplug::IParam* p = param();
    return p ? paramDisplayText(*p, getValue()) : text_;
}

void ICaptionControl::draw(Painter& p) {
    p.fillRect(background_, bounds());
    p.drawText(style_, captionText(), bounds());
}

void ICaptionControl::onMouseDown(float, float, const IMouseMod&) {
    const iplug::IParam* p = param();
    IGraphics* ui = getUI();
    if (!p || !ui || isDisabled()) return;
    const auto& texts = p->displayTexts();
    if (texts.empty()) {
        ui->createTextEntry(style_, bounds(), captionText(), [this](const std::string& typed) {
            if (const iplug::IParam* q = param())
                setValueFromUserInput(q->toNormalised(q->constrain(parseNumber(typed))));
        });
        return;
    }
    const double current = p->fromNormalised(getValue());
    PopupMenu menu;
    for (const auto& [value, text] : texts) menu.addItem(text, value == current);
    ui->createPopupMenu(std::move(menu), bounds(), [this](std::optional<int> chosen) {
        const iplug::IParam* q = param();
        if (!chosen || !q) return;
        const auto& listed = q->displayTexts();
        if (*chosen >= static_cast<int>(listed.size())) return;
        setValueFromUserInput(q->toNormalised(listed[static_cast<std::size_t>(*chosen)].first));
    });
}

// ---------------------------------------------------------------- IURLControl

IURLControl::IURLControl(const IRECT& bounds, std::string text, std::string url, const IText& style,
                         IColor background, IColor normal, IColor hover, IColor clicked)
    : ITextControl(bounds, std::move(text), style, background),
      url_(std::move(url)),
      normal_(normal),
      hover_(hover),
      clicked_(clicked) {
    setIgnoreMouse(false);
}

// Within its bounds only: a colour change redraws just them.
void IURLControl::draw(Painter& p) {
    p.fillRect(background_, bounds());
    const IColor c = isHovered_ ? hover_ : wasClicked_ ? clicked_ : normal_;
    p.pushClip(bounds());
    p.drawText(style_.withColor(c), text_, bounds());
    p.popClip();
}

void IURLControl::onMouseDown(float, float, const IMouseMod&) {
    if (getUI()) getUI()->openURL(url_);
    wasClicked_ = true;
    markDirty();
}

void IURLControl::onMouseOver(float, float, const IMouseMod&) {
    if (!isHovered_) markDirty();
    isHovered_ = true;
}

void IURLControl::onMouseOut() {
    if (isHovered_) markDirty();
    isHovered_ = false;
}

// ---------------------------------------------------------------- IEditableTextControl

IEditableTextControl::IEditableTextControl(const IRECT& bounds, std::string text,
                                           const IText& style)
    : ITextControl(bounds, std::move(text), style, COLOR_TRANSPARENT) {
    setIgnoreMouse(false);
}

// A name of 32 wide characters does not fit its field at the field's size;
// cut, its end would be hidden until the entry opened.
void IEditableTextControl::draw(Painter& p) {
    p.fillRect(background_, bounds());
    const float width = p.measureText(style_, text_).W();
    const bool fits = width <= bounds().W();
    p.drawText(fits ? style_ : style_.withSize(style_.size * bounds().W() / width), text_,
               bounds());
}

// A name the device sent is padded with spaces to 32 characters: the entry
// starts without them, else it would be full before the first key.
void IEditableTextControl::onMouseDown(float, float, const IMouseMod&) {
    if (!getUI()) return;
    const std::string_view shown(text_);
    const std::string_view initial = shown.substr(0, shown.find_last_not_of(' ') + 1);
    getUI()->createTextEntry(style_, bounds(), initial, [this](const std::string& typed) {
        setText(typed);
        setDirty(true);
    });
}

// ---------------------------------------------------------------- IPanelControl

IPanelControl::IPanelControl(const IRECT& bounds, IColor color, bool drawFrame,
                             AttachFunc attachFunc)
    : IContainerBase(bounds, kNoParameter, nullptr, std::move(attachFunc)),
      color_(color),
      drawFrame_(drawFrame) {}

void IPanelControl::draw(Painter& p) {
    p.fillRect(color_, bounds());
    if (drawFrame_) p.drawRect(COLOR_BLACK, bounds());
}

void IPanelControl::setColor(IColor color) {
    if (color_ == color) return;
    color_ = color;
    markDirty();
}

}  // namespace igraphics
