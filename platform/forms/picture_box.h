// Pictures: the picture box (a window of its own with a back colour, an optional border and
// a picture at its top left, that keeps what is drawn on it and may hold controls) and the
// image (a light-weight, transparent picture, optionally stretched to its size).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/values.h"
#include "platform/gfx/surface.h"

namespace kes::gfx {
class Canvas;
}

namespace kes::forms {

// Loads the pixels of a picture reference (a PNG; a relative path is taken from the
// directory named by KESTRANE_SOURCE_DIR, else from the working directory). nullptr when
// it cannot be read or the reference is empty.
std::shared_ptr<const gfx::Surface> LoadPicture(const PictureRef& ref);

// A picture as the picture controls hold it: the reference it was loaded from (empty for
// pixels made in code) and the pixels.
struct HeldPicture {
    PictureRef ref;
    std::shared_ptr<const gfx::Surface> pixels;

    void Load(const PictureRef& r) {
        ref = r;
        pixels = LoadPicture(r);
    }
    void Take(std::shared_ptr<const gfx::Surface> p) {
        ref = {};
        pixels = std::move(p);
    }
};

class PictureBox : public Control {
public:
    // Stored settings: "Picture" (none), "BackColor" (&H8000000F), "BorderStyle" (1: a sunken
    // frame, 0: none), "AutoSize" (False), "Enabled" (True).
    explicit PictureBox(const ControlSite& site);

    std::string_view Kind() const override { return "PictureBox"; }
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;
    bool CanFocus() const override { return false; }

    const PictureRef& Picture() const { return picture_.ref; }
    void SetPicture(const PictureRef& ref);
    // A picture made in code (the reference is then empty).
    void SetPicture(std::shared_ptr<const gfx::Surface> pixels);
    const gfx::Surface* Pixels() const { return picture_.pixels.get(); }
    OleColor BackColor() const { return back_color_; }
    void SetBackColor(OleColor c);
    int BorderStyle() const { return border_style_; }
    void SetBorderStyle(int v);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool v);

    // Drawing of the holder's own, made after the back colour, border and picture on each
    // paint (the gallery's pages draw this way). Coordinates are the box's pixels.
    void SetPainter(std::function<void(gfx::Canvas&, gfx::Rect inner)> painter);
    // The area inside the border.
    gfx::Rect InnerRect() const;

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
    void OnMouseDown(const ui::MouseEvent& e) override;
    void OnMouseMove(const ui::MouseEvent& e) override { RaiseMouse(kMouseMove, e); }
    void OnMouseUp(const ui::MouseEvent& e) override;

private:
    void Fit();

    HeldPicture picture_;
    OleColor back_color_ = kColorButtonFace;
    int border_style_ = 1;
    bool auto_size_ = false;
    std::function<void(gfx::Canvas&, gfx::Rect)> painter_;
};

class Image : public Control {
public:
    // Stored settings: "Picture" (none), "Stretch" (False), "Enabled" (True).
    explicit Image(const ControlSite& site);

    std::string_view Kind() const override { return "Image"; }
    void InitProperties() override {}
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;
    bool CanFocus() const override { return false; }

    const PictureRef& Picture() const { return picture_.ref; }
    void SetPicture(const PictureRef& ref);
    void SetPicture(std::shared_ptr<const gfx::Surface> pixels);
    const gfx::Surface* Pixels() const { return picture_.pixels.get(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
    void OnMouseDown(const ui::MouseEvent& e) override;
    void OnMouseUp(const ui::MouseEvent& e) override;

private:
    void Fit();

    HeldPicture picture_;
    bool stretch_ = false;
};

}  // namespace kes::forms
