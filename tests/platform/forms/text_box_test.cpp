// The multi-line read-only text box: wrapping into lines and scrolling by wheel, scroll
// bar and keys, always kept within its lines.
#include <string>

#include "platform/forms/text_box.h"
#include "platform/ui/keys.h"
#include "platform/ui/message.h"
#include "tests/platform/forms/form_fixture.h"

namespace kes::forms::testing {
namespace {

// Twenty numbered lines, CR LF ended, in a box that shows a handful of them.
std::string numbered_lines(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "line " + std::to_string(i) + "\r\n";
    return s;
}

class TextBoxTest : public FormFixture {
protected:
    void SetUp() override {
        Open(R"(Begin Form F
  ClientWidth = 6000
  ClientHeight = 3000
  Begin TextBox Notes
    Left = 150
    Top = 150
    Width = 3000
    Height = 1500
    TabStop = False
    Font = font("宋体", 9, 400, 134)
  End
End
)");
        LoadAndShow();
        box = &Get<TextBox>("Notes");
        box->SetText(numbered_lines(20));
        Settle();
        ASSERT_EQ(box->LineCount(), 20);
        ASSERT_LT(box->VisibleLines(), 20);
    }
    void WheelOver(int notches) {
        backend_->MouseMoveTo(ScreenOf(*box, {20, 20}));
        backend_->Wheel(notches * ui::WHEEL_DELTA);
        Settle();
    }
    void ClickOn(gfx::Rect part) {
        backend_->AdvanceClock(1000);  // never a double click
        backend_->Click(ScreenOf(*box, {part.x + part.width / 2, part.y + part.height / 2}));
        Settle();
    }
    TextBox* box = nullptr;
};

TEST_F(TextBoxTest, TheWheelScrollsThreeLinesANotchWithinTheText) {
    WheelOver(-1);  // towards the user: down the text
    EXPECT_EQ(box->TopLine(), 3);
    WheelOver(-10);
    EXPECT_EQ(box->TopLine(), box->MaxTopLine());
    EXPECT_EQ(box->MaxTopLine(), 20 - box->VisibleLines());
    WheelOver(2);
    EXPECT_EQ(box->TopLine(), box->MaxTopLine() - 6);
    WheelOver(10);
    EXPECT_EQ(box->TopLine(), 0);
    // Parts of a notch add up.
    backend_->Wheel(-ui::WHEEL_DELTA / 2);
    Settle();
    EXPECT_EQ(box->TopLine(), 0);
    backend_->Wheel(-ui::WHEEL_DELTA / 2);
    Settle();
    EXPECT_EQ(box->TopLine(), 3);
}

TEST_F(TextBoxTest, TheScrollBarArrowsAndTrackScroll) {
    ClickOn(box->DownArrowRect());
    EXPECT_EQ(box->TopLine(), 1);
    ClickOn(box->DownArrowRect());
    EXPECT_EQ(box->TopLine(), 2);
    ClickOn(box->UpArrowRect());
    EXPECT_EQ(box->TopLine(), 1);
    // Below the thumb: one page down.
    const gfx::Rect thumb = box->ThumbRect(), down = box->DownArrowRect();
    ASSERT_LT(thumb.bottom(), down.y);
    ClickOn({thumb.x, thumb.bottom(), thumb.width, down.y - thumb.bottom()});
    EXPECT_EQ(box->TopLine(), std::min(1 + box->VisibleLines(), box->MaxTopLine()));
    // Dragging the thumb to the bottom of the track shows the last lines.
    const gfx::Rect t = box->ThumbRect();
    backend_->AdvanceClock(1000);
    backend_->MouseMoveTo(ScreenOf(*box, {t.x + 2, t.y + 2}));
    backend_->MouseDown(ui::kLeftButton);
    backend_->MouseMoveTo(ScreenOf(*box, {t.x + 2, down.y + 40}));
    backend_->MouseUp(ui::kLeftButton);
    Settle();
    EXPECT_EQ(box->TopLine(), box->MaxTopLine());
}

TEST_F(TextBoxTest, HoldingAnArrowRepeats) {
    backend_->MouseMoveTo(ScreenOf(*box, {box->DownArrowRect().x + 3, box->DownArrowRect().y + 3}));
    backend_->MouseDown(ui::kLeftButton);
    Settle();
    EXPECT_EQ(box->TopLine(), 1);
    desktop_->RunFor(400 + 50 * 3 + 10);
    EXPECT_EQ(box->TopLine(), 5);
    backend_->MouseUp(ui::kLeftButton);
    Settle();
    desktop_->RunFor(500);
    EXPECT_EQ(box->TopLine(), 5);
}

TEST_F(TextBoxTest, KeysScrollWhileItHasTheFocus) {
    backend_->Click(ScreenOf(*box, {20, 20}));
    Settle();
    ASSERT_TRUE(box->HasFocus());
    const struct {
        ui::KeyCode key;
        int expected_top;
    } steps[] = {
        {ui::VK_DOWN, 1}, {ui::VK_DOWN, 2}, {ui::VK_UP, 1}, {ui::VK_END, -1}, {ui::VK_HOME, 0},
    };
    for (const auto& s : steps) {
        backend_->KeyPress(s.key);
        Settle();
        EXPECT_EQ(box->TopLine(), s.expected_top < 0 ? box->MaxTopLine() : s.expected_top) << s.key;
    }
    backend_->KeyPress(ui::VK_NEXT);
    Settle();
    EXPECT_EQ(box->TopLine(), box->VisibleLines());
}

TEST_F(TextBoxTest, ScrollingMovesThePictureAndANewTextStartsAtTheTop) {
    const gfx::Surface before = form_->Picture();
    WheelOver(-1);
    const gfx::Surface after = form_->Picture();
    EXPECT_FALSE(before.same_pixels(after));
    // Scrolling back gives the first picture again, pixel for pixel.
    WheelOver(1);
    EXPECT_TRUE(before.same_pixels(form_->Picture()));
    WheelOver(-2);
    box->SetText(numbered_lines(30));
    EXPECT_EQ(box->TopLine(), 0);
    EXPECT_EQ(box->LineCount(), 30);
}

TEST_F(TextBoxTest, ATextThatFitsDoesNotScrollAndLongLinesWrap) {
    box->SetText("short\r\n\r\nlast");
    EXPECT_EQ(box->LineCount(), 3);  // the empty line is kept
    EXPECT_EQ(box->MaxTopLine(), 0);
    WheelOver(-3);
    EXPECT_EQ(box->TopLine(), 0);
    // A line wider than the box wraps at its width.
    box->SetText(std::string(60, 'w') + " " + std::string(10, 'v'));
    EXPECT_GE(box->LineCount(), 2);
}

}  // namespace
}  // namespace kes::forms::testing
