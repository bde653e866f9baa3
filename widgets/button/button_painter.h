#pragma once
// Paints one look of the button in one drawing state, and shapes its window.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/forms/values.h"
#include "widgets/button/button_model.h"

namespace kes::button {

// Everything one paint depends on.
struct PaintInputs {
  std::int32_t style = 1;
  DrawState state = DrawState::Normal;
  bool enabled = true;
  forms::OleColor back_color = forms::kColorButtonFace;
  forms::OleColor fore_color = forms::kColorButtonText;
  std::string caption;
  std::int32_t caption_align = kAlignCenter;
  bool form_active = false;
  bool show_focus_rect = false;
  bool has_focus = false;
  bool is_default = false;
  // Not owned; null for none.
  const gfx::Surface* picture = nullptr;
  const gfx::Surface* picture_hover = nullptr;
  std::int32_t picture_size = 0;
  std::int32_t picture_align = 1;
  bool use_mask_color = false;
  forms::OleColor mask_color = kDefaultMaskColor;
  // The background of the container (ambient BackColor).
  forms::OleColor container_back = forms::kColorButtonFace;
};

// The window shape of a look for a w x h button; nullopt for the plain rectangle.
std::optional<gfx::Region> ButtonShape(std::int32_t style, int w, int h);

// The pixels a look's window shows: its shape, or the whole rectangle.
gfx::Region ButtonArea(std::int32_t style, int w, int h);

// Paints the whole w x h button: face, border, caption and picture.
void PaintButton(gfx::Canvas& canvas, int w, int h, const PaintInputs& in, const gfx::Font& font);

// Where the caption's top-left corner goes before the look's offsets are applied.
gfx::Point CaptionOrigin(std::int32_t caption_align, int w, int h, gfx::Size text);

}  // namespace kes::button
