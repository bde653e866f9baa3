#pragma once
// The button's public properties as plain data, and their stored settings.

#include <cstdint>
#include <string>

#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"

namespace kes::button {

// Caption alignment and picture size classes.
inline constexpr std::int32_t kAlignLeft = 0;
inline constexpr std::int32_t kAlignCenter = 1;
inline constexpr std::int32_t kAlignRight = 2;

inline constexpr std::int16_t kPointerDefault = 0;
inline constexpr std::int16_t kPointerCustom = 99;

inline constexpr const char* kDefaultCaption = "kzbutton";
inline constexpr forms::OleColor kDefaultMaskColor = 0xE0E0E0;

struct ButtonProperties {
  std::int32_t button_style = 1;
  forms::OleColor back_color = forms::kColorButtonFace;
  forms::OleColor fore_color = forms::kColorButtonText;
  std::string caption = kDefaultCaption;
  std::int32_t caption_align = kAlignCenter;
  forms::FontSpec font;
  bool enabled = true;
  bool check_box_mode = false;
  bool value = false;
  bool show_focus_rect = false;
  bool hand_pointer = false;
  std::int16_t mouse_pointer = kPointerDefault;
  forms::PictureRef mouse_icon;
  forms::PictureRef picture;
  forms::PictureRef picture_hover;
  std::int32_t picture_align = 1;
  std::int32_t picture_size = 0;
  bool use_mask_color = false;
  forms::OleColor mask_color = kDefaultMaskColor;

  friend bool operator==(const ButtonProperties&, const ButtonProperties&) = default;
};

// A new button as the designer places it: look 1 with that look's colours.
ButtonProperties NewButtonProperties(const forms::FontSpec& host_font);

// Reads the stored settings; a missing key takes its default (the host's font, the
// translated system button colours). The look's colour table is not applied here, so
// colours a form stores are kept.
ButtonProperties ReadProperties(const forms::PropertyBag& bag, const forms::FontSpec& host_font);

// Writes the stored settings in their fixed order, leaving out values equal to their defaults.
void WriteProperties(const ButtonProperties& props, forms::PropertyBag& bag);

}  // namespace kes::button
