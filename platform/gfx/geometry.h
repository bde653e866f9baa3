// Integer points, sizes and rectangles in pixels.
//
// A Rect is half-open: it covers the pixels x..x+width-1 and y..y+height-1,
// the way every fill of the drawing layer excludes its right and bottom edges.
#pragma once

#include <algorithm>

namespace kes::gfx {

struct Point {
    int x = 0;
    int y = 0;

    constexpr Point translated(int dx, int dy) const { return {x + dx, y + dy}; }
    constexpr Point translated(Point d) const { return {x + d.x, y + d.y}; }
    friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
    int width = 0;
    int height = 0;

    constexpr bool is_empty() const { return width <= 0 || height <= 0; }
    friend constexpr bool operator==(Size, Size) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // From two corners, (left, top) inclusive and (right, bottom) exclusive.
    static constexpr Rect from_edges(int left, int top, int right, int bottom) {
        return {left, top, right - left, bottom - top};
    }

    constexpr int left() const { return x; }
    constexpr int top() const { return y; }
    // One past the last column / row covered.
    constexpr int right() const { return x + width; }
    constexpr int bottom() const { return y + height; }
    constexpr Point location() const { return {x, y}; }
    constexpr Size size() const { return {width, height}; }
    constexpr bool is_empty() const { return width <= 0 || height <= 0; }

    constexpr bool contains(Point p) const {
        return p.x >= x && p.x < right() && p.y >= y && p.y < bottom();
    }
    constexpr bool contains(const Rect& r) const {
        return !r.is_empty() && r.x >= x && r.y >= y && r.right() <= right() && r.bottom() <= bottom();
    }
    constexpr bool intersects(const Rect& r) const { return !intersected(r).is_empty(); }

    // The common part; an empty rectangle when there is none.
    constexpr Rect intersected(const Rect& r) const {
        const int l = std::max(x, r.x), t = std::max(y, r.y);
        const int rr = std::min(right(), r.right()), b = std::min(bottom(), r.bottom());
        if (rr <= l || b <= t) return {};
        return {l, t, rr - l, b - t};
    }
    // The smallest rectangle holding both; an empty operand is ignored.
    constexpr Rect united(const Rect& r) const {
        if (is_empty()) return r;
        if (r.is_empty()) return *this;
        return from_edges(std::min(x, r.x), std::min(y, r.y), std::max(right(), r.right()),
                          std::max(bottom(), r.bottom()));
    }
    constexpr Rect translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    constexpr Rect translated(Point d) const { return translated(d.x, d.y); }
    // Grows (or, with negative values, shrinks) each side by dx / dy.
    constexpr Rect inflated(int dx, int dy) const {
        return {x - dx, y - dy, width + 2 * dx, height + 2 * dy};
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace kes::gfx
