#include "platform/forms/picture_box.h"

#include <cstdlib>

#include "platform/forms/control_paint.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"
#include "platform/gfx/png.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

ui::WindowDesc picture_window() {
    ui::WindowDesc d;
    d.background = kColorButtonFace;
    return d;
}

ui::WindowDesc image_window() {
    ui::WindowDesc d;
    d.transparent = true;
    return d;
}

}  // namespace

std::shared_ptr<const gfx::Surface> LoadPicture(const PictureRef& ref) {
    if (ref.empty()) return nullptr;
    std::string path = ref.source;
    if (path.front() != '/') {
        const char* top = std::getenv("KESTRANE_SOURCE_DIR");
        if (top && *top) path = std::string(top) + "/" + path;
    }
    auto s = gfx::read_png(path);
    if (!s) return nullptr;
    return std::make_shared<const gfx::Surface>(std::move(*s));
}

// ---- picture box ----

PictureBox::PictureBox(const ControlSite& site) : Control(site, picture_window()) {}

void PictureBox::InitProperties() {}

void PictureBox::ReadProperties(const PropertyBag& bag) {
    SetBackColor(bag.read_color("BackColor", kColorButtonFace));
    border_style_ = bag.read_int16("BorderStyle", 1) == 0 ? 0 : 1;
    auto_size_ = bag.read_bool("AutoSize", false);
    Control::SetEnabled(bag.read_bool("Enabled", true));
    SetPicture(bag.read_picture("Picture"));
}

void PictureBox::WriteProperties(PropertyBag& bag) const {
    bag.write_picture("Picture", picture_.ref);
    bag.write_color("BackColor", back_color_, kColorButtonFace);
    bag.write_int16("BorderStyle", std::int16_t(border_style_), 1);
    bag.write_bool("AutoSize", auto_size_, false);
    bag.write_bool("Enabled", Enabled(), true);
}

void PictureBox::SetPicture(const PictureRef& ref) {
    picture_.Load(ref);
    Fit();
    Invalidate();
}

void PictureBox::SetPicture(std::shared_ptr<const gfx::Surface> pixels) {
    picture_.Take(std::move(pixels));
    Fit();
    Invalidate();
}

void PictureBox::SetBackColor(OleColor c) {
    back_color_ = c;
    if (hwnd()) desktop().SetBackground(hwnd(), c);
    Invalidate();
}

void PictureBox::SetBorderStyle(int v) {
    border_style_ = v == 0 ? 0 : 1;
    Fit();
    Invalidate();
}

void PictureBox::SetAutoSize(bool v) {
    auto_size_ = v;
    Fit();
}

void PictureBox::SetPainter(std::function<void(gfx::Canvas&, gfx::Rect)> painter) {
    painter_ = std::move(painter);
    Invalidate();
}

gfx::Rect PictureBox::InnerRect() const {
    gfx::Rect r = ClientRect();
    return border_style_ == 1 ? r.inflated(-2, -2) : r;
}

void PictureBox::Fit() {
    if (!auto_size_ || !picture_.pixels || !hwnd()) return;
    const int b = border_style_ == 1 ? 4 : 0;
    Move(Left(), Top(), pixels_to_twips(picture_.pixels->width() + b), pixels_to_twips(picture_.pixels->height() + b));
}

void PictureBox::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
    const gfx::Rect all = ClientRect();
    canvas.fill_rect(all, gfx::resolve_color(back_color_));
    if (border_style_ == 1) DrawSunkenBorder(canvas, all);
    const gfx::Rect inner = InnerRect();
    gfx::CanvasStateSaver saver(canvas);
    canvas.clip_rect(inner);
    if (picture_.pixels) canvas.draw_bitmap(*picture_.pixels, inner.location());
    if (painter_) {
        canvas.translate(inner.x, inner.y);
        painter_(canvas, {0, 0, inner.width, inner.height});
    }
}

void PictureBox::OnMouseDown(const ui::MouseEvent& e) {
    NotePress(e);
    RaiseMouse(kMouseDown, e);
}

void PictureBox::OnMouseUp(const ui::MouseEvent& e) {
    RaiseMouse(kMouseUp, e);
    if (ReleaseClicks(e)) Raise(kClick);
}

// ---- image ----

Image::Image(const ControlSite& site) : Control(site, image_window()) {}

void Image::ReadProperties(const PropertyBag& bag) {
    stretch_ = bag.read_bool("Stretch", false);
    Control::SetEnabled(bag.read_bool("Enabled", true));
    SetPicture(bag.read_picture("Picture"));
}

void Image::WriteProperties(PropertyBag& bag) const {
    bag.write_picture("Picture", picture_.ref);
    bag.write_bool("Stretch", stretch_, false);
    bag.write_bool("Enabled", Enabled(), true);
}

void Image::SetPicture(const PictureRef& ref) {
    picture_.Load(ref);
    Fit();
    Invalidate();
}

void Image::SetPicture(std::shared_ptr<const gfx::Surface> pixels) {
    picture_.Take(std::move(pixels));
    Fit();
    Invalidate();
}

void Image::SetStretch(bool v) {
    stretch_ = v;
    Fit();
    Invalidate();
}

void Image::Fit() {
    // Unstretched, an image takes the size of its picture.
    if (stretch_ || !picture_.pixels || !hwnd()) return;
    Move(Left(), Top(), pixels_to_twips(picture_.pixels->width()), pixels_to_twips(picture_.pixels->height()));
}

void Image::OnPaint(gfx::Canvas& canvas, gfx::Rect) {
    if (!picture_.pixels) return;
    const gfx::Rect all = ClientRect();
    if (stretch_)
        canvas.draw_bitmap(*picture_.pixels, picture_.pixels->rect(), all);
    else
        canvas.draw_bitmap(*picture_.pixels, gfx::Point{0, 0});
}

void Image::OnMouseDown(const ui::MouseEvent& e) {
    NotePress(e);
    RaiseMouse(kMouseDown, e);
}

void Image::OnMouseUp(const ui::MouseEvent& e) {
    RaiseMouse(kMouseUp, e);
    if (ReleaseClicks(e)) Raise(kClick);
}

}  // namespace kes::forms
