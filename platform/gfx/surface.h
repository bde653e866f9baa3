// A 32-bit pixel surface: the picture a Canvas draws into and a bitmap to copy from.
//
// Pixels are 0xAARRGGBB words (the byte order SDL calls ARGB8888), one row
// after the other, `pitch` bytes apart. Drawing sets alpha to 255; a pixel with
// alpha 0 was never drawn, which lets a transparent window leave its parent's
// picture showing. A Surface either owns its pixels or views memory someone
// else owns (an SDL window surface), which must outlive it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"

namespace kes::gfx {

class Surface {
public:
    // An empty surface (0 x 0).
    Surface() = default;
    // An owned surface of the given size with every pixel set to `fill` (0: transparent black).
    Surface(int width, int height, std::uint32_t fill = 0);
    // A view of foreign pixels; `pitch` is the distance between rows in bytes.
    static Surface wrap(void* pixels, int width, int height, int pitch);

    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    ~Surface() = default;

    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    Rect rect() const { return {0, 0, width_, height_}; }
    int pitch() const { return pitch_; }
    bool is_empty() const { return width_ <= 0 || height_ <= 0; }
    // Whether the pixels belong to this object (false for a wrapped view).
    bool owns_pixels() const { return owned_; }

    std::uint32_t* scanline(int y) {
        return reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(data_) + std::ptrdiff_t(y) * pitch_);
    }
    const std::uint32_t* scanline(int y) const {
        return reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const std::uint8_t*>(data_) +
                                                      std::ptrdiff_t(y) * pitch_);
    }

    // The raw 0xAARRGGBB word at (x, y); 0 outside the surface.
    std::uint32_t raw_pixel(int x, int y) const;
    // Sets the raw word; nothing happens outside the surface.
    void set_raw_pixel(int x, int y, std::uint32_t argb);
    // The colour at (x, y) (alpha dropped); black outside the surface.
    Color pixel(int x, int y) const { return Color::from_argb(raw_pixel(x, y)); }
    void set_pixel(int x, int y, Color c) { set_raw_pixel(x, y, c.argb()); }

    // Sets every pixel to the raw word.
    void fill(std::uint32_t argb);
    // Copies the part `src_rect` of `src` to `dst` unscaled, clipped to both surfaces.
    void copy_from(const Surface& src, Rect src_rect, Point dst);

    // Whether both surfaces have the same size and the same colour in every
    // pixel (alpha compared too).
    bool same_pixels(const Surface& other) const;

private:
    int width_ = 0;
    int height_ = 0;
    int pitch_ = 0;
    void* data_ = nullptr;
    bool owned_ = true;
    std::vector<std::uint32_t> storage_;
};

// A picture to copy from (check box glyphs, icons, tab pictures) is a surface too.
using Bitmap = Surface;

}  // namespace kes::gfx
