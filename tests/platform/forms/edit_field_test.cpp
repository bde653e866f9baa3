// The edit field: typing, caret and selection by keys and mouse, clipboard, read-only,
// the character preview and the change notifications.
#include <string>
#include <vector>

#include "platform/forms/edit_field.h"
#include "platform/forms/events.h"
#include "platform/ui/keys.h"
#include "tests/platform/forms/form_fixture.h"

namespace kes::forms::testing {
namespace {

class EditFieldTest : public FormFixture {
protected:
    void SetUp() override {
        Open(R"(Begin Form F
  ClientWidth = 4500
  ClientHeight = 1500
  Begin EditField Field
    Index = 0
    Left = 150
    Top = 150
    Width = 3000
    Height = 330
    Font = font("Tahoma", 8.25, 400, 0)
  End
  Begin EditField Field
    Index = 1
    Left = 150
    Top = 600
    Width = 3000
    Height = 330
    TabIndex = 1
    Text = "locked text"
    Locked = True
  End
End
)");
        form_->On("Field", kChange, [this](int index) { changes.push_back(index); });
        form_->On("Field", kKeyPress, [this](int index, KeyPressArgs& k) {
            pressed.push_back(k.key_ascii);
            if (index == 0 && preview) preview(k);
        });
        LoadAndShow();
        changes.clear();
        pressed.clear();
        field = &Get<EditField>("Field", 0);
        locked = &Get<EditField>("Field", 1);
        ASSERT_TRUE(field->HasFocus());
    }

    void Type(const std::string& text) {
        backend_->Type(text);
        Settle();
    }
    void Key(ui::KeyCode key, ui::ShiftState shift = 0) {
        backend_->KeyPress(key, shift);
        Settle();
    }
    // Presses the left button at an x inside the field (and releases it unless `hold`).
    void ClickAt(int x, bool hold = false) {
        backend_->MouseMoveTo(ScreenOf(*field, {x, 8}));
        backend_->MouseDown(ui::kLeftButton);
        if (!hold) backend_->MouseUp(ui::kLeftButton);
        Settle();
    }
    // The x of the boundary before character `pos` of the field's text.
    int XBefore(std::size_t pos) const { return field->CaretRect().x - CaretOffset() + Width(pos); }
    int CaretOffset() const { return Width(field->Model().Caret()); }
    int Width(std::size_t pos) const {
        gfx::Font f(field->Font());
        return f.text_width(field->Text().substr(0, pos));
    }

    EditField* field = nullptr;
    EditField* locked = nullptr;
    std::vector<int> changes;
    std::vector<int> pressed;
    std::function<void(KeyPressArgs&)> preview;
};

TEST_F(EditFieldTest, TypingInsertsAtTheCaretAndRaisesOneChangePerCharacter) {
    Type("abc");
    EXPECT_EQ(field->Text(), "abc");
    EXPECT_EQ(changes, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(pressed, (std::vector<int>{'a', 'b', 'c'}));
    Key(ui::VK_LEFT);
    Key(ui::VK_LEFT);
    Type("工");
    EXPECT_EQ(field->Text(), "a工bc");
    EXPECT_EQ(field->SelStart(), 2);
}

TEST_F(EditFieldTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
    Type("12345");
    Key(ui::VK_HOME);
    Key(ui::VK_DELETE);
    EXPECT_EQ(field->Text(), "2345");
    Key(ui::VK_END);
    Key(ui::VK_BACK);
    EXPECT_EQ(field->Text(), "234");
    Key(ui::VK_LEFT, ui::kShiftMask);
    Key(ui::VK_LEFT, ui::kShiftMask);
    EXPECT_EQ(field->SelText(), "34");
    Key(ui::VK_DELETE);
    EXPECT_EQ(field->Text(), "2");
    // At the ends there is nothing to remove: no change.
    changes.clear();
    Key(ui::VK_END);
    Key(ui::VK_DELETE);
    Key(ui::VK_HOME);
    Key(ui::VK_BACK);
    EXPECT_EQ(field->Text(), "2");
    EXPECT_TRUE(changes.empty());
    // Backspace is previewed like a typed character.
    EXPECT_EQ(pressed.back(), 8);
}

TEST_F(EditFieldTest, ShiftWithArrowsHomeAndEndSelects) {
    field->SetText("hello world");
    Key(ui::VK_HOME);
    Key(ui::VK_RIGHT, ui::kShiftMask);
    Key(ui::VK_RIGHT, ui::kShiftMask);
    EXPECT_EQ(field->SelText(), "he");
    Key(ui::VK_END, ui::kShiftMask);
    EXPECT_EQ(field->SelText(), "hello world");
    Key(ui::VK_HOME, ui::kShiftMask);  // the anchor stays at 0
    EXPECT_EQ(field->SelLength(), 0);
    Key(ui::VK_RIGHT, ui::kShiftMask | ui::kCtrlMask);
    EXPECT_EQ(field->SelText(), "hello ");
    // An arrow without Shift collapses the selection to its edge.
    Key(ui::VK_LEFT);
    EXPECT_EQ(field->SelLength(), 0);
    EXPECT_EQ(field->SelStart(), 0);
    // Typing replaces the selection.
    Key('A', ui::kCtrlMask);
    Type("x");
    EXPECT_EQ(field->Text(), "x");
}

TEST_F(EditFieldTest, MouseClickPlacesTheCaretDragAndDoubleClickSelect) {
    field->SetText("alpha beta");
    changes.clear();
    ClickAt(XBefore(2) + 1);
    EXPECT_EQ(field->SelStart(), 2);
    EXPECT_EQ(field->SelLength(), 0);
    // Drag from before 'a' (index 0) to the end.
    ClickAt(XBefore(0) + 1, /*hold=*/true);
    backend_->MouseMoveTo(ScreenOf(*field, {XBefore(5), 8}));
    backend_->MouseUp(ui::kLeftButton);
    Settle();
    EXPECT_EQ(field->SelText(), "alpha");
    // Shift+click extends from the anchor.
    backend_->KeyDown(ui::VK_SHIFT, ui::kShiftMask);
    backend_->MouseMoveTo(ScreenOf(*field, {XBefore(8), 8}));
    backend_->MouseDown(ui::kLeftButton);
    backend_->MouseUp(ui::kLeftButton);
    backend_->KeyUp(ui::VK_SHIFT);
    Settle();
    EXPECT_EQ(field->SelText(), "alpha be");
    // A double click on "beta" selects the word.
    backend_->AdvanceClock(1000);
    backend_->Click(ScreenOf(*field, {XBefore(7), 8}));
    backend_->Click(ScreenOf(*field, {XBefore(7), 8}));
    Settle();
    EXPECT_EQ(field->SelText(), "beta");
    EXPECT_TRUE(changes.empty());
}

// A LostFocus handler that runs the loop (a message dialog) and takes the focus back, as the
// wage field's warning does: the press that set it off is over by the time it returns.
TEST_F(EditFieldTest, APressWhoseFocusChangeRanTheLoopStartsNoDrag) {
    field->SetText("alpha beta");
    bool armed = true;
    form_->On("Field", kLostFocus, [&](int index) {
        if (index != 0 || !armed) return;
        armed = false;
        backend_->MouseUp(ui::kLeftButton);
        desktop_->DoEvents();
        field->SetFocus();
    });
    backend_->MouseMoveTo(ScreenOf(*locked, {20, 8}));
    backend_->MouseDown(ui::kLeftButton);
    Settle();
    EXPECT_TRUE(field->HasFocus());
    EXPECT_EQ(desktop_->GetCapture(), 0u) << "nobody holds the pointer once the button is up";
    EXPECT_EQ(locked->SelLength(), 0);
    // The next click lands where the user clicks.
    ClickAt(XBefore(2) + 1);
    EXPECT_EQ(field->SelStart(), 2);
    EXPECT_EQ(locked->SelLength(), 0);
}

TEST_F(EditFieldTest, CutCopyAndPasteGoThroughTheClipboard) {
    field->SetText("one two");
    changes.clear();
    Key(ui::VK_HOME);
    Key(ui::VK_RIGHT, ui::kShiftMask | ui::kCtrlMask);
    Key('C', ui::kCtrlMask);
    EXPECT_EQ(desktop_->GetClipboardText(), "one ");
    EXPECT_TRUE(changes.empty());
    Key('X', ui::kCtrlMask);
    EXPECT_EQ(field->Text(), "two");
    Key(ui::VK_END);
    Key('V', ui::kCtrlMask);
    EXPECT_EQ(field->Text(), "twoone ");
    EXPECT_EQ(changes.size(), 2u);
    // A pasted text keeps its first line only; Shift+Insert pastes too.
    desktop_->SetClipboardText("9\r\n8");
    Key(ui::VK_INSERT, ui::kShiftMask);
    EXPECT_EQ(field->Text(), "twoone 9");
    // The Ctrl+letter characters do not reach the preview.
    for (int k : pressed) EXPECT_GE(k, 32);
}

TEST_F(EditFieldTest, PastingWithNothingOnTheClipboardKeepsTheSelection) {
    field->SetText("keep me");
    changes.clear();
    desktop_->SetClipboardText("");
    Key('A', ui::kCtrlMask);
    Key('V', ui::kCtrlMask);
    EXPECT_EQ(field->Text(), "keep me");
    EXPECT_TRUE(changes.empty());
}

TEST_F(EditFieldTest, ReadOnlySelectsAndCopiesButNeverChanges) {
    locked->SetFocus();
    Settle();
    ASSERT_TRUE(locked->HasFocus());
    Type("zz");
    Key(ui::VK_BACK);
    Key(ui::VK_HOME);
    Key(ui::VK_DELETE);
    Key(ui::VK_END, ui::kShiftMask);
    Key('X', ui::kCtrlMask);
    Key('V', ui::kCtrlMask);
    EXPECT_EQ(locked->Text(), "locked text");
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(desktop_->GetClipboardText(), "locked text");  // the cut copied
    // The holder still previews the keys typed into it.
    EXPECT_EQ(pressed, (std::vector<int>{'z', 'z', 8}));
    // Code may still set the text, which notifies.
    locked->SetText("new");
    EXPECT_EQ(changes, (std::vector<int>{1}));
}

TEST_F(EditFieldTest, APreviewThatSwallowsChangesNothingAndRaisesNoChange) {
    // Digits only, as the numeric fields filter their keys.
    preview = [](KeyPressArgs& k) {
        if (!((k.key_ascii >= '0' && k.key_ascii <= '9') || k.key_ascii == 8)) k.key_ascii = 0;
    };
    Type("1a2");
    EXPECT_EQ(field->Text(), "12");
    EXPECT_EQ(changes.size(), 2u);
    // A swallowed key over a selection leaves the selection and the text alone.
    Key('A', ui::kCtrlMask);
    changes.clear();
    Type("x");
    EXPECT_EQ(field->Text(), "12");
    EXPECT_EQ(field->SelText(), "12");
    EXPECT_TRUE(changes.empty());
    // A swallowed Backspace deletes nothing.
    preview = [](KeyPressArgs& k) { k.key_ascii = 0; };
    Key(ui::VK_END);
    Key(ui::VK_BACK);
    EXPECT_EQ(field->Text(), "12");
    EXPECT_TRUE(changes.empty());
}

TEST_F(EditFieldTest, APreviewThatReplacesTypesTheReplacement) {
    preview = [](KeyPressArgs& k) {
        if (k.key_ascii == ',') k.key_ascii = '.';
        if (k.key_ascii >= 'a' && k.key_ascii <= 'z') k.key_ascii -= 32;
    };
    Type("1,5x");
    EXPECT_EQ(field->Text(), "1.5X");
    EXPECT_EQ(changes.size(), 4u);
}

TEST_F(EditFieldTest, ChangeFollowsEveryChangeOfTextByCode) {
    field->SetText("12.345");
    EXPECT_EQ(changes.size(), 1u);
    field->SetText("12.345");  // the same text is no change
    EXPECT_EQ(changes.size(), 1u);
    // A Change handler that rewrites the text, as the numeric fields cut decimals: the
    // rewrite notifies again and the second round finds nothing to do.
    form_->On("Field", kChange, [this](int) {
        changes.push_back(0);
        std::string t = field->Text();
        auto dot = t.find('.');
        if (dot != std::string::npos && t.size() - dot > 3) field->SetText(t.substr(0, dot + 3));
    });
    changes.clear();
    Type("6");
    EXPECT_EQ(field->Text(), "12.34");
    EXPECT_EQ(changes.size(), 2u);
    // The caret stays usable at the end after a rewrite.
    Type("");
    EXPECT_EQ(field->SelStart(), 5);
    field->SetSelStart(0);
    field->SetSelLength(2);
    field->SetSelText("9");
    EXPECT_EQ(field->Text(), "9.34");
}

TEST_F(EditFieldTest, TheCaretAndSelectionAreDrawnOnlyWithTheFocus) {
    field->SetText("abc");
    Key('A', ui::kCtrlMask);
    const gfx::Surface focused = form_->Picture();
    const gfx::Rect r = field->Bounds();
    const gfx::Color highlight = gfx::resolve_color(0x8000000Du);
    auto count = [&](const gfx::Surface& s) {
        int n = 0;
        for (int y = r.y; y < r.bottom(); ++y)
            for (int x = r.x; x < r.right(); ++x) n += s.pixel(x, y) == highlight;
        return n;
    };
    EXPECT_GT(count(focused), 0);
    locked->SetFocus();
    Settle();
    EXPECT_EQ(count(form_->Picture()), 0);
}

TEST_F(EditFieldTest, ALongTextScrollsToKeepTheCaretInView) {
    const gfx::Rect inside = field->ClientRect().inflated(-2, -2);
    Type(std::string(80, 'm'));
    EXPECT_TRUE(inside.contains(field->CaretRect().location())) << field->CaretRect().x;
    Key(ui::VK_HOME);
    EXPECT_TRUE(inside.contains(field->CaretRect().location()));
    EXPECT_LE(field->CaretRect().x, 4);
    // A click near the left edge of the scrolled-back field lands on the first characters.
    Key(ui::VK_END);
    Key(ui::VK_HOME);
    ClickAt(4);
    EXPECT_LE(field->SelStart(), 1);
}

TEST_F(EditFieldTest, ItGreysByItsOwnStateOnly) {
    const gfx::Point inside = ScreenOf(*field, {field->ClientRect().width - 5, 4});
    const gfx::Point at = desktop_->ScreenToClient(form_->hwnd(), inside);
    auto back = [&] { return form_->Picture().pixel(at.x, at.y); };
    const gfx::Color white = gfx::resolve_color(0x80000005u);
    EXPECT_EQ(back(), white);
    // The form disabled under a modal dialog: the field takes no input but keeps its look.
    desktop_->EnableWindow(form_->hwnd(), false);
    field->Invalidate();
    EXPECT_EQ(back(), white);
    desktop_->EnableWindow(form_->hwnd(), true);
    field->SetEnabled(false);
    EXPECT_NE(back(), white);
}

TEST_F(EditFieldTest, StoredSettingsRoundTripAndDefaultsAreLeftOut) {
    PropertyBag bag;
    locked->WriteProperties(bag);
    EXPECT_EQ(bag.read_string("Text", ""), "locked text");
    EXPECT_TRUE(bag.read_bool("Locked", false));
    EXPECT_FALSE(bag.contains("MaxLength"));
    EXPECT_FALSE(bag.contains("BorderStyle"));
}

TEST_F(EditFieldTest, MaxLengthLimitsTypingAndPasting) {
    field->SetMaxLength(3);
    Type("12345");
    EXPECT_EQ(field->Text(), "123");
    Key(ui::VK_BACK);
    desktop_->SetClipboardText("abc");
    Key('V', ui::kCtrlMask);
    EXPECT_EQ(field->Text(), "12a");
}

}  // namespace
}  // namespace kes::forms::testing
