// Timers on the virtual clock, Run, the nested modal loop.
#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/ui/timer.h"

namespace kes::ui::test {
namespace {

TEST_F(DesktopTest, WindowTimersTickAtEveryPeriodOfTheVirtualClock) {
    const Hwnd h = Make(0, {0, 0, 10, 10});
    std::vector<std::int64_t> ticks_a, ticks_b;
    desk->SetWindowProc(h, [&](Hwnd hw, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_TIMER) (w == 1 ? ticks_a : ticks_b).push_back(desk->Now());
        return desk->DefWindowProc(hw, m, w, l);
    });
    desk->SetTimer(h, 1, 10);
    desk->SetTimer(h, 2, 25);
    desk->RunFor(60);
    EXPECT_EQ(ticks_a, (std::vector<std::int64_t>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(ticks_b, (std::vector<std::int64_t>{25, 50}));
    EXPECT_EQ(desk->Now(), 60);

    EXPECT_TRUE(desk->KillTimer(h, 2));
    EXPECT_FALSE(desk->KillTimer(h, 2)) << "already stopped";
    desk->SetTimer(h, 1, 30);  // restarting with a new period counts from now
    ticks_a.clear();
    desk->RunFor(65);
    EXPECT_EQ(ticks_a, (std::vector<std::int64_t>{90, 120}));
    EXPECT_FALSE(desk->SetTimer(999, 1, 10));
}

TEST_F(DesktopTest, LateTimerTicksOnceNotForEveryMissedPeriod) {
    const Hwnd h = Make(0, {0, 0, 10, 10});
    desk->SetTimer(h, 7, 10);
    hb->AdvanceClock(95);  // the loop was busy elsewhere
    desk->DoEvents();
    EXPECT_EQ(Only(WM_TIMER).size(), 1u);
    desk->RunFor(10);
    EXPECT_EQ(Only(WM_TIMER).size(), 2u) << "and then on at its period from the late tick";
}

TEST_F(DesktopTest, TimerStoppedFromItsOwnTickAndTimersOfADestroyedWindow) {
    Timer self_stopping(*desk, 10, nullptr);
    int ticks = 0;
    self_stopping.SetOnTick([&] {
        if (++ticks == 3) self_stopping.Stop();
    });
    self_stopping.Start();
    const Hwnd h = Make(0, {0, 0, 10, 10});
    desk->SetTimer(h, 1, 5);
    desk->RunFor(12);
    desk->DestroyWindow(h);
    log.clear();
    desk->RunFor(100);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(self_stopping.IsRunning());
    EXPECT_TRUE(Only(WM_TIMER).empty()) << "a destroyed window's timers die with it";
}

TEST_F(DesktopTest, TimerObjectIntervalChangeRestartsIt) {
    std::vector<std::int64_t> at;
    Timer t(*desk, 10, [&] { at.push_back(desk->Now()); });
    desk->RunFor(30);
    EXPECT_TRUE(at.empty()) << "made stopped";
    t.Start();
    desk->RunFor(15);
    t.SetInterval(20);
    desk->RunFor(45);
    EXPECT_EQ(at, (std::vector<std::int64_t>{40, 65, 85}));
}

TEST(TimerLifetime, TimerThatOutlivesItsDesktopIsStopped) {
    auto desk = std::make_unique<Desktop>(std::make_unique<HeadlessBackend>());
    Timer t(*desk, 10, [] {});
    t.Start();
    desk.reset();
    EXPECT_FALSE(t.IsRunning());
}  // ~Timer must not touch the dead desktop

TEST_F(DesktopTest, RunEndsWhenTheLastTopLevelWindowIsGone) {
    const Hwnd a = Make(0, {0, 0, 10, 10});
    const Hwnd b = Make(0, {20, 0, 10, 10});
    Timer closer(*desk, 50, nullptr);
    closer.SetOnTick([&] { desk->SendMessage(desk->IsWindow(a) ? a : b, WM_CLOSE); });
    closer.Start();
    EXPECT_EQ(desk->Run(), 0);
    EXPECT_FALSE(desk->IsWindow(a));
    EXPECT_FALSE(desk->IsWindow(b));
    EXPECT_EQ(desk->Now(), 100) << "the loop slept until each timer, on the virtual clock";
}

TEST_F(DesktopTest, RunWithNothingLeftToHappenReturnsInsteadOfHanging) {
    Make(0, {0, 0, 10, 10});
    EXPECT_EQ(desk->Run(), -1);
}

TEST_F(DesktopTest, QuitEndsRunWithItsCode) {
    const Hwnd h = Make(0, {0, 0, 10, 10});
    desk->SetWindowProc(h, [&](Hwnd hw, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_USER) desk->Quit(3);
        return desk->DefWindowProc(hw, m, w, l);
    });
    desk->PostMessage(h, WM_USER);
    EXPECT_EQ(desk->Run(), 3);
    EXPECT_TRUE(desk->IsWindow(h));
}

// ---- Modal loop ----------------------------------------------------------------

class Modal : public DesktopTest {
protected:
    void SetUp() override {
        owner = Make(0, {0, 0, 400, 300});
        owner_button = Make(owner, {10, 10, 50, 20});
        WindowDesc d = Desc({100, 100, 200, 100});
        d.owner = owner;
        d.visible = false;
        dialog = MakeWith(d);
        desk->SetTimer(owner, 1, 10);
        desk->DoEvents();
        log.clear();
    }
    Hwnd owner, owner_button, dialog;
};

TEST_F(Modal, OwnerTakesNoInputButKeepsItsTimersAndPainting) {
    int step = 0;
    hb->SetIdleScript([&] { return false; });
    Timer script(*desk, 35, nullptr);
    script.SetOnTick([&] {
        switch (step++) {
            case 0:  // while the dialog is up: press on the owner, ask it to repaint
                hb->Click({20, 20});
                hb->KeyPress('A');
                desk->InvalidateRect(owner_button);
                break;
            default: desk->ShowWindow(dialog, false); break;
        }
    });
    script.Start();
    EXPECT_TRUE(desk->ShowModal(dialog));
    EXPECT_EQ(desk->Now(), 70);
    EXPECT_TRUE(TargetsOf(WM_LBUTTONDOWN).empty()) << "the owner is disabled while the dialog runs";
    EXPECT_EQ(TargetsOf(WM_KEYDOWN), (std::vector<Hwnd>{dialog})) << "keys go to the dialog";
    EXPECT_GE(Only(WM_TIMER).size(), 6u) << "the owner's timer kept running";
    EXPECT_EQ(TargetsOf(WM_PAINT).size(), 1u + 1u) << "the dialog once, then the owner's button";
    EXPECT_EQ(TargetsOf(WM_PAINT).back(), owner_button);
    EXPECT_TRUE(desk->IsEnabled(owner)) << "enabled again afterwards";
    EXPECT_EQ(desk->GetActiveWindow(), owner);
    EXPECT_FALSE(desk->IsModal(dialog));
}

TEST_F(Modal, DestroyingTheDialogEndsTheLoopAndQuitEndsEveryLoop) {
    Timer t(*desk, 20, [&] { desk->DestroyWindow(dialog); });
    t.Start();
    EXPECT_TRUE(desk->ShowModal(dialog));
    t.Stop();

    WindowDesc d = Desc({100, 100, 200, 100});
    d.owner = owner;
    const Hwnd second = MakeWith(d);
    Timer q(*desk, 20, [&] { desk->Quit(9); });
    q.Start();
    EXPECT_FALSE(desk->ShowModal(second)) << "the loop ended without the dialog going";
    EXPECT_EQ(desk->Run(), 9) << "the outer loop sees the quit too";
}

TEST_F(Modal, NestedModalDialogs) {
    WindowDesc d = Desc({150, 150, 100, 50});
    d.owner = dialog;
    d.visible = false;
    const Hwnd inner = MakeWith(d);
    std::vector<std::string> order;
    Timer open_inner(*desk, 10, nullptr);
    open_inner.SetOnTick([&] {
        open_inner.Stop();
        order.push_back("inner opens");
        Timer close_inner(*desk, 10, [&] {
            EXPECT_FALSE(desk->IsEnabled(dialog)) << "the outer dialog waits for the inner one";
            desk->ShowWindow(inner, false);
        });
        close_inner.Start();
        EXPECT_TRUE(desk->ShowModal(inner));
        order.push_back("inner closed");
        EXPECT_TRUE(desk->IsEnabled(dialog));
        EXPECT_FALSE(desk->IsEnabled(owner)) << "still under the outer dialog";
        desk->ShowWindow(dialog, false);
    });
    open_inner.Start();
    EXPECT_TRUE(desk->ShowModal(dialog));
    order.push_back("outer closed");
    EXPECT_EQ(order, (std::vector<std::string>{"inner opens", "inner closed", "outer closed"}));
    EXPECT_TRUE(desk->IsEnabled(owner));
}

}  // namespace
}  // namespace kes::ui::test
