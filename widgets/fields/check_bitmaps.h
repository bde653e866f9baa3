// The check box's glyphs as bitmaps the canvas can copy.
#pragma once

#include <memory>

#include "platform/gfx/surface.h"
#include "widgets/fields/check_glyphs.h"

namespace kes::fields {

// A 13 x 13 opaque surface of one glyph.
gfx::Surface CheckGlyphSurface(const CheckGlyph& glyph);

// Glyph `index` (0 to 11) of the sheet, built once and shared by every box.
std::shared_ptr<const gfx::Surface> CheckGlyphBitmap(int index);

}  // namespace kes::fields
