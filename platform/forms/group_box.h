// A group box: a frame with a caption on its top edge that holds other controls
// (kind "Frame" in designs).
#pragma once

#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/values.h"
#include "platform/gfx/font.h"

namespace kes::forms {

class GroupBox : public Control {
public:
    // Stored settings: "Caption" (""), "BackColor" (&H8000000F), "ForeColor" (&H80000012),
    // "Font" (ambient), "BorderStyle" (1: the etched frame, 0: none), "Enabled" (True).
    explicit GroupBox(const ControlSite& site);

    std::string_view Kind() const override { return "Frame"; }
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;
    bool CanFocus() const override { return false; }
    Ambient AmbientForChildren() const override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    OleColor BackColor() const { return back_color_; }
    void SetBackColor(OleColor c);
    OleColor ForeColor() const { return fore_color_; }
    void SetForeColor(OleColor c);
    const FontSpec& Font() const { return font_.request(); }
    void SetFont(const FontSpec& f);
    int BorderStyle() const { return border_style_; }
    void SetBorderStyle(int v);
    std::u32string AccessKeys() const override;

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;

private:
    std::string caption_;
    OleColor back_color_ = kColorButtonFace;
    OleColor fore_color_ = kColorButtonText;
    gfx::Font font_;
    int border_style_ = 1;
};

}  // namespace kes::forms
