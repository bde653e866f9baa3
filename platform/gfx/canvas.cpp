#include "platform/gfx/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace kes::gfx {
namespace {

// fg over bg at coverage 0..255.
Color mix(Color fg, Color bg, int alpha) {
    auto channel = [alpha](int f, int b) { return (f * alpha + b * (255 - alpha) + 127) / 255; };
    return Color::from_rgb(channel(fg.r, bg.r), channel(fg.g, bg.g), channel(fg.b, bg.b));
}

}  // namespace

Canvas::Canvas(Surface& target) : target_(&target) {
    State s;
    s.clip = Region(target.rect());
    stack_.push_back(std::move(s));
}

void Canvas::save() { stack_.push_back(stack_.back()); }

void Canvas::restore() {
    if (stack_.size() > 1) stack_.pop_back();
}

void Canvas::translate(int dx, int dy) { state().translation = state().translation.translated(dx, dy); }

void Canvas::clip_rect(Rect r) { state().clip = state().clip.intersected(r.translated(state().translation)); }

void Canvas::clip_region(const Region& r) {
    const Point t = state().translation;
    state().clip = state().clip.intersected(r.translated(t.x, t.y));
}

// --- pixels -------------------------------------------------------------

void Canvas::plot(int x, int y, Color c) {
    if (!state().clip.contains({x, y})) return;
    std::uint32_t& px = target_->scanline(y)[x];
    switch (state().mode) {
    case RasterMode::Copy: px = c.argb(); break;
    case RasterMode::Xor: px = (px ^ (c.argb() & 0x00FFFFFFu)) | 0xFF000000u; break;
    case RasterMode::Invert: px = (px ^ 0x00FFFFFFu) | 0xFF000000u; break;
    }
}

void Canvas::fill_device(Rect r, Color c) {
    const Rect clip_bounds = state().clip.bounds();
    r = r.intersected(clip_bounds);
    if (r.is_empty()) return;
    const std::uint32_t argb = c.argb();
    for (const Rect& part : state().clip.intersected(r).rects()) {
        for (int y = part.y; y < part.bottom(); ++y) {
            std::uint32_t* row = target_->scanline(y);
            switch (state().mode) {
            case RasterMode::Copy: std::fill(row + part.x, row + part.right(), argb); break;
            case RasterMode::Xor:
                for (int x = part.x; x < part.right(); ++x) row[x] = (row[x] ^ (argb & 0x00FFFFFFu)) | 0xFF000000u;
                break;
            case RasterMode::Invert:
                for (int x = part.x; x < part.right(); ++x) row[x] = (row[x] ^ 0x00FFFFFFu) | 0xFF000000u;
                break;
            }
        }
    }
}

void Canvas::set_pixel(Point p, Color c) {
    const Point t = state().translation;
    plot(p.x + t.x, p.y + t.y, c);
}

Color Canvas::pixel(Point p) const {
    const Point t = state().translation;
    return target_->pixel(p.x + t.x, p.y + t.y);
}

void Canvas::line(Point a, Point b, Color c) {
    const Point t = state().translation;
    int x = a.x + t.x, y = a.y + t.y;
    const int x1 = b.x + t.x, y1 = b.y + t.y;
    const Rect reach = state().clip.bounds();
    if (y == y1 || x == x1) {
        // Straight lines, however long, cost only what is inside the clip.
        const Rect span = y == y1 ? Rect::from_edges(std::min(x, x1 + 1), y, std::max(x, x1 - 1) + 1, y + 1)
                                  : Rect::from_edges(x, std::min(y, y1 + 1), x + 1, std::max(y, y1 - 1) + 1);
        if (x != x1 || y != y1) fill_device(span.intersected(reach), c);
        return;
    }
    if (!Rect::from_edges(std::min(x, x1), std::min(y, y1), std::max(x, x1) + 1, std::max(y, y1) + 1).intersects(reach))
        return;
    const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
    const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    int err = dx + dy;
    // Bresenham; the loop stops before the end point, which is never painted.
    while (x != x1 || y != y1) {
        plot(x, y, c);
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
}

// --- rectangles -----------------------------------------------------------

void Canvas::fill_rect(Rect r, Color c) { fill_device(r.translated(state().translation), c); }

void Canvas::outline_rect(int x, int y, int w, int h, Color c) {
    line({x, y}, {x + w, y}, c);
    line({x + w, y}, {x + w, y + h}, c);
    line({x + w, y + h}, {x, y + h}, c);
    line({x, y + h}, {x, y}, c);
}

void Canvas::frame_rect(Rect r, Color c) {
    if (r.is_empty()) return;
    // Each border pixel once, so an exclusive-or frame undoes itself.
    fill_rect({r.x, r.y, r.width, 1}, c);
    if (r.height > 1) fill_rect({r.x, r.bottom() - 1, r.width, 1}, c);
    if (r.height > 2) {
        fill_rect({r.x, r.y + 1, 1, r.height - 2}, c);
        if (r.width > 1) fill_rect({r.right() - 1, r.y + 1, 1, r.height - 2}, c);
    }
}

void Canvas::rectangle(Rect r) {
    if (r.is_empty()) return;
    if (state().brush) fill_rect(r.inflated(-1, -1), *state().brush);
    frame_rect(r, state().pen);
}

void Canvas::fill_region(const Region& region, Color c) {
    const Point t = state().translation;
    for (const Rect& part : region.translated(t.x, t.y).rects()) fill_device(part, c);
}

void Canvas::round_rect(Rect r, int ellipse_width, int ellipse_height) {
    const Region shape = Region::rounded_shape(r, ellipse_width, ellipse_height);
    if (shape.is_empty()) return;
    // The border is every pixel of the shape with a side neighbour outside it.
    const Region inside = shape.intersected(shape.translated(1, 0))
                              .intersected(shape.translated(-1, 0))
                              .intersected(shape.translated(0, 1))
                              .intersected(shape.translated(0, -1));
    if (state().brush) fill_region(inside, *state().brush);
    fill_region(shape.subtracted(inside), state().pen);
}

void Canvas::edge(Rect r, Edge kind) {
    const Color light = system_color(SystemColor::Light), highlight = system_color(SystemColor::ButtonHighlight);
    const Color shadow = system_color(SystemColor::ButtonShadow), dark = system_color(SystemColor::DarkShadow);
    // Each ring: top-left colour, bottom-right colour; outer ring first.
    struct Ring {
        Color top_left, bottom_right;
    };
    Ring rings[2];
    switch (kind) {
    case Edge::Raised: rings[0] = {light, dark}, rings[1] = {highlight, shadow}; break;
    case Edge::Sunken: rings[0] = {shadow, highlight}, rings[1] = {dark, light}; break;
    case Edge::Etched: rings[0] = {shadow, highlight}, rings[1] = {highlight, shadow}; break;
    case Edge::Bump: rings[0] = {light, dark}, rings[1] = {shadow, light}; break;
    }
    for (const Ring& ring : rings) {
        if (r.width < 1 || r.height < 1) return;
        fill_rect({r.x, r.y, r.width - 1, 1}, ring.top_left);
        fill_rect({r.x, r.y + 1, 1, r.height - 2}, ring.top_left);
        fill_rect({r.x, r.bottom() - 1, r.width, 1}, ring.bottom_right);
        fill_rect({r.right() - 1, r.y, 1, r.height - 1}, ring.bottom_right);
        r = r.inflated(-1, -1);
    }
}

void Canvas::focus_rect(Rect r) {
    if (r.is_empty()) return;
    CanvasStateSaver keep(*this);
    set_raster_mode(RasterMode::Invert);
    const Point t = state().translation;
    // Every other pixel along the border, by surface position, each once.
    auto dot = [&](int x, int y) {
        if (((x + t.x) + (y + t.y)) % 2 == 0) set_pixel({x, y}, kBlack);
    };
    for (int x = r.x; x < r.right(); ++x) {
        dot(x, r.y);
        if (r.height > 1) dot(x, r.bottom() - 1);
    }
    for (int y = r.y + 1; y < r.bottom() - 1; ++y) {
        dot(r.x, y);
        if (r.width > 1) dot(r.right() - 1, y);
    }
}

void Canvas::vertical_gradient(Rect r, Color top, Color bottom) {
    if (r.is_empty()) return;
    const int n = r.height;
    auto channel = [n](int a, int b, int i) { return n > 1 ? a + (b - a) * i / (n - 1) : a; };
    for (int i = 0; i < n; ++i) {
        const Color c = Color::from_rgb(channel(top.r, bottom.r, i), channel(top.g, bottom.g, i),
                                        channel(top.b, bottom.b, i));
        fill_rect({r.x, r.y + i, r.width, 1}, c);
    }
}

// --- bitmaps ----------------------------------------------------------------

void Canvas::draw_bitmap(const Surface& src, Rect src_rect, Rect dst, const BlitOptions& options) {
    if (src_rect.is_empty() || dst.is_empty()) return;
    const Point t = state().translation;
    const Rect device = dst.translated(t).intersected(state().clip.bounds());
    for (int y = device.y; y < device.bottom(); ++y) {
        // Nearest source pixel for the centre of each destination pixel.
        const int sy = src_rect.y + int((2LL * (y - t.y - dst.y) + 1) * src_rect.height / (2LL * dst.height));
        for (int x = device.x; x < device.right(); ++x) {
            const int sx = src_rect.x + int((2LL * (x - t.x - dst.x) + 1) * src_rect.width / (2LL * dst.width));
            if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height()) continue;
            const std::uint32_t raw = src.raw_pixel(sx, sy);
            const int alpha = int(raw >> 24);
            Color c = Color::from_argb(raw);
            if (alpha == 0 || (options.transparent_key && c == *options.transparent_key)) continue;
            if (options.disabled) {
                // Grey by luminance, lifted towards white so it reads as inactive.
                const int lum = (c.r * 30 + c.g * 59 + c.b * 11) / 100;
                const int g = 128 + lum / 2;
                c = Color::from_rgb(g, g, g);
            }
            if (alpha < 255) c = mix(c, target_->pixel(x, y), alpha);
            plot(x, y, c);
        }
    }
}

void Canvas::draw_bitmap(const Surface& src, Point p, const BlitOptions& options) {
    draw_bitmap(src, src.rect(), {p.x, p.y, src.width(), src.height()}, options);
}

// --- text ---------------------------------------------------------------------

void Canvas::draw_glyph(const Glyph& g, int x, int baseline, Color c) {
    const int x0 = x + g.left, y0 = baseline - g.top;
    const Region& clip = state().clip;
    for (int row = 0; row < g.height; ++row) {
        const int y = y0 + row;
        if (y < 0 || y >= target_->height()) continue;
        std::uint32_t* line = target_->scanline(y);
        for (int col = 0; col < g.width; ++col) {
            const int a = g.coverage[std::size_t(row) * std::size_t(g.width) + std::size_t(col)];
            const int px = x0 + col;
            if (a == 0 || !clip.contains({px, y})) continue;
            line[px] = mix(c, Color::from_argb(line[px]), a).argb();
        }
    }
}

void Canvas::draw_line_of_text(const TextLine& line, Rect clip_box, bool clip) {
    CanvasStateSaver keep(*this);
    set_raster_mode(RasterMode::Copy);
    if (clip) clip_rect(clip_box);
    const Font& f = font();
    const FontMetrics& m = f.metrics();
    if (state().text_background) fill_rect({line.origin.x, line.origin.y, line.width, m.height}, *state().text_background);
    const Point t = state().translation;
    const int baseline = line.origin.y + t.y + m.ascent;
    int x = line.origin.x + t.x;
    const Color c = state().text_color;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        const Glyph& g = f.glyph(line.text[i]);
        draw_glyph(g, x, baseline, c);
        if (int(i) == line.underline_index)
            fill_device({x, baseline + m.underline_offset, g.advance, m.underline_thickness}, c);
        x += g.advance;
    }
    const int x_start = line.origin.x + t.x;
    if (f.request().underline) fill_device({x_start, baseline + m.underline_offset, line.width, m.underline_thickness}, c);
    if (f.request().strikeout)
        fill_device({x_start, baseline - m.ascent / 3, line.width, m.underline_thickness}, c);
}

int Canvas::draw_text(std::string_view utf8, Rect r, unsigned flags) {
    const TextLayout layout = layout_text(font(), utf8, r, flags);
    if (flags & kTextCalcRect) return layout.bounds.height;
    for (const TextLine& line : layout.lines) draw_line_of_text(line, r, (flags & kTextNoClip) == 0);
    return layout.bounds.height;
}

void Canvas::draw_text(std::string_view utf8, Point p) {
    draw_text(utf8, Rect{p.x, p.y, 0, 0}, kTextSingleLine | kTextNoPrefix | kTextNoClip);
}

Rect Canvas::measure_text(std::string_view utf8, Rect r, unsigned flags) const {
    return layout_text(font(), utf8, r, flags | kTextCalcRect).bounds;
}

}  // namespace kes::gfx
