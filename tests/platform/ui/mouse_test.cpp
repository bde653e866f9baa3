// Mouse routing: capture, leave notifications, double clicks, the wheel, pointer shapes.
#include <gtest/gtest.h>

#include "fixture.h"

namespace kes::ui::test {
namespace {

class Mouse : public DesktopTest {
protected:
    void SetUp() override {
        top = Make(0, {100, 100, 300, 200});
        button = Make(top, {10, 10, 80, 30});
        inner = Make(button, {60, 0, 20, 30});
        desk->DoEvents();
        log.clear();
    }
    void Go(gfx::Point screen) {
        hb->MouseMoveTo(screen);
        desk->DoEvents();
    }
    Hwnd top, button, inner;
    bool waiting = false;
};

TEST_F(Mouse, CaptureKeepsMessagesComingOutsideTheWindow) {
    Go({120, 120});
    desk->SetCapture(button);
    Go({50, 60});  // far outside, even outside the top-level window
    hb->MouseUp(kLeftButton);
    desk->DoEvents();
    const auto moves = Only(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1].hwnd, button);
    EXPECT_EQ(XFromLParam(moves[1].l), -60) << "client coordinates go negative outside";
    EXPECT_EQ(YFromLParam(moves[1].l), -50);
    EXPECT_EQ(TargetsOf(WM_LBUTTONUP), (std::vector<Hwnd>{button}));

    const Hwnd other = Make(top, {200, 10, 50, 50});
    desk->SetCapture(other);
    EXPECT_EQ(TargetsOf(WM_CAPTURECHANGED), (std::vector<Hwnd>{button})) << "the loser is told";
    desk->ReleaseCapture();
    log.clear();
    Go({150, 250});
    EXPECT_EQ(TargetsOf(WM_MOUSEMOVE), (std::vector<Hwnd>{top})) << "after release the window under the pointer";
}

TEST_F(Mouse, OneLeaveNotificationPerExit) {
    // As the widgets do: ask for a leave on the first move after entering.
    const WindowProc old = desk->SetWindowProc(button, nullptr);
    desk->SetWindowProc(button, [this, old](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_MOUSEMOVE && !waiting) waiting = desk->TrackMouseLeave(h);
        if (m == WM_MOUSELEAVE) waiting = false;
        return Desktop::CallWindowProc(old, h, m, w, l);
    });
    struct Step {
        gfx::Point to;
        std::size_t leaves_so_far;
    };
    const Step steps[] = {
        {{115, 115}, 0}, {{120, 118}, 0}, {{125, 120}, 0},  // moving about inside: no leave
        {{250, 250}, 1},                                   // out: one leave
        {{260, 250}, 1}, {{270, 250}, 1},                  // further out: no more
        {{115, 115}, 1},                                   // back in: asks again
        {{175, 115}, 2},                                   // onto its child: that is leaving too
        {{50, 50}, 2},                                     // from the child off the top-level window
    };
    for (const Step& s : steps) {
        Go(s.to);
        EXPECT_EQ(TargetsOf(WM_MOUSELEAVE).size(), s.leaves_so_far) << s.to.x << "," << s.to.y;
    }
    EXPECT_EQ(TargetsOf(WM_MOUSELEAVE), (std::vector<Hwnd>{button, button}));
}

TEST_F(Mouse, LeaveWhenTheWindowGoesAwayUnderAStillPointer) {
    Go({115, 115});
    ASSERT_TRUE(desk->TrackMouseLeave(button));
    desk->ShowWindow(button, false);
    desk->DoEvents();
    EXPECT_EQ(TargetsOf(WM_MOUSELEAVE), (std::vector<Hwnd>{button}));
    EXPECT_FALSE(desk->TrackMouseLeave(999)) << "no such window";
}

TEST_F(Mouse, LeaveHandlerMayDestroyTheWindowThePointerMovesOnto) {
    const Hwnd popup = Make(top, {150, 10, 40, 40});
    desk->SetWindowProc(button, [this, popup](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_MOUSELEAVE) desk->DestroyWindow(popup);
        return desk->DefWindowProc(h, m, w, l);
    });
    Go({115, 115});
    desk->TrackMouseLeave(button);
    // A press that is the first news of the pointer being over the popup.
    BackendEvent press;
    press.kind = EventKind::MouseDown;
    press.screen_pos = {260, 120};
    press.button = press.buttons = kLeftButton;
    hb->Push(press);
    desk->DoEvents();
    EXPECT_FALSE(desk->IsWindow(popup));
    EXPECT_EQ(TargetsOf(WM_LBUTTONDOWN), (std::vector<Hwnd>{top})) << "the press goes to what is there now";
}

TEST_F(Mouse, DoubleClicksByTimeAndPlace) {
    struct Case {
        const char* what;
        std::int64_t delay_ms;
        gfx::Point second;
        Message expected;
    };
    const Case cases[] = {
        {"quick and still", 100, {120, 120}, WM_LBUTTONDBLCLK},
        {"at the limit", 500, {120, 120}, WM_LBUTTONDBLCLK},
        {"too slow", 501, {120, 120}, WM_LBUTTONDOWN},
        {"within the slop", 100, {122, 118}, WM_LBUTTONDBLCLK},
        {"moved too far", 100, {123, 120}, WM_LBUTTONDOWN},
        {"on another window", 100, {200, 200}, WM_LBUTTONDOWN},
    };
    for (const Case& c : cases) {
        hb->AdvanceClock(10000);  // forget any earlier click
        hb->Click({120, 120});
        desk->DoEvents();
        hb->AdvanceClock(c.delay_ms);
        log.clear();
        hb->Click(c.second);
        desk->DoEvents();
        ASSERT_FALSE(Only(c.expected).empty()) << c.what;
        EXPECT_EQ(Only(c.expected == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN).size(), 0u) << c.what;
    }
}

TEST_F(Mouse, ThirdClickStartsAgainAndWindowsMayRefuseDoubleClicks) {
    for (int i = 0; i < 4; ++i) hb->Click({120, 120});
    desk->DoEvents();
    EXPECT_EQ(Only(WM_LBUTTONDOWN).size(), 2u);
    EXPECT_EQ(Only(WM_LBUTTONDBLCLK).size(), 2u);

    // A press of another button between two left presses breaks the pair.
    hb->AdvanceClock(10000);
    log.clear();
    hb->Click({120, 120});
    hb->Click({120, 120}, kRightButton);
    hb->Click({120, 120});
    desk->DoEvents();
    EXPECT_EQ(Only(WM_LBUTTONDOWN).size(), 2u);
    EXPECT_TRUE(Only(WM_LBUTTONDBLCLK).empty());

    WindowDesc d = Desc({100, 100, 50, 50}, top);
    d.double_clicks = false;
    const Hwnd plain = MakeWith(d);
    log.clear();
    hb->Click({210, 210});
    hb->Click({210, 210});
    desk->DoEvents();
    EXPECT_EQ(TargetsOf(WM_LBUTTONDOWN), (std::vector<Hwnd>{plain, plain}));
}

TEST_F(Mouse, ButtonMessagesCarryKeysAndClientPosition) {
    hb->MouseMoveTo({125, 130});
    hb->KeyDown(VK_SHIFT, kShiftMask);
    hb->MouseDown(kLeftButton);
    hb->MouseMoveTo({126, 131});
    hb->MouseUp(kLeftButton);
    desk->DoEvents();
    const auto down = Only(WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].w, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(down[0].l, MakeLParam(15, 20));
    EXPECT_EQ(Only(WM_MOUSEMOVE).back().w, MK_LBUTTON | MK_SHIFT) << "held while moving";
    EXPECT_EQ(Only(WM_LBUTTONUP)[0].w, MK_SHIFT) << "released: no longer held";
}

TEST_F(Mouse, WheelCarriesSignedDeltaAndClimbsToAParentThatWantsIt) {
    Go({115, 115});
    hb->Wheel(-WHEEL_DELTA);
    hb->Wheel(2 * WHEEL_DELTA);
    desk->DoEvents();
    const auto wheels = Only(WM_MOUSEWHEEL);
    // button's default handling hands each one to top.
    ASSERT_EQ(wheels.size(), 4u);
    EXPECT_EQ(wheels[0].hwnd, button);
    EXPECT_EQ(wheels[1].hwnd, top);
    EXPECT_EQ(WheelDeltaFromWParam(wheels[0].w), -120);
    EXPECT_EQ(WheelDeltaFromWParam(wheels[2].w), 240);
    EXPECT_EQ(XFromLParam(wheels[0].l), 115) << "wheel positions are screen positions";
    EXPECT_EQ(YFromLParam(wheels[0].l), 115);
}

TEST_F(Mouse, PointerShapeFollowsTheWindowUnlessAParentDecides) {
    desk->SetWindowCursor(button, Cursor::Stock(CursorKind::Hand));
    Go({115, 115});
    EXPECT_EQ(hb->PointerShape().kind, CursorKind::Hand);
    Go({250, 250});
    EXPECT_EQ(hb->PointerShape().kind, CursorKind::Arrow);
    desk->SetWindowProc(top, [&](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_SETCURSOR) {
            desk->SetCursor(Cursor::Stock(CursorKind::SizeAll));
            return 1;
        }
        return desk->DefWindowProc(h, m, w, l);
    });
    Go({115, 115});
    EXPECT_EQ(hb->PointerShape().kind, CursorKind::SizeAll);
}

TEST_F(Mouse, CaptionDragMovesTheTopLevelWindow) {
    desk->SetWindowProc(top, [&](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        log.push_back({h, m, w, l});
        if (m == WM_LBUTTONDOWN) return desk->SendMessage(h, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return desk->DefWindowProc(h, m, w, l);
    });
    hb->MouseMoveTo({300, 105});
    hb->MouseDown(kLeftButton);
    hb->MouseMoveTo({310, 125});
    hb->MouseMoveTo({350, 155});
    hb->MouseUp(kLeftButton);
    desk->DoEvents();
    EXPECT_EQ(desk->GetWindowRect(top), (gfx::Rect{150, 150, 300, 200}));
    EXPECT_EQ(hb->NativeBounds(desk->GetNativeId(top)), (gfx::Rect{150, 150, 300, 200}));
    EXPECT_EQ(Only(WM_MOVING).size(), 2u);
    EXPECT_EQ(Only(WM_EXITSIZEMOVE).size(), 1u);
    EXPECT_TRUE(Only(WM_LBUTTONUP).empty()) << "the desktop's move took the release";
}

}  // namespace
}  // namespace kes::ui::test
