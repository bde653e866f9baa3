#include "widgets/button/button_properties.h"

#include "platform/gfx/color.h"
#include "widgets/button/button_style.h"

namespace kes::button {
namespace {

forms::OleColor Translated(forms::OleColor c) {
  const std::int32_t t = gfx::translate_color(c);
  return t < 0 ? c : static_cast<forms::OleColor>(t);
}

}  // namespace

ButtonProperties NewButtonProperties(const forms::FontSpec& host_font) {
  ButtonProperties p;
  p.font = host_font;
  const StyleColours s = StyleDefaults(p.button_style);
  p.back_color = s.back_color;
  p.fore_color = s.fore_color;
  p.show_focus_rect = s.show_focus_rect;
  return p;
}

ButtonProperties ReadProperties(const forms::PropertyBag& bag, const forms::FontSpec& host_font) {
  ButtonProperties p;
  p.button_style = bag.read_int32("ButtonStyle", 1);
  if (!IsValidStyle(p.button_style)) p.button_style = 1;
  p.show_focus_rect = bag.read_bool("ShowFocusRect", false);
  p.font = bag.read_font("Font", host_font);
  p.back_color = bag.read_color("BackColor", Translated(forms::kColorButtonFace));
  p.enabled = bag.read_bool("Enabled", true);
  p.caption = bag.read_string("Caption", kDefaultCaption);
  p.value = bag.read_bool("Value", false);
  p.mouse_pointer = bag.read_int16("MousePointer", kPointerDefault);
  p.hand_pointer = bag.read_bool("HandPointer", false);
  p.mouse_icon = bag.read_picture("MouseIcon");
  p.picture = bag.read_picture("Picture");
  p.picture_hover = bag.read_picture("PictureHover");
  p.picture_size = bag.read_int32("PictureSize", 0);
  p.mask_color = bag.read_color("MaskColor", kDefaultMaskColor);
  p.use_mask_color = bag.read_bool("UseMaskCOlor", false);
  p.check_box_mode = bag.read_bool("CheckBoxMode", false);
  p.picture_align = bag.read_int32("PictureAlign", 1);
  p.caption_align = bag.read_int32("CaptionAlign", kAlignCenter);
  p.fore_color = bag.read_color("ForeColor", Translated(forms::kColorButtonText));
  // The toggle state only exists in toggle mode; a stray stored True is not taken.
  if (!p.check_box_mode) p.value = false;
  return p;
}

void WriteProperties(const ButtonProperties& p, forms::PropertyBag& bag) {
  bag.write_int32("ButtonStyle", p.button_style, 1);
  bag.write_bool("ShowFocusRect", p.show_focus_rect, false);
  bag.write_bool("Enabled", p.enabled, true);
  bag.set("Font", p.font);
  bag.set("BackColor", p.back_color);
  // Left out when equal to the default the read gives, so every caption reads back as written.
  bag.write_string("Caption", p.caption, kDefaultCaption);
  bag.set("ForeColor", p.fore_color);
  bag.write_bool("CheckBoxMode", p.check_box_mode, false);
  bag.write_bool("Value", p.value, false);
  bag.write_int16("MousePointer", p.mouse_pointer, kPointerDefault);
  bag.write_bool("HandPointer", p.hand_pointer, false);
  bag.write_picture("MouseIcon", p.mouse_icon);
  bag.write_picture("Picture", p.picture);
  bag.write_picture("PictureHover", p.picture_hover);
  bag.write_int32("PictureAlign", p.picture_align, 1);
  bag.write_int32("pictureSize", p.picture_size, 0);
  bag.write_bool("UseMaskCOlor", p.use_mask_color, false);
  bag.write_color("MaskColor", p.mask_color, kDefaultMaskColor);
  bag.write_int32("CaptionAlign", p.caption_align, kAlignCenter);
}

}  // namespace kes::button
