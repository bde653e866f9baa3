// Activation between the program and a desktop that keeps a focus of its own
// and answers every raise with focus events, as an X11 window manager does.
#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/ui/timer.h"

namespace kes::ui::test {
namespace {

constexpr std::int64_t kLatency = 10;  // how late the desktop answers a raise

class Activation : public DesktopTest {
protected:
    void SetUp() override { hb->SetDesktopFocus(kLatency); }
    NativeId N(Hwnd top) const { return desk->GetNativeId(top); }
    std::size_t Activations() const { return Only(WM_ACTIVATE).size(); }
};

TEST_F(Activation, TwoWindowsSettleOnTheLastOneShown) {
    const Hwnd first = Make(0, {0, 0, 200, 100});
    const Hwnd second = Make(0, {300, 0, 200, 100});
    desk->RunFor(1000);
    EXPECT_EQ(desk->GetActiveWindow(), second);
    EXPECT_EQ(hb->DesktopFocused(), N(second));
    // Each was raised once when shown; following the desktop's answers raises nothing.
    EXPECT_EQ(hb->RaiseCount(N(first)), 1);
    EXPECT_EQ(hb->RaiseCount(N(second)), 1);
    EXPECT_LT(Activations(), 10u) << "the answers to the two shows, not a stream";
}

TEST_F(Activation, DesktopSwitchNotifiesWithoutRaisingAndGivesTheFocusBack) {
    const Hwnd form = Make(0, {0, 0, 200, 100});
    const Hwnd edit = Make(form, {10, 10, 80, 20});
    desk->SetFocus(edit);
    const Hwnd other = Make(0, {300, 0, 200, 100});
    desk->RunFor(100);
    ASSERT_EQ(desk->GetActiveWindow(), other);
    log.clear();

    hb->FocusByDesktop(N(form));
    desk->RunFor(100);
    EXPECT_EQ(desk->GetActiveWindow(), form);
    EXPECT_EQ(desk->GetFocus(), edit);
    EXPECT_EQ(hb->DesktopFocused(), N(form)) << "nothing took the focus back";
    EXPECT_EQ(hb->RaiseCount(N(form)), 1) << "only its first show raised it";
    EXPECT_EQ(Only(WM_NCACTIVATE),
              (std::vector<Received>{{other, WM_NCACTIVATE, 0, 0}, {form, WM_NCACTIVATE, 1, 0}}));
    ASSERT_EQ(Only(WM_ACTIVATE).size(), 2u);
    EXPECT_EQ(Only(WM_ACTIVATE)[1].w, WParam{WA_ACTIVE});

    // Asked for by the program, the window is raised once and the desktop's answer changes nothing.
    log.clear();
    desk->SetActiveWindow(other);
    desk->RunFor(100);
    EXPECT_EQ(hb->RaiseCount(N(other)), 2);
    EXPECT_EQ(desk->GetActiveWindow(), other);
    EXPECT_EQ(hb->DesktopFocused(), N(other));
    EXPECT_EQ(Activations(), 2u);
}

TEST_F(Activation, OwnerActivatedByTheDesktopHandsItToTheModalWindowOnce) {
    const Hwnd owner = Make(0, {0, 0, 400, 300});
    WindowDesc d = Desc({100, 100, 200, 100});
    d.owner = owner;
    d.visible = false;
    const Hwnd dialog = MakeWith(d);
    desk->RunFor(100);

    int step = 0, raises_after_handoff = 0, raises_after_insisting = 0;
    Hwnd active_after_handoff = 0;
    Timer script(*desk, 50, nullptr);
    script.SetOnTick([&] {
        switch (step++) {
            case 0: hb->FocusByDesktop(N(owner)); break;  // the user switched to the owner
            case 1:
                active_after_handoff = desk->GetActiveWindow();
                raises_after_handoff = hb->RaiseCount(N(dialog));
                hb->FocusByDesktop(N(owner));  // a desktop that insists on the owner
                break;
            case 2:
                raises_after_insisting = hb->RaiseCount(N(dialog));
                hb->Click({20, 20});  // a press on the owner brings the dialog forward again
                break;
            default: desk->ShowWindow(dialog, false); break;
        }
    });
    script.Start();
    const int shown_raises = 1;  // showing the dialog raised it
    EXPECT_TRUE(desk->ShowModal(dialog));
    EXPECT_EQ(active_after_handoff, dialog);
    EXPECT_EQ(raises_after_handoff, shown_raises + 1);
    EXPECT_EQ(raises_after_insisting, shown_raises + 1) << "no second handoff without the user acting";
    EXPECT_EQ(hb->RaiseCount(N(dialog)), shown_raises + 2);
    EXPECT_EQ(desk->GetActiveWindow(), owner) << "the owner is active again once the dialog is gone";
}

}  // namespace
}  // namespace kes::ui::test
