// The basic controls: edit fields (plain, digits only, read-only), labels, a group box,
// a scrolling text box, a picture box, an image and a timer.
#include <memory>
#include <string>

#include "platform/forms/edit_field.h"
#include "platform/forms/events.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer_control.h"
#include "platform/gfx/canvas.h"
#include "tools/kestrane-gallery/page.h"
#include "tools/kestrane-gallery/sample_texts.h"

namespace {

using namespace kes;
using forms::ControlDesign;
using gallery::Placed;

ControlDesign label(const char* name, gfx::Rect r, const char* caption, forms::OleColor fore = 0,
                    bool transparent = true) {
    ControlDesign d = Placed("Label", name, r);
    d.settings.set("Caption", std::string(caption));
    d.settings.set("ForeColor", fore);
    if (transparent) d.settings.set("BackStyle", std::int64_t(0));
    return d;
}

// A picture made in code: a small colour wheel of squares.
std::shared_ptr<gfx::Surface> swatch() {
    auto s = std::make_shared<gfx::Surface>(48, 48, gfx::Color{255, 255, 255}.argb());
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            s->set_pixel(x, y, gfx::Color{std::uint8_t(x * 5), std::uint8_t(y * 5), std::uint8_t(255 - x * 5)});
    return s;
}

gallery::Page Controls() {
    gallery::Page p;
    p.name = "controls";
    p.title = "Controls";
    p.order = 30;
    p.size = {620, 400};
    p.build = [](gallery::PageContext& ctx) {
        forms::Form& form = ctx.form;
        form.SetBackColor(0x00FFFFFF);

        // Edit fields, first in the tab order so typing goes to the first one.
        gallery::AddControl(ctx, label("LabelEdit", {12, 14, 90, 16}, "&Edit field", 0xC00000));
        ControlDesign e1 = Placed("EditField", "Edit1", {110, 10, 200, 22}, 0);
        e1.settings.set("Font", forms::tahoma_font());
        auto* edit = gallery::AddControlAs<forms::EditField>(ctx, e1);
        gallery::AddControl(ctx, label("LabelDigits", {12, 44, 90, 16}, "&Digits only", 0xC00000));
        ControlDesign e2 = Placed("EditField", "EditDigits", {110, 40, 200, 22}, 1);
        e2.settings.set("Font", forms::tahoma_font());
        e2.settings.set("Text", std::string("1200.50"));
        gallery::AddControl(ctx, e2);
        gallery::AddControl(ctx, label("LabelLocked", {12, 74, 90, 16}, "Read-only", 0));
        ControlDesign e3 = Placed("EditField", "EditLocked", {110, 70, 200, 22}, 2);
        e3.settings.set("Locked", true);
        e3.settings.set("Text", std::string("只读 read-only"));
        gallery::AddControl(ctx, e3);
        auto* changes = gallery::AddControlAs<forms::Label>(
            ctx, label("LabelChanges", {320, 14, 280, 16}, "Change: 0", 0x0000FF));

        // The digits field swallows everything but digits, the point and Backspace, and
        // types a comma as a point.
        form.On("EditDigits", forms::kKeyPress, [](forms::KeyPressArgs& k) {
            if (k.key_ascii == ',') k.key_ascii = '.';
            const bool ok = (k.key_ascii >= '0' && k.key_ascii <= '9') || k.key_ascii == '.' || k.key_ascii == 8;
            if (!ok) k.key_ascii = 0;
        });
        auto count = std::make_shared<int>(0);
        form.On("Edit1", forms::kChange, [count, changes, edit] {
            ++*count;
            if (changes && edit) changes->SetCaption("Change: " + std::to_string(*count) + "  \"" + edit->Text() + "\"");
        });

        // Labels: transparent on a coloured box, opaque, auto-sized, wrapped.
        ControlDesign back = Placed("PictureBox", "Backdrop", {12, 104, 290, 100});
        back.settings.set("BackColor", forms::OleColor(0x00C0E0FF));
        gallery::AddControl(ctx, back);
        ControlDesign t1 = label("LabelClear", {8, 6, 120, 16}, "透明标签 transparent", 0x000000);
        t1.container = "Backdrop";
        gallery::AddControl(ctx, t1);
        ControlDesign t2 = label("LabelOpaque", {8, 28, 120, 16}, "不透明 opaque", 0xFFFFFF, false);
        t2.container = "Backdrop";
        t2.settings.set("BackColor", forms::OleColor(0x00404040));
        gallery::AddControl(ctx, t2);
        ControlDesign t3 = label("LabelAuto", {8, 50, 10, 10}, "AutoSize 自动大小", 0x0000FF);
        t3.container = "Backdrop";
        t3.settings.set("AutoSize", true);
        gallery::AddControl(ctx, t3);
        ControlDesign t4 = label("LabelWrap", {150, 6, 130, 88},
                                 "Word wrap: 您当前输入的 [设定工资] 低于本地最低工资标准,请核实...", 0x008000);
        t4.container = "Backdrop";
        t4.settings.set("WordWrap", true);
        gallery::AddControl(ctx, t4);

        // A group box holding a caption, a field and its unit, as the pay page has them.
        ControlDesign g = Placed("Frame", "GroupPay", {320, 40, 286, 84});
        g.settings.set("Caption", std::string("个人相关资料 "));
        g.settings.set("Font", forms::song_font(9, 700));
        g.settings.set("BackColor", forms::OleColor(0x00FFFFFF));
        gallery::AddControl(ctx, g);
        ControlDesign gl = label("LabelWage", {8, 28, 57, 17}, "设定工资", 0xC00000);
        gl.container = "GroupPay";
        gallery::AddControl(ctx, gl);
        ControlDesign ge = Placed("EditField", "EditWage", {64, 24, 90, 22}, 3);
        ge.container = "GroupPay";
        ge.settings.set("Font", forms::tahoma_font());
        ge.settings.set("Text", std::string("3500"));
        gallery::AddControl(ctx, ge);
        ControlDesign gu = label("LabelYuan", {160, 28, 17, 17}, "元", 0);
        gu.container = "GroupPay";
        gallery::AddControl(ctx, gu);
        ControlDesign gs = label("LabelRate", {190, 20, 17, 25}, "元/时", 0);
        gs.container = "GroupPay";
        gs.settings.set("Font", forms::song_font(7.5));
        gallery::AddControl(ctx, gs);

        // The income-tax notes in a read-only text box that scrolls.
        ControlDesign tb = Placed("TextBox", "Text1", {12, 214, 440, 140});
        tb.tab_stop = false;
        tb.settings.set("Text", gallery::TaxNotes());
        gallery::AddControl(ctx, tb);

        // Pictures.
        auto* pic = gallery::AddControlAs<forms::PictureBox>(ctx, Placed("PictureBox", "Picture1", {470, 214, 60, 60}));
        if (pic) pic->SetPicture(swatch());
        auto* img = gallery::AddControlAs<forms::Image>(ctx, Placed("Image", "Image1", {546, 214, 60, 60}));
        if (img) {
            img->SetStretch(true);
            img->SetPicture(swatch());
        }

        // A timer that ticks five times, then stops.
        auto* ticks = gallery::AddControlAs<forms::Label>(ctx, label("LabelTicks", {470, 290, 140, 16}, "Timer: 0", 0));
        ControlDesign td = Placed("Timer", "Timer1", {0, 0, 0, 0});
        td.settings.set("Interval", std::int64_t(100));
        auto* timer = gallery::AddControlAs<forms::TimerControl>(ctx, td);
        auto n = std::make_shared<int>(0);
        form.On("Timer1", forms::kTimer, [n, ticks, timer] {
            if (++*n >= 5 && timer) timer->SetEnabled(false);
            if (ticks) ticks->SetCaption("Timer: " + std::to_string(*n) + " ticks");
        });

        gallery::AddControl(ctx, label("LabelHint", {12, 366, 600, 30},
                                       "Tab / Shift+Tab move between the fields; Alt+E and Alt+D jump to them. "
                                       "The wheel scrolls the notes.",
                                       0x808080));
    };
    return p;
}

}  // namespace

KES_GALLERY_PAGE(Controls);
