// The window tree, hit-testing, window procedures and the message queue.
#include <gtest/gtest.h>

#include <memory>

#include "fixture.h"

namespace kes::ui::test {
namespace {

class HitTest : public DesktopTest {
public:
    void SetUp() override {
        top = Make(0, {100, 100, 300, 200});
        a = Make(top, {10, 10, 100, 100});
        a1 = Make(a, {0, 0, 50, 50});
        b = Make(top, {50, 50, 100, 100});  // above a where they overlap
        hidden = Make(top, {200, 10, 50, 50}, false);
        disabled = Make(top, {200, 100, 50, 50});
        desk->EnableWindow(disabled, false);
        disabled_child = Make(disabled, {0, 0, 20, 20});
        shaped = Make(top, {260, 10, 30, 30});
        // Only the right half of `shaped` is hit.
        desk->SetWindowRgn(shaped, gfx::Region(gfx::Rect{15, 0, 15, 30}));
    }
    Hwnd top, a, a1, b, hidden, disabled, disabled_child, shaped;
};

TEST_F(HitTest, FindsTheDeepestVisibleEnabledWindowInsideItsRegion) {
    struct Case {
        const char* what;
        gfx::Point screen;
        Hwnd HitTest::*expected;
    };
    const Case cases[] = {
        {"child of a child", {115, 115}, &HitTest::a1},
        {"child outside its grandchild", {165, 115}, &HitTest::a},
        {"upper sibling wins the overlap", {155, 155}, &HitTest::b},
        {"right and bottom edges belong outside", {260, 260}, &HitTest::top},
        {"hidden window passes through", {310, 120}, &HitTest::top},
        {"disabled window and its child pass through", {305, 205}, &HitTest::top},
        {"outside the region passes through", {365, 120}, &HitTest::top},
        {"inside the region hits", {380, 120}, &HitTest::shaped},
    };
    for (const Case& c : cases) EXPECT_EQ(desk->WindowFromPoint(c.screen), this->*c.expected) << c.what;
    EXPECT_EQ(desk->WindowFromPoint({99, 150}), 0u) << "left of the top-level window";
}

TEST_F(HitTest, TopLevelRegionAndDisabledTopLevel) {
    desk->SetWindowRgn(top, gfx::Region::rounded_rect(0, 0, 301, 201, 40, 40));
    EXPECT_EQ(desk->WindowFromPoint({100, 100}), 0u) << "cut-off corner";
    EXPECT_EQ(desk->WindowFromPoint({250, 250}), top);
    desk->EnableWindow(top, false);
    EXPECT_EQ(desk->WindowFromPoint({115, 115}), 0u);
}

TEST_F(HitTest, CoordinatesAndTree) {
    EXPECT_EQ(desk->ClientToScreen(a1, {3, 4}), (gfx::Point{113, 114}));
    EXPECT_EQ(desk->ScreenToClient(b, {150, 150}), (gfx::Point{0, 0}));
    EXPECT_EQ(desk->GetTopLevel(a1), top);
    EXPECT_EQ(desk->GetChildren(top).back(), shaped) << "children are listed bottom first";
    desk->SetZOrder(a, ZOrder::Top);
    EXPECT_EQ(desk->WindowFromPoint({155, 155}), a1) << "a (and its child) raised above b";
    desk->DestroyWindow(a);
    EXPECT_FALSE(desk->IsWindow(a));
    EXPECT_FALSE(desk->IsWindow(a1)) << "children go with their parent";
    EXPECT_EQ(desk->WindowFromPoint({115, 115}), top);
}

TEST_F(DesktopTest, HandlesAreNonZeroAndNeverReused) {
    const Hwnd t = Make(0, {0, 0, 10, 10});
    const Hwnd c = Make(t, {0, 0, 5, 5});
    EXPECT_NE(t, 0u);
    desk->DestroyWindow(c);
    const Hwnd c2 = Make(t, {0, 0, 5, 5});
    EXPECT_NE(c2, c);
    EXPECT_EQ(desk->SendMessage(c, WM_USER), 0) << "a message to a dead handle does nothing";
    EXPECT_EQ(Make(c, {0, 0, 1, 1}), 0u) << "a dead parent makes no window";
}

// ---- Window procedures -------------------------------------------------------

TEST_F(DesktopTest, ReplacedProcedureChainsBeforeAndAfterTheOldOne) {
    const Hwnd h = desk->CreateWindow(Desc({0, 0, 10, 10}), [](Hwnd, Message m, WParam w, LParam) -> LResult {
        return m == WM_USER ? static_cast<LResult>(w) * 10 : 0;
    });
    std::vector<std::string> order;
    auto hook = [&](const char* name) {
        WindowProc prev = desk->SetWindowProc(h, nullptr);
        desk->SetWindowProc(h, [&, name, prev](Hwnd hw, Message m, WParam w, LParam l) -> LResult {
            if (m != WM_USER) return Desktop::CallWindowProc(prev, hw, m, w, l);
            order.push_back(std::string(name) + " before");
            const LResult r = Desktop::CallWindowProc(prev, hw, m, w, l);
            order.push_back(std::string(name) + " after");
            return r + 1;  // an after-phase may change the result
        });
        return prev;
    };
    const WindowProc original = hook("first");
    hook("second");
    EXPECT_EQ(desk->SendMessage(h, WM_USER, 4), 42);
    EXPECT_EQ(order, (std::vector<std::string>{"second before", "first before", "first after", "second after"}));
    desk->SetWindowProc(h, original);
    EXPECT_EQ(desk->SendMessage(h, WM_USER, 4), 40);
}

TEST_F(DesktopTest, ProcedureReplacedDuringItsOwnCallFinishesTheCall) {
    const Hwnd h = desk->CreateWindow(Desc({0, 0, 10, 10}), nullptr);
    int calls_after_replace = 0;
    std::string big(200, 'x');  // captured state that dies with the old procedure
    desk->SetWindowProc(h, [&, big](Hwnd hw, Message m, WParam, LParam) -> LResult {
        if (m != WM_USER) return 0;
        desk->SetWindowProc(hw, [](Hwnd, Message, WParam, LParam) -> LResult { return 7; });
        ++calls_after_replace;
        return static_cast<LResult>(big.size());  // still readable: the running call keeps its procedure
    });
    EXPECT_EQ(desk->SendMessage(h, WM_USER), 200);
    EXPECT_EQ(desk->SendMessage(h, WM_USER), 7);
    EXPECT_EQ(calls_after_replace, 1);
}

TEST_F(DesktopTest, SendsNestInsideTheSameWindowsProcedure) {
    std::vector<int> depth_seen;
    int depth = 0;
    const Hwnd h = desk->CreateWindow(Desc({0, 0, 10, 10}), [&](Hwnd hw, Message m, WParam w, LParam) -> LResult {
        if (m != WM_USER) return 0;
        ++depth;
        depth_seen.push_back(depth);
        const LResult inner = w > 0 ? desk->SendMessage(hw, WM_USER, w - 1) : 0;
        --depth;
        return inner + static_cast<LResult>(w);
    });
    EXPECT_EQ(desk->SendMessage(h, WM_USER, 3), 3 + 2 + 1 + 0);
    EXPECT_EQ(depth_seen, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(DesktopTest, WindowDestroyedInsideItsOwnMessage) {
    const Hwnd top = Make(0, {0, 0, 50, 50});
    const Hwnd h = desk->CreateWindow(Desc({0, 0, 10, 10}, top),
                                      [&](Hwnd hw, Message m, WParam w, LParam l) -> LResult {
                                          if (m == WM_USER) {
                                              desk->DestroyWindow(hw);
                                              return 5;
                                          }
                                          return desk->DefWindowProc(hw, m, w, l);
                                      });
    EXPECT_EQ(desk->SendMessage(h, WM_USER), 5);
    EXPECT_FALSE(desk->IsWindow(h));
}

// A window object freed by its own handler (a form unloaded from its key event) that
// leaves the key to the default handling.
TEST_F(DesktopTest, WindowObjectFreedByItsOwnHandlerIsNotTouchedAgain) {
    struct SelfDeleting : Window {
        using Window::Window;
        std::unique_ptr<SelfDeleting>* holder = nullptr;
        bool OnKeyDown(const KeyEvent&) override {
            holder->reset();
            return false;
        }
        bool OnClose() override {
            holder->reset();
            return true;
        }
    };
    for (Message m : {WM_KEYDOWN, WM_CLOSE}) {
        auto w = std::make_unique<SelfDeleting>(*desk, Desc({10, 10, 50, 50}));
        w->holder = &w;
        const Hwnd h = w->hwnd();
        desk->SendMessage(h, m, m == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
        EXPECT_EQ(w, nullptr);
        EXPECT_FALSE(desk->IsWindow(h));
    }
}

// ---- Posted messages and DoEvents ----------------------------------------------

TEST_F(DesktopTest, PostedMessagesArriveInOrderFromTheLoop) {
    const Hwnd h = Make(0, {0, 0, 10, 10});
    const Hwnd gone = Make(h, {0, 0, 5, 5});
    ASSERT_TRUE(desk->PostMessage(h, WM_USER, 1));
    ASSERT_TRUE(desk->PostMessage(gone, WM_USER, 2));
    ASSERT_TRUE(desk->PostMessage(h, WM_USER + 1, 3, 4));
    desk->DestroyWindow(gone);
    EXPECT_FALSE(desk->PostMessage(gone, WM_USER, 9));
    log.clear();
    EXPECT_TRUE(Only(WM_USER).empty()) << "nothing is delivered before the loop runs";
    desk->DoEvents();
    std::vector<Received> got;
    for (const Received& r : log)
        if (r.msg >= WM_USER) got.push_back(r);
    EXPECT_EQ(got, (std::vector<Received>{{h, WM_USER, 1, 0}, {h, WM_USER + 1, 3, 4}}));
}

TEST_F(DesktopTest, DoEventsRunsWhatWaitsButNotWhatItPostsItself) {
    int runs = 0;
    const Hwnd h = desk->CreateWindow(Desc({0, 0, 10, 10}), [&](Hwnd hw, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_USER) {
            ++runs;
            desk->PostMessage(hw, WM_USER);  // always one more
            return 0;
        }
        return desk->DefWindowProc(hw, m, w, l);
    });
    desk->PostMessage(h, WM_USER);
    const std::int64_t before = desk->Now();
    desk->DoEvents();
    EXPECT_EQ(runs, 1) << "DoEvents must return even when a handler keeps posting";
    desk->DoEvents();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(desk->Now(), before) << "DoEvents never sleeps";
}

TEST_F(DesktopTest, DoEventsDeliversWaitingInputAndPaints) {
    const Hwnd top = Make(0, {0, 0, 100, 100});
    desk->DoEvents();
    log.clear();
    hb->MouseMoveTo({10, 10});
    desk->InvalidateRect(top, gfx::Rect{0, 0, 5, 5});
    desk->DoEvents();
    EXPECT_EQ(Only(WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(Only(WM_PAINT).size(), 1u);
    EXPECT_EQ(hb->LastPresentedArea(desk->GetNativeId(top)), (gfx::Rect{0, 0, 5, 5}));
}

}  // namespace
}  // namespace kes::ui::test
