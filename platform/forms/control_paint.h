// Drawing shared by the built-in controls: the classic sunken and etched borders and the
// parts of a vertical scroll bar.
#pragma once

#include "platform/gfx/canvas.h"
#include "platform/gfx/geometry.h"

namespace kes::forms {

// Two-pixel sunken border just inside r (edit fields, text boxes, picture boxes).
void DrawSunkenBorder(gfx::Canvas& canvas, gfx::Rect r);
// The etched line of a group box, just inside r.
void DrawEtchedFrame(gfx::Canvas& canvas, gfx::Rect r);
// A raised button face with an arrow pointing up (or down), pressed or not.
void DrawScrollArrow(gfx::Canvas& canvas, gfx::Rect r, bool up, bool pressed, bool enabled);
// The scroll bar's track (dotted in the classic look) and its raised thumb.
void DrawScrollTrack(gfx::Canvas& canvas, gfx::Rect r);
void DrawRaisedBox(gfx::Canvas& canvas, gfx::Rect r);

}  // namespace kes::forms

#include <string_view>

namespace kes::forms {

// The access key of a caption, upper-cased: the character after the first "&" that is not
// part of a doubled "&&"; 0 when there is none.
char32_t AccessKeyOf(std::string_view caption);
// Text drawn the way disabled captions are: embossed, highlight one pixel down and right.
void DrawDisabledText(gfx::Canvas& canvas, std::string_view utf8, gfx::Rect r, unsigned flags);

}  // namespace kes::forms
