// Small helpers for looking at what a test drew.
#pragma once

#include <set>
#include <utility>

#include "platform/gfx/surface.h"

namespace kes::gfx::testing {

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel whose colour differs from `background`.
inline PixelSet ink(const Surface& s, Color background) {
    PixelSet out;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != background) out.insert({x, y});
    return out;
}

// The smallest rectangle holding every pixel that differs from `background`.
inline Rect ink_bounds(const Surface& s, Color background) {
    Rect r;
    for (const auto& [x, y] : ink(s, background)) r = r.united({x, y, 1, 1});
    return r;
}

// The pixels of a rectangle's area.
inline PixelSet area(Rect r) {
    PixelSet out;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) out.insert({x, y});
    return out;
}

}  // namespace kes::gfx::testing
