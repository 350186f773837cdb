#pragma once
// The small value records every control and page passes around: rectangles
// in logical pixels, colours, mouse modifiers and the text and vector styles.
//
// Sections: IRECT, IColor, IMouseMod, IText, IVStyle.
#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace igraphics {

// ---------------------------------------------------------------- IRECT
struct IRECT {
    float L = 0.f, T = 0.f, R = 0.f, B = 0.f;

    constexpr IRECT() = default;
    constexpr IRECT(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}
    // The rectangle of a given size with its top left corner at (x, y).
    static constexpr IRECT makeXYWH(float x, float y, float w, float h) {
        return {x, y, x + w, y + h};
    }

    constexpr float W() const { return R - L; }
    constexpr float H() const { return B - T; }
    constexpr float MW() const { return (L + R) * 0.5f; }
    constexpr float MH() const { return (T + B) * 0.5f; }
    constexpr bool empty() const { return W() <= 0.f || H() <= 0.f; }
    constexpr bool contains(float x, float y) const { return x >= L && x < R && y >= T && y < B; }
    constexpr bool intersects(const IRECT& o) const {
        return !empty() && !o.empty() && L < o.R && o.L < R && T < o.B && o.T < B;
    }
    constexpr bool operator==(const IRECT&) const = default;

    // Positive grows, negative shrinks, on every side.
    constexpr IRECT padded(float d) const { return {L - d, T - d, R + d, B + d}; }
    constexpr IRECT shrunk(float d) const { return padded(-d); }
    constexpr IRECT translated(float dx, float dy) const {
        return {L + dx, T + dy, R + dx, B + dy};
    }
    // The i-th of n equal horizontal bands, band 0 at the top.
    constexpr IRECT row(int i, int n) const {
        const float h = H() / static_cast<float>(n);
        return {L, T + h * i, R, T + h * (i + 1)};
    }
    // The i-th of n equal vertical bands, band 0 at the left.
    constexpr IRECT column(int i, int n) const {
        const float w = W() / static_cast<float>(n);
        return {L + w * i, T, L + w * (i + 1), B};
    }
    constexpr IRECT fromTop(float h) const { return {L, T, R, T + h}; }
    constexpr IRECT fromBottom(float h) const { return {L, B - h, R, B}; }
    constexpr IRECT reducedFromTop(float h) const { return {L, T + h, R, B}; }
    constexpr IRECT reducedFromBottom(float h) const { return {L, T, R, B - h}; }
    // A w x h rectangle centred inside this one.
    constexpr IRECT centred(float w, float h) const {
        return {MW() - w * 0.5f, MH() - h * 0.5f, MW() + w * 0.5f, MH() + h * 0.5f};
    }
    // The largest centred square.
    constexpr IRECT square() const {
        const float s = std::min(W(), H());
        return centred(s, s);
    }
    constexpr IRECT united(const IRECT& o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        return {std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B)};
    }
    constexpr IRECT intersection(const IRECT& o) const {
        IRECT r{std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B)};
        return r.empty() ? IRECT{} : r;
    }
};

// ---------------------------------------------------------------- IColor
struct IColor {
    int A = 255, R = 0, G = 0, B = 0;

    constexpr IColor() = default;
    constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}
    constexpr bool transparent() const { return A <= 0; }
    constexpr IColor withAlpha(int a) const { return {a, R, G, B}; }
    constexpr bool operator==(const IColor&) const = default;
};

inline constexpr IColor COLOR_TRANSPARENT{0, 0, 0, 0};
inline constexpr IColor COLOR_BLACK{255, 0, 0, 0};
inline constexpr IColor COLOR_WHITE{255, 255, 255, 255};
inline constexpr IColor COLOR_GRAY{255, 127, 127, 127};
inline constexpr IColor COLOR_LIGHT_GRAY{255, 200, 200, 200};
inline constexpr IColor COLOR_MID_GRAY{255, 180, 180, 180};
inline constexpr IColor COLOR_DARK_GRAY{255, 70, 70, 70};
inline constexpr IColor COLOR_RED{255, 255, 0, 0};
inline constexpr IColor COLOR_BLUE{255, 0, 90, 220};
inline constexpr IColor COLOR_ORANGE{255, 255, 127, 0};

// ---------------------------------------------------------------- IMouseMod
// Modifier keys and buttons held during a mouse event.
struct IMouseMod {
    bool L = true;   // left button
    bool R = false;  // right button
    bool S = false;  // Shift
    bool C = false;  // Ctrl
    bool A = false;  // Alt

    // Shift or Ctrl asks for fine adjustment.
    constexpr bool fine() const { return S || C; }
};

// ---------------------------------------------------------------- IText
enum class EAlign { Near = 0, Center = 1, Far = 2 };
enum class EVAlign { Top = 0, Middle = 1, Bottom = 2 };

inline constexpr float kDefaultTextSize = 14.f;

struct IText {
    std::string fontId;  // empty: the context's default font
    float size = kDefaultTextSize;
    IColor color = COLOR_BLACK;
    EAlign align = EAlign::Center;
    EVAlign valign = EVAlign::Middle;
    float angle = 0.f;
    IColor textEntryBGColor = COLOR_WHITE;
    IColor textEntryFGColor = COLOR_BLACK;

    IText() = default;
    IText(float sz, IColor c = COLOR_BLACK, std::string font = {}, EAlign a = EAlign::Center,
          EVAlign va = EVAlign::Middle, float ang = 0.f)
        : fontId(std::move(font)), size(sz), color(c), align(a), valign(va), angle(ang) {}

    IText withSize(float s) const {
        return with([&](IText& t) { t.size = s; });
    }
    IText withColor(IColor c) const {
        return with([&](IText& t) { t.color = c; });
    }
    IText withAlign(EAlign a) const {
        return with([&](IText& t) { t.align = a; });
    }
    IText withVAlign(EVAlign a) const {
        return with([&](IText& t) { t.valign = a; });
    }
    IText withFont(std::string id) const {
        return with([&](IText& t) { t.fontId = id; });
    }
    IText withEntryColors(IColor bg, IColor fg) const {
        return with([&](IText& t) {
            t.textEntryBGColor = bg;
            t.textEntryFGColor = fg;
        });
    }

  private:
    template <typename Fn>
    IText with(Fn fn) const {
        IText copy = *this;
        fn(copy);
        return copy;
    }
};
using TextStyle = IText;

// ---------------------------------------------------------------- IVStyle
// The nine colour roles, in the order the styles list them.
enum EVColor { kBG = 0, kFG, kPR, kFR, kHL, kSH, kX1, kX2, kX3, kNumVColors };

using IVColorSpec = std::array<IColor, kNumVColors>;

inline constexpr IVColorSpec kDefaultVColors{
    COLOR_TRANSPARENT,           // background
    COLOR_MID_GRAY,              // foreground
    COLOR_LIGHT_GRAY,            // pressed
    COLOR_DARK_GRAY,             // frame
    IColor{30, 0, 0, 0},         // highlight
    IColor{60, 0, 0, 0},         // shadow
    COLOR_BLACK,                 // extra 1
    IColor{255, 200, 200, 200},  // extra 2
    IColor{255, 255, 255, 255},  // extra 3
};

enum class EVShape { Rectangle, Ellipse, Triangle, EndsRounded, AllRounded };
enum class EDirection { Vertical, Horizontal };

struct IVStyle {
    bool showLabel = true;
    bool showValue = true;
    bool hideCursor = true;
    bool drawFrame = true;
    bool drawShadows = true;
    bool emboss = false;
    float roundness = 0.f;  // 0-1
    float frameThickness = 1.f;
    float shadowOffset = 3.f;
    float widgetFrac = 1.f;
    float angle = 0.f;
    IVColorSpec colors = kDefaultVColors;
    IText labelText{kDefaultTextSize, COLOR_BLACK, {}, EAlign::Center, EVAlign::Top};
    IText valueText{kDefaultTextSize, COLOR_BLACK, {}, EAlign::Center, EVAlign::Bottom};

    IColor color(EVColor role) const { return colors[role]; }

    IVStyle withShowLabel(bool v) const {
        return with([&](IVStyle& s) { s.showLabel = v; });
    }
    IVStyle withShowValue(bool v) const {
        return with([&](IVStyle& s) { s.showValue = v; });
    }
    IVStyle withHideCursor(bool v) const {
        return with([&](IVStyle& s) { s.hideCursor = v; });
    }
    IVStyle withDrawFrame(bool v) const {
        return with([&](IVStyle& s) { s.drawFrame = v; });
    }
    IVStyle withDrawShadows(bool v) const {
        return with([&](IVStyle& s) { s.drawShadows = v; });
    }
    IVStyle withEmboss(bool v) const {
        return with([&](IVStyle& s) { s.emboss = v; });
    }
    IVStyle withRoundness(float v) const {
        return with([&](IVStyle& s) { s.roundness = std::clamp(v, 0.f, 1.f); });
    }
    IVStyle withFrameThickness(float v) const {
        return with([&](IVStyle& s) { s.frameThickness = v; });
    }
    IVStyle withShadowOffset(float v) const {
        return with([&](IVStyle& s) { s.shadowOffset = v; });
    }
    IVStyle withWidgetFrac(float v) const {
        return with([&](IVStyle& s) { s.widgetFrac = v; });
    }
    IVStyle withAngle(float v) const {
        return with([&](IVStyle& s) { s.angle = v; });
    }
    IVStyle withColor(EVColor role, IColor c) const {
        return with([&](IVStyle& s) { s.colors[role] = c; });
    }
    IVStyle withColors(const IVColorSpec& c) const {
        return with([&](IVStyle& s) { s.colors = c; });
    }
    IVStyle withLabelText(const IText& t) const {
        return with([&](IVStyle& s) { s.labelText = t; });
    }
    IVStyle withValueText(const IText& t) const {
        return with([&](IVStyle& s) { s.valueText = t; });
    }

  private:
    template <typename Fn>
    IVStyle with(Fn fn) const {
        IVStyle copy = *this;
        fn(copy);
        return copy;
    }
};
using VectorStyle = IVStyle;

inline const IVStyle DEFAULT_STYLE{};

}  // namespace igraphics
