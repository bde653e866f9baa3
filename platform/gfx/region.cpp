#include "platform/gfx/region.h"

#include <algorithm>
#include <cmath>

namespace kes::gfx {

Region::Region(Rect r) {
    if (!r.is_empty()) bands_.push_back({r.y, r.bottom(), {{r.x, r.right()}}});
}

namespace {

// Columns cut off one side of a corner row, for an ellipse through the pixel
// centres of an ew x eh box; `dy` counts rows from the outer edge.
int corner_inset(int dy, int ew, int eh) {
    const double rx = (ew - 1) / 2.0, ry = (eh - 1) / 2.0;
    if (rx <= 0 || ry <= 0 || dy >= ry) return 0;
    const double ny = (dy - ry) / ry;
    const double half = rx * std::sqrt(std::max(0.0, 1.0 - ny * ny));
    return static_cast<int>(std::ceil(rx - half - 1e-9));
}

}  // namespace

Region Region::rounded_shape(Rect r, int ellipse_width, int ellipse_height) {
    Region out;
    if (r.is_empty()) return out;
    const int ew = std::clamp(ellipse_width, 0, r.width), eh = std::clamp(ellipse_height, 0, r.height);
    for (int y = r.y; y < r.bottom(); ++y) {
        const int inset = std::max(corner_inset(y - r.y, ew, eh), corner_inset(r.bottom() - 1 - y, ew, eh));
        if (r.x + inset < r.right() - inset) out.push_band(y, y + 1, {{r.x + inset, r.right() - inset}});
    }
    return out;
}

Region Region::rounded_rect(int left, int top, int right, int bottom, int ellipse_width, int ellipse_height) {
    return rounded_shape(Rect::from_edges(left, top, right - 1, bottom - 1), ellipse_width, ellipse_height);
}

Rect Region::bounds() const {
    if (bands_.empty()) return {};
    int x0 = bands_.front().spans.front().x0, x1 = bands_.front().spans.back().x1;
    for (const Band& b : bands_) {
        x0 = std::min(x0, b.spans.front().x0);
        x1 = std::max(x1, b.spans.back().x1);
    }
    return Rect::from_edges(x0, bands_.front().y0, x1, bands_.back().y1);
}

const Region::Band* Region::band_at(int y) const {
    auto it = std::upper_bound(bands_.begin(), bands_.end(), y, [](int v, const Band& b) { return v < b.y1; });
    if (it == bands_.end() || y < it->y0) return nullptr;
    return &*it;
}

bool Region::contains(Point p) const {
    const Band* b = band_at(p.y);
    if (!b) return false;
    auto it = std::upper_bound(b->spans.begin(), b->spans.end(), p.x, [](int v, const Span& s) { return v < s.x1; });
    return it != b->spans.end() && p.x >= it->x0;
}

bool Region::intersects(Rect r) const { return !intersected(r).is_empty(); }

void Region::push_band(int y0, int y1, std::vector<Span> spans) {
    if (spans.empty() || y0 >= y1) return;
    if (!bands_.empty() && bands_.back().y1 == y0 && bands_.back().spans == spans) {
        bands_.back().y1 = y1;
        return;
    }
    bands_.push_back({y0, y1, std::move(spans)});
}

Region Region::combined(const Region& other, Op op) const {
    std::vector<int> ys;
    for (const Band& b : bands_) ys.insert(ys.end(), {b.y0, b.y1});
    for (const Band& b : other.bands_) ys.insert(ys.end(), {b.y0, b.y1});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    static const std::vector<Span> kNone;
    Region out;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const Band* ba = band_at(ys[i]);
        const Band* bb = other.band_at(ys[i]);
        const std::vector<Span>& a = ba ? ba->spans : kNone;
        const std::vector<Span>& b = bb ? bb->spans : kNone;
        std::vector<int> xs;
        for (const Span& s : a) xs.insert(xs.end(), {s.x0, s.x1});
        for (const Span& s : b) xs.insert(xs.end(), {s.x0, s.x1});
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        std::vector<Span> spans;
        std::size_t ia = 0, ib = 0;
        for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
            const int x = xs[k];
            while (ia < a.size() && a[ia].x1 <= x) ++ia;
            while (ib < b.size() && b[ib].x1 <= x) ++ib;
            const bool in_a = ia < a.size() && a[ia].x0 <= x;
            const bool in_b = ib < b.size() && b[ib].x0 <= x;
            const bool in = op == Op::Union ? (in_a || in_b) : op == Op::Intersect ? (in_a && in_b) : (in_a && !in_b);
            if (!in) continue;
            if (!spans.empty() && spans.back().x1 == x)
                spans.back().x1 = xs[k + 1];
            else
                spans.push_back({x, xs[k + 1]});
        }
        out.push_band(ys[i], ys[i + 1], std::move(spans));
    }
    return out;
}

Region Region::united(const Region& other) const { return combined(other, Op::Union); }
Region Region::intersected(const Region& other) const { return combined(other, Op::Intersect); }
Region Region::subtracted(const Region& other) const { return combined(other, Op::Subtract); }

Region Region::translated(int dx, int dy) const {
    Region out = *this;
    for (Band& b : out.bands_) {
        b.y0 += dy;
        b.y1 += dy;
        for (Span& s : b.spans) s.x0 += dx, s.x1 += dx;
    }
    return out;
}

std::vector<Rect> Region::rects() const {
    std::vector<Rect> out;
    for (const Band& b : bands_)
        for (const Span& s : b.spans) out.push_back(Rect::from_edges(s.x0, b.y0, s.x1, b.y1));
    return out;
}

}  // namespace kes::gfx
