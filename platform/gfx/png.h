// Reading and writing surfaces as PNG files (screenshots, gallery pages, test pictures).
#pragma once

#include <optional>
#include <string>

#include "platform/gfx/surface.h"

namespace kes::gfx {

// Writes the surface as an 8-bit RGBA PNG. On failure returns false and, when
// `error` is given, a one-line reason.
bool write_png(const Surface& surface, const std::string& path, std::string* error = nullptr);

// Reads a PNG of any colour type into an owned surface (alpha kept). On
// failure returns nullopt and, when `error` is given, a one-line reason.
std::optional<Surface> read_png(const std::string& path, std::string* error = nullptr);

}  // namespace kes::gfx
