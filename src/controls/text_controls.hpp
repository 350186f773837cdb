#pragma once
// Controls that show text (and the panel): plain text, vector label, the
// parameter caption, the link, the editable text and the panel.
#include <string>

#include "controls/icontrol.hpp"

namespace igraphics {

// A filled background and a string; the mouse passes through it.
class ITextControl : public IControl {
  public:
    ITextControl(const IRECT& bounds, std::string text = {}, const IText& style = {},
                 IColor background = COLOR_TRANSPARENT);
    void draw(Painter& p) override;
    // Unchanged text does not mark the control dirty.
    void setText(std::string_view text) override;
    // Changes the text colour.
    void setColor(IColor color) override;
    const std::string& text() const { return text_; }
    const IText& textStyle() const { return style_; }
    IColor background() const { return background_; }

  protected:
    bool cachesDrawing() const override { return true; }

    std::string text_;
    IText style_;
    IColor background_;
};

// Text in a vector style's value text, on its background, with an optional frame.
class IVLabelControl : public ITextControl {
  public:
    IVLabelControl(const IRECT& bounds, std::string text = {},
                   const IVStyle& style = DEFAULT_STYLE);
    void draw(Painter& p) override;

  private:
    IVStyle vstyle_;
};

// The bound parameter's value text; a click offers its listed texts in a
// menu, or a text entry when it has none.
class ICaptionControl : public ITextControl {
  public:
    ICaptionControl(const IRECT& bounds, int paramIdx, const IText& style = {},
                    IColor background = COLOR_TRANSPARENT);
    void draw(Painter& p) override;
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    std::string captionText() const;
};

// A text that opens its address when clicked.
class IURLControl : public ITextControl {
  public:
    IURLControl(const IRECT& bounds, std::string text, std::string url, const IText& style = {},
                IColor background = COLOR_TRANSPARENT, IColor normal = COLOR_BLUE,
                IColor hover = COLOR_ORANGE, IColor clicked = COLOR_GRAY);
    void draw(Painter& p) override;
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
    void onMouseOver(float x, float y, const IMouseMod& mod) override;
    void onMouseOut() override;
    const std::string& url() const { return url_; }

  private:
    std::string url_;
    IColor normal_, hover_, clicked_;
    bool isHovered_ = false;
    bool wasClicked_ = false;
};

// A text the user edits in place; committing shows the new text and runs the action.
class IEditableTextControl : public ITextControl {
  public:
    IEditableTextControl(const IRECT& bounds, std::string text = {}, const IText& style = {});
    // The whole text, drawn smaller when it is wider than the field.
    void draw(Painter& p) override;
    void onMouseDown(float x, float y, const IMouseMod& mod) override;
};

// A filled rectangle that may own children; it takes the clicks that reach
// it, so a panel shown above a page shields the page.
class IPanelControl : public IContainerBase {
  public:
    IPanelControl(const IRECT& bounds, IColor color, bool drawFrame = false,
                  AttachFunc attachFunc = nullptr);
    void draw(Painter& p) override;
    void setColor(IColor color) override;
    IColor color() const { return color_; }

  private:
    IColor color_;
    bool drawFrame_;
};

}  // namespace igraphics
