// Top-level windows and the Window object.
#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/ui/window.h"

namespace kes::ui::test {
namespace {

TEST_F(DesktopTest, CentresOnTheOwnerOrTheWorkAreaAndStaysOnIt) {
    EXPECT_EQ(desk->GetWorkArea(), (gfx::Rect{0, 0, 800, 560}));
    const Hwnd owner = Make(0, {100, 100, 400, 300});
    WindowDesc d = Desc({0, 0, 200, 100});
    d.owner = owner;
    const Hwnd dlg = MakeWith(d);
    desk->CenterWindow(dlg);
    EXPECT_EQ(desk->GetWindowRect(dlg), (gfx::Rect{200, 200, 200, 100}));
    desk->CenterWindow(dlg, true);
    EXPECT_EQ(desk->GetWindowRect(dlg), (gfx::Rect{300, 230, 200, 100}));
    desk->SetWindowRect(owner, {-300, 500, 400, 300});  // mostly off the screen
    desk->CenterWindow(dlg);
    EXPECT_EQ(desk->GetWindowRect(dlg), (gfx::Rect{0, 460, 200, 100})) << "pulled back onto the work area";
}

TEST_F(DesktopTest, MinimizeRestoreTopmostAndCaption) {
    const Hwnd a = Make(0, {0, 0, 200, 200});
    const Hwnd b = Make(0, {100, 100, 200, 200});
    EXPECT_EQ(desk->WindowFromPoint({150, 150}), b) << "the later, active one is in front";
    desk->SetTopmost(a, true);
    EXPECT_EQ(desk->WindowFromPoint({150, 150}), a) << "always on top wins";
    EXPECT_TRUE(hb->NativeTopmost(desk->GetNativeId(a)));
    desk->SetTopmost(a, false);
    desk->SetActiveWindow(b);
    EXPECT_EQ(desk->WindowFromPoint({150, 150}), b);

    desk->MinimizeWindow(b);
    EXPECT_TRUE(hb->NativeMinimized(desk->GetNativeId(b)));
    EXPECT_EQ(desk->WindowFromPoint({150, 150}), a) << "a minimized window takes no pointer";
    EXPECT_EQ(Only(WM_SIZE).back().w, SIZE_MINIMIZED);
    desk->RestoreWindow(b);
    EXPECT_FALSE(desk->IsMinimized(b));
    EXPECT_EQ(desk->GetActiveWindow(), b);

    desk->SetWindowText(a, "工资计算");
    EXPECT_EQ(hb->NativeTitle(desk->GetNativeId(a)), "工资计算");
    desk->ShowWindow(a, false);
    EXPECT_FALSE(hb->NativeVisible(desk->GetNativeId(a)));
}

TEST_F(DesktopTest, DestroyingAnOwnerTakesItsOwnedWindowsAlong) {
    const Hwnd owner = Make(0, {0, 0, 100, 100});
    WindowDesc d = Desc({0, 0, 50, 50});
    d.owner = owner;
    const Hwnd owned = MakeWith(d);
    desk->DestroyWindow(owner);
    EXPECT_FALSE(desk->IsWindow(owned));
    EXPECT_TRUE(desk->GetTopLevelWindows().empty());
}

class Clicker : public Window {
public:
    Clicker(Desktop& d, const WindowDesc& w, std::vector<std::string>& seen) : Window(d, w), seen_(seen) {}
    ~Clicker() override {
        if (hwnd()) desktop().DestroyWindow(hwnd());  // so OnDestroy reaches this class
    }

protected:
    void OnMouseDown(const MouseEvent& e) override { seen_.push_back("down " + std::to_string(e.pos.x)); }
    void OnDoubleClick(const MouseEvent&) override { seen_.push_back("double"); }
    bool OnMouseWheel(const MouseEvent& e) override {
        seen_.push_back("wheel " + std::to_string(e.wheel_delta) + " at " + std::to_string(e.pos.x));
        return true;
    }
    void OnChar(char32_t c, ShiftState) override { seen_.push_back(std::string("char ") + char(c)); }
    bool OnClose() override {
        seen_.push_back("close refused");
        return false;
    }
    void OnDestroy() override { seen_.push_back("destroy"); }

private:
    std::vector<std::string>& seen_;
};

TEST_F(DesktopTest, WindowObjectGetsItsMessagesAsHandlers) {
    std::vector<std::string> seen;
    const Hwnd form = Make(0, {0, 0, 200, 100});
    auto c = std::make_unique<Clicker>(*desk, Desc({10, 10, 50, 50}, form), seen);
    const Hwnd h = c->hwnd();
    EXPECT_EQ(desk->WindowObject(h), c.get());
    c->Focus();
    hb->Click({15, 20});
    hb->Click({15, 20});
    hb->Wheel(-WHEEL_DELTA);
    hb->Type("k");
    desk->DoEvents();
    desk->SendMessage(h, WM_CLOSE);
    EXPECT_TRUE(desk->IsWindow(h));
    c.reset();
    EXPECT_FALSE(desk->IsWindow(h)) << "the object takes its window along";
    EXPECT_EQ(seen, (std::vector<std::string>{"down 5", "double", "wheel -120 at 5", "char k", "close refused",
                                              "destroy"}));
}

TEST_F(DesktopTest, WindowObjectOutlivesItsDestroyedWindow) {
    std::vector<std::string> seen;
    const Hwnd form = Make(0, {0, 0, 200, 100});
    Clicker c(*desk, Desc({10, 10, 50, 50}, form), seen);
    desk->DestroyWindow(form);
    EXPECT_EQ(c.hwnd(), 0u);
    EXPECT_EQ(seen, (std::vector<std::string>{"destroy"}));
    c.Invalidate();  // harmless on a dead window
    EXPECT_FALSE(c.IsVisible());
}

}  // namespace
}  // namespace kes::ui::test
