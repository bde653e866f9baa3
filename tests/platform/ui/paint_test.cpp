// Painting on request, composition of the tree, partial updates, kept pictures and freezing.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "platform/gfx/canvas.h"

namespace kes::ui::test {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF, kRed = 0x000000FF, kBlue = 0x00FF0000, kGreen = 0x0000FF00;

class Paint : public DesktopTest {
protected:
    void SetUp() override {
        top = Colored(0, {50, 50, 120, 80}, kWhite);
        red = Colored(top, {10, 10, 20, 20}, kRed);
        blue = Colored(top, {40, 10, 20, 20}, kBlue);
        desk->SetWindowRgn(blue, gfx::Region::rounded_rect(0, 0, 21, 21, 10, 10));
        // Draws a green line across its top row and nothing else.
        WindowDesc d = Desc({70, 10, 20, 20}, top);
        d.transparent = true;
        label = desk->CreateWindow(d, [this](Hwnd h, Message m, WParam w, LParam l) -> LResult {
            log.push_back({h, m, w, l});
            if (m == WM_PAINT) reinterpret_cast<PaintRequest*>(w)->canvas.fill_rect({0, 0, 20, 1}, gfx::Color::from_bgr(kGreen));
            return desk->DefWindowProc(h, m, w, l);
        });
        clipped = Colored(red, {15, 15, 20, 20}, kGreen);  // sticks out of red; only red's part shows
    }
    Hwnd Colored(Hwnd parent, gfx::Rect r, std::uint32_t color) {
        WindowDesc d = Desc(r, parent);
        d.background = color;
        return MakeWith(d);
    }
    gfx::Color At(int x, int y) { return desk->ComposedPicture(top).pixel(x, y); }
    static gfx::Color C(std::uint32_t bgr) { return gfx::Color::from_bgr(bgr); }
    Hwnd top, red, blue, label, clipped;
};

TEST_F(Paint, ComposesTheTreeClippedByRectanglesAndRegions) {
    struct Case {
        const char* what;
        gfx::Point at;  // top-level pixels
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"parent background", {5, 5}, kWhite},
        {"opaque child", {12, 12}, kRed},
        {"right edge is outside the child", {30, 12}, kWhite},
        {"grandchild inside its parent", {27, 27}, kGreen},
        {"grandchild cut by its parent", {31, 27}, kWhite},
        {"shaped child inside its region", {50, 20}, kBlue},
        {"shaped child's cut corner shows the parent", {40, 10}, kWhite},
        {"transparent child's own drawing", {75, 10}, kGreen},
        {"transparent child leaves the parent showing", {75, 15}, kWhite},
    };
    for (const Case& c : cases) EXPECT_EQ(At(c.at.x, c.at.y), C(c.expected)) << c.what;
    EXPECT_EQ(hb->Presented(desk->GetNativeId(top)).pixel(12, 12), C(kRed)) << "the backend shows the same picture";
    desk->ShowWindow(red, false);
    EXPECT_EQ(At(12, 12), C(kWhite)) << "hidden: its place is painted by the parent again";
}

TEST_F(Paint, OnlyWhatChangedIsRepaintedAndPresented) {
    desk->ComposedPicture(top);
    log.clear();
    desk->InvalidateRect(blue);
    desk->DoEvents();
    EXPECT_EQ(TargetsOf(WM_PAINT), (std::vector<Hwnd>{top, blue}))
        << "the parent only for the region's cut corners, then the child";
    EXPECT_EQ(hb->LastPresentedArea(desk->GetNativeId(top)), (gfx::Rect{40, 10, 20, 20}));

    log.clear();
    desk->InvalidateRect(red, gfx::Rect{0, 0, 5, 5});
    desk->DoEvents();
    EXPECT_EQ(TargetsOf(WM_PAINT), (std::vector<Hwnd>{red})) << "an opaque child covers its parent";

    log.clear();
    desk->DoEvents();
    EXPECT_TRUE(Only(WM_PAINT).empty()) << "nothing invalid, nothing painted";
}

TEST_F(Paint, MovingAWindowRepaintsWhereItWas) {
    desk->ComposedPicture(top);
    desk->SetWindowRect(red, {10, 40, 20, 20});
    EXPECT_EQ(At(12, 12), C(kWhite));
    EXPECT_EQ(At(12, 42), C(kRed));
    EXPECT_TRUE(Only(WM_SIZE).empty()) << "moved only";
    EXPECT_EQ(Only(WM_MOVE).back().l, MakeLParam(10, 40));
}

TEST_F(Paint, PersistentWindowKeepsWhatWasDrawnOutsideAPaintRequest) {
    desk->SetPersistent(red, true);
    desk->DrawOnWindow(red, [](gfx::Canvas& c) { c.fill_rect({0, 0, 3, 3}, gfx::Color::from_bgr(kBlue)); });
    EXPECT_EQ(At(10, 10), C(kBlue));
    log.clear();
    desk->InvalidateRect(top);
    EXPECT_EQ(At(10, 10), C(kBlue)) << "recomposing shows the kept picture again";
    EXPECT_EQ(At(20, 20), C(kRed));
    const std::vector<Hwnd> painted = TargetsOf(WM_PAINT);
    EXPECT_EQ(std::count(painted.begin(), painted.end(), red), 0) << "and asks it for no paint";
    ASSERT_NE(desk->PersistentPicture(red), nullptr);
    EXPECT_EQ(desk->PersistentPicture(red)->pixel(1, 1), C(kBlue));
    EXPECT_EQ(desk->PersistentPicture(blue), nullptr);
}

TEST_F(Paint, FrozenWindowShowsItsOldPictureUntilThawed) {
    desk->ComposedPicture(top);
    desk->SendMessage(red, WM_SETREDRAW, 0);  // as a widget freezes its window
    EXPECT_FALSE(desk->IsRedrawOn(red));
    desk->SetBackground(red, kBlue);
    desk->SetBackground(top, kGreen);
    EXPECT_EQ(At(12, 12), C(kRed)) << "frozen";
    EXPECT_EQ(At(5, 5), C(kGreen)) << "the rest goes on changing";
    desk->SetRedraw(red, true);
    EXPECT_EQ(At(12, 12), C(kBlue));
}

TEST_F(Paint, PaintRequestNamesTheDirtyPartInWindowPixels) {
    desk->ComposedPicture(top);
    log.clear();
    desk->InvalidateRect(red, gfx::Rect{2, 3, 4, 5});
    std::vector<gfx::Rect> dirty;
    desk->SetWindowProc(red, [&](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_PAINT) dirty.push_back(reinterpret_cast<PaintRequest*>(w)->dirty);
        return desk->DefWindowProc(h, m, w, l);
    });
    desk->UpdateWindow(red);
    EXPECT_EQ(dirty, (std::vector<gfx::Rect>{{2, 3, 4, 5}}));
}

}  // namespace
}  // namespace kes::ui::test
