#include "platform/gfx/surface.h"

#include <algorithm>
#include <cstring>

namespace kes::gfx {

Surface::Surface(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pitch_(width_ * 4) {
    storage_.assign(std::size_t(width_) * std::size_t(height_), fill);
    data_ = storage_.empty() ? nullptr : storage_.data();
}

Surface Surface::wrap(void* pixels, int width, int height, int pitch) {
    Surface s;
    s.width_ = std::max(width, 0);
    s.height_ = std::max(height, 0);
    s.pitch_ = pitch;
    s.data_ = pixels;
    s.owned_ = false;
    return s;
}

// A copy always owns its pixels, even when the original was a view.
Surface::Surface(const Surface& other) : width_(other.width_), height_(other.height_), pitch_(other.width_ * 4) {
    storage_.resize(std::size_t(width_) * std::size_t(height_));
    data_ = storage_.empty() ? nullptr : storage_.data();
    for (int y = 0; y < height_; ++y) std::memcpy(scanline(y), other.scanline(y), std::size_t(width_) * 4);
}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) *this = Surface(other);
    return *this;
}

Surface::Surface(Surface&& other) noexcept { *this = std::move(other); }

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this == &other) return *this;
    width_ = other.width_;
    height_ = other.height_;
    pitch_ = other.pitch_;
    owned_ = other.owned_;
    storage_ = std::move(other.storage_);
    data_ = owned_ ? (storage_.empty() ? nullptr : storage_.data()) : other.data_;
    other.width_ = other.height_ = other.pitch_ = 0;
    other.data_ = nullptr;
    other.owned_ = true;
    other.storage_.clear();
    return *this;
}

std::uint32_t Surface::raw_pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return scanline(y)[x];
}

void Surface::set_raw_pixel(int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    scanline(y)[x] = argb;
}

void Surface::fill(std::uint32_t argb) {
    for (int y = 0; y < height_; ++y) std::fill_n(scanline(y), width_, argb);
}

void Surface::copy_from(const Surface& src, Rect src_rect, Point dst) {
    Rect s = src_rect.intersected(src.rect());
    // Keep the destination in step with any part cut off the source's left or top.
    dst = dst.translated(s.x - src_rect.x, s.y - src_rect.y);
    Rect d = Rect{dst.x, dst.y, s.width, s.height}.intersected(rect());
    if (d.is_empty()) return;
    const int sx = s.x + (d.x - dst.x), sy = s.y + (d.y - dst.y);
    for (int row = 0; row < d.height; ++row)
        std::memmove(scanline(d.y + row) + d.x, src.scanline(sy + row) + sx, std::size_t(d.width) * 4);
}

bool Surface::same_pixels(const Surface& other) const {
    if (width_ != other.width_ || height_ != other.height_) return false;
    for (int y = 0; y < height_; ++y)
        if (std::memcmp(scanline(y), other.scanline(y), std::size_t(width_) * 4) != 0) return false;
    return true;
}

}  // namespace kes::gfx
