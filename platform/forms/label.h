// A label: a caption drawn transparent (the container shows through) or on its own back
// colour, in one line or wrapped at its width, optionally sized to its text. An "&" marks
// the access key, which passes the focus on to the next control in tab order.
#pragma once

#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/values.h"
#include "platform/gfx/font.h"

namespace kes::forms {

class Label : public Control {
public:
    // Stored settings: "Caption" (""), "BackStyle" (0 transparent, 1 opaque; default 1),
    // "BackColor" (&H8000000F), "ForeColor" (&H80000012), "Font" (ambient), "AutoSize"
    // (False), "WordWrap" (False), "Alignment" (0 left, 1 right, 2 centre), "Enabled"
    // (True), "UseMnemonic" (True).
    explicit Label(const ControlSite& site);

    std::string_view Kind() const override { return "Label"; }
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;
    bool CanFocus() const override { return false; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    bool Transparent() const { return back_style_ == 0; }
    int BackStyle() const { return back_style_; }
    void SetBackStyle(int v);
    OleColor BackColor() const { return back_color_; }
    void SetBackColor(OleColor c);
    OleColor ForeColor() const { return fore_color_; }
    void SetForeColor(OleColor c);
    const FontSpec& Font() const { return font_.request(); }
    void SetFont(const FontSpec& f);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool v);
    int Alignment() const { return alignment_; }
    void SetAlignment(int v);
    void SetEnabled(bool v) override;

    std::u32string AccessKeys() const override;

protected:
    void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty) override;
    void OnMouseDown(const ui::MouseEvent& e) override;
    void OnMouseMove(const ui::MouseEvent& e) override;
    void OnMouseUp(const ui::MouseEvent& e) override;
    void OnDoubleClick(const ui::MouseEvent& e) override;

private:
    unsigned TextFlags() const;
    // Sizes the label to its text when AutoSize is on (wrapped at its width with WordWrap).
    void Fit();
    void Changed();

    std::string caption_;
    int back_style_ = 1;
    OleColor back_color_ = kColorButtonFace;
    OleColor fore_color_ = kColorButtonText;
    gfx::Font font_;
    bool auto_size_ = false;
    bool word_wrap_ = false;
    int alignment_ = 0;
    bool use_mnemonic_ = true;
};

}  // namespace kes::forms
