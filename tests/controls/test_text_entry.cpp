// The in-window text entry: what it takes, the bell for what it refuses, the
// selection and the clipboard, and a text wider than its field.
#include <gtest/gtest.h>

#include "controls/controls.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

constexpr IRECT Field{20, 120, 260, 144};

struct OpenEntry : Context {
    std::string committed = "-";
    explicit OpenEntry(std::string_view initial = "") {
        ui.createTextEntry(IText(24.f), Field, initial,
                           [this](const std::string& t) { committed = t; });
    }
    const std::string& text() { return ui.textEntry().text(); }
    void type(std::string_view t) { ui.onTextInput(t); }
    void key(EKey k, bool shift = false) { ui.onKey(k, shift); }
};

TEST(TextEntry, TakesThirtyTwoPrintableAsciiCharactersAndRingsForTheRest) {
    struct Case {
        const char* what;
        std::string typed;
        std::string kept;
        int bells;
    };
    const Case cases[] = {
        {"a name", "Round Tone", "Round Tone", 0},
        {"thirty-two", std::string(32, 'x'), std::string(32, 'x'), 0},
        {"thirty-three", std::string(33, 'x'), std::string(32, 'x'), 1},
        {"an accent", "Caf\xC3\xA9", "Caf", 1},
        {"a tab", "a\tb", "ab", 1},
        {"the delete byte", "a\x7F", "a", 1},
        {"every printable", " ~!Az09", " ~!Az09", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenEntry e;
        e.type(c.typed);
        EXPECT_EQ(e.text(), c.kept);
        EXPECT_EQ(e.platform.bells, c.bells);
    }
}

TEST(TextEntry, AFullEntryRingsForEachKeyAndTakesItAfterABackspace) {
    OpenEntry e(std::string(32, 'n'));
    e.type("x");
    e.type("y");
    EXPECT_EQ(e.platform.bells, 2);
    e.key(EKey::Backspace);
    e.type("z");
    EXPECT_EQ(e.text(), std::string(31, 'n') + "z");
    EXPECT_EQ(e.platform.bells, 2);
}

TEST(TextEntry, AnInitialTextLongerThanTheEntryIsCut) {
    OpenEntry e("Tarmilo Vornix Default Preset Name");
    EXPECT_EQ(e.text(), "Tarmilo Vornix Default Preset Na");
    e.key(EKey::Enter);
    EXPECT_EQ(e.committed, "Tarmilo Vornix Default Preset Na");
}

TEST(TextEntry, ShiftSelectsAndTypingReplacesTheSelection) {
    OpenEntry e("Bass Tone");
    e.key(EKey::Home);
    e.key(EKey::Right, true);
    e.key(EKey::Right, true);
    e.key(EKey::Right, true);
    e.key(EKey::Right, true);
    EXPECT_EQ(e.ui.textEntry().selectedText(), "Bass");
    e.type("Lead");
    EXPECT_EQ(e.text(), "Lead Tone");
    EXPECT_FALSE(e.ui.textEntry().hasSelection());
    e.key(EKey::End);
    e.key(EKey::Home, true);
    EXPECT_EQ(e.ui.textEntry().selectedText(), "Lead Tone");
    e.key(EKey::Right);  // an arrow ends the selection at its side
    EXPECT_FALSE(e.ui.textEntry().hasSelection());
    EXPECT_EQ(e.ui.textEntry().caret(), 9u);
}

TEST(TextEntry, CtrlASelectsAllAndDeleteOrBackspaceRemovesIt) {
    for (EKey remove : {EKey::Delete, EKey::Backspace}) {
        OpenEntry e("Old Name");
        e.key(EKey::SelectAll);
        EXPECT_EQ(e.ui.textEntry().selectedText(), "Old Name");
        e.key(remove);
        EXPECT_EQ(e.text(), "");
    }
}

TEST(TextEntry, CutCopyAndPasteGoThroughTheDesktopsClipboard) {
    OpenEntry e("Fat Bass");
    e.key(EKey::Copy);  // nothing selected: the clipboard keeps what it had
    EXPECT_EQ(e.platform.clipboard, "");
    e.key(EKey::Home);
    e.key(EKey::Right, true);
    e.key(EKey::Right, true);
    e.key(EKey::Right, true);
    e.key(EKey::Right, true);
    e.key(EKey::Cut);
    EXPECT_EQ(e.platform.clipboard, "Fat ");
    EXPECT_EQ(e.text(), "Bass");
    e.key(EKey::End);
    e.key(EKey::Paste);
    EXPECT_EQ(e.text(), "BassFat ");
    e.key(EKey::SelectAll);
    e.key(EKey::Copy);
    EXPECT_EQ(e.platform.clipboard, "BassFat ");
    EXPECT_EQ(e.platform.bells, 0);
}

TEST(TextEntry, APasteIsCutToTheRoomLeftWithTheBell) {
    OpenEntry e("Tone ");
    e.platform.clipboard = std::string(40, 'p');
    e.key(EKey::Paste);
    EXPECT_EQ(e.text(), "Tone " + std::string(27, 'p'));
    EXPECT_EQ(e.platform.bells, 1);
}

// The open entry once drew a long text in black past its field's end.
TEST(TextEntry, ALongTextStaysInsideTheFieldAndScrollsWithTheCaret) {
    OpenEntry e;
    e.ui.setBackgroundColor(COLOR_BLACK);
    e.type(std::string(32, 'W'));
    const auto inkLeftOf = [&](float x) {
        Picture picture(e.ui, IRECT(0, 100, 600, 160));
        int ink = 0;
        for (float px = Field.L + 2; px < x; px += 1.f)
            if (picture.at(px, Field.MH()).R < 128) ++ink;
        return ink;
    };
    Picture end(e.ui, IRECT(0, 100, 600, 160));
    for (float x = Field.R + 1; x < 600; x += 1.f)
        ASSERT_EQ(end.at(x, Field.MH()), COLOR_BLACK) << "drawn past the field at " << x;
    // Scrolled to the caret at the end, the first characters are out of view
    // on the left; Home brings them back.
    const int inkAtEnd = inkLeftOf(Field.L + 30);
    e.key(EKey::Home);
    const int inkAtHome = inkLeftOf(Field.L + 30);
    EXPECT_GT(inkAtEnd + inkAtHome, 0);
    EXPECT_NE(inkAtEnd, inkAtHome) << "the text did not scroll";
}

// A name from the device fills its 32 characters with spaces; the entry once
// opened full and refused every key.
TEST(EditableText, TheEntryOpensWithoutTheNamesTrailingSpaces) {
    Context c;
    auto* field = &c.ui.attach(
        std::make_unique<IEditableTextControl>(Field, "Warm Vintage" + std::string(20, ' ')));
    click(c.ui, Field.MW(), Field.MH());
    ASSERT_TRUE(c.ui.textEntry().isOpen());
    EXPECT_EQ(c.ui.textEntry().text(), "Warm Vintage");
    c.ui.onTextInput(" 2");
    c.ui.onKey(EKey::Enter);
    EXPECT_EQ(field->text(), "Warm Vintage 2");
    EXPECT_EQ(c.platform.bells, 0);
}

// A name of 32 wide characters is drawn whole in the closed field, smaller.
TEST(EditableText, AClosedFieldShowsAWideNameWhole) {
    Context c;
    c.ui.setBackgroundColor(COLOR_BLACK);
    c.ui.attach(std::make_unique<IEditableTextControl>(Field, std::string(32, 'W'),
                                                       IText(24.f, COLOR_WHITE, {}, EAlign::Near)));
    Picture picture(c.ui, IRECT(0, 100, 600, 160));
    int lastInk = 0;
    for (int x = 0; x < 600; ++x)
        for (float y = Field.T; y < Field.B; y += 1.f)
            if (picture.at(static_cast<float>(x), y).R > 128) lastInk = x;
    EXPECT_LE(lastInk, Field.R);
    EXPECT_GT(lastInk, Field.R - 12) << "the name fills the field";
}

}  // namespace
}  // namespace igraphics::testing
