// A set of pixels made of rectangles: window shapes, clip areas and hit tests.
//
// Stored as horizontal bands, each a list of disjoint column spans, top to
// bottom; equal neighbouring bands are merged, so two regions covering the
// same pixels compare equal.
#pragma once

#include <vector>

#include "platform/gfx/geometry.h"

namespace kes::gfx {

class Region {
public:
    // The empty region.
    Region() = default;
    // The pixels of one rectangle (right and bottom edges excluded).
    explicit Region(Rect r);

    // A rounded rectangle with corners cut by an ellipse `ellipse_width` x
    // `ellipse_height` pixels. As with the desktop's rounded-rectangle regions,
    // the region covers left..right-2 and top..bottom-2: a shape for a w x h
    // window is made from (0, 0, w + 1, h + 1).
    static Region rounded_rect(int left, int top, int right, int bottom, int ellipse_width, int ellipse_height);

    // The pixels a rounded rectangle drawing covers: left..right-1 and
    // top..bottom-1, corners cut by the same ellipse rule as rounded_rect.
    static Region rounded_shape(Rect r, int ellipse_width, int ellipse_height);

    bool is_empty() const { return bands_.empty(); }
    // The smallest rectangle holding every pixel; empty for an empty region.
    Rect bounds() const;
    bool contains(Point p) const;
    bool intersects(Rect r) const;

    Region united(const Region& other) const;
    Region intersected(const Region& other) const;
    Region subtracted(const Region& other) const;
    Region united(Rect r) const { return united(Region(r)); }
    Region intersected(Rect r) const { return intersected(Region(r)); }
    Region subtracted(Rect r) const { return subtracted(Region(r)); }
    Region translated(int dx, int dy) const;

    // The region as disjoint rectangles, top to bottom and left to right.
    std::vector<Rect> rects() const;

    friend bool operator==(const Region&, const Region&) = default;

private:
    struct Span {
        int x0;  // first column
        int x1;  // one past the last column
        friend bool operator==(const Span&, const Span&) = default;
    };
    struct Band {
        int y0;  // first row
        int y1;  // one past the last row
        std::vector<Span> spans;
        friend bool operator==(const Band&, const Band&) = default;
    };
    enum class Op { Union, Intersect, Subtract };

    Region combined(const Region& other, Op op) const;
    // Appends a band, merging it into the last one when they touch and agree.
    void push_band(int y0, int y1, std::vector<Span> spans);
    const Band* band_at(int y) const;

    std::vector<Band> bands_;
};

}  // namespace kes::gfx
