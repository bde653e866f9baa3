// The SDL backend draws the same pixels as the headless one, enlarged by its scale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/gfx/canvas.h"
#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"
#include "platform/ui/sdl_backend.h"
#include "platform/ui/window.h"

namespace kes::ui::test {
namespace {

// A small scene: a form, an outlined box with text, a shaped child.
class Box : public Window {
public:
    using Window::Window;

protected:
    void OnPaint(gfx::Canvas& c, gfx::Rect) override {
        const gfx::Size s = ClientSize();
        c.set_pen(gfx::kBlack);
        c.set_brush(gfx::Color::from_rgb(200, 220, 255));
        c.round_rect({0, 0, s.width, s.height}, 6, 6);
        c.draw_text("工资 Pay", {0, 0, s.width, s.height}, gfx::kTextCenter | gfx::kTextVCenter | gfx::kTextSingleLine);
    }
};

struct Scene {
    explicit Scene(Desktop& d) {
        WindowDesc f;
        f.rect = {0, 0, 160, 90};
        form = std::make_unique<Window>(d, f);
        WindowDesc b;
        b.parent = form->hwnd();
        b.rect = {10, 10, 100, 30};
        b.transparent = true;
        box = std::make_unique<Box>(d, b);
        WindowDesc s;
        s.parent = form->hwnd();
        s.rect = {120, 50, 30, 30};
        s.background = 0x000000FF;
        shaped = std::make_unique<Window>(d, s);
        d.SetWindowRgn(shaped->hwnd(), gfx::Region::rounded_rect(0, 0, 31, 31, 30, 30));
    }
    std::unique_ptr<Window> form, box, shaped;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value, 1);
    }
    ~ScopedEnv() { had_ ? (void)setenv(name_, old_.c_str(), 1) : (void)unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(SdlBackend, WindowShowsTheHeadlessPictureEnlargedByTheScale) {
    ScopedEnv driver("SDL_VIDEODRIVER", "offscreen");
    ScopedEnv scale("KESTRANE_SCALE", "2");

    Desktop headless(std::make_unique<HeadlessBackend>());
    Scene expected_scene(headless);
    const gfx::Surface expected = headless.ComposedPicture(expected_scene.form->hwnd());

    auto owned = std::make_unique<SdlBackend>();
    SdlBackend* sdl = owned.get();
    ASSERT_TRUE(sdl->Ok()) << sdl->Error();
    ASSERT_EQ(sdl->Scale(), 2);
    Desktop real(std::move(owned));
    Scene scene(real);
    real.DoEvents();
    const gfx::Surface shown = sdl->WindowPixels(real.GetNativeId(scene.form->hwnd()));
    ASSERT_EQ(shown.size(), (gfx::Size{320, 180}));
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != expected.pixel(x / 2, y / 2)) ++differing;
    EXPECT_EQ(differing, 0);
}

TEST(SdlBackend, ScaleFromTheEnvironment) {
    struct Case {
        const char* value;
        int scale;
    };
    const Case cases[] = {{"1", 1}, {"3", 3}, {"8", 8}, {"0", 0}, {"9", 0}, {"2x", 0}, {"", 0}, {"-2", 0}};
    for (const Case& c : cases) {
        ScopedEnv env("KESTRANE_SCALE", c.value);
        EXPECT_EQ(ScaleFromEnvironment(), c.scale) << '"' << c.value << '"';
    }
}

}  // namespace
}  // namespace kes::ui::test
