#include <gtest/gtest.h>

#include "platform/gfx/region.h"
#include "tests/platform/gfx/pixels.h"

namespace kes::gfx {
namespace {

using testing::area;
using testing::PixelSet;

PixelSet pixels_of(const Region& r) {
    PixelSet out;
    for (const Rect& part : r.rects())
        for (const auto& p : area(part)) EXPECT_TRUE(out.insert(p).second) << "rectangles overlap";
    return out;
}

TEST(Region, SetOperationsAndHitTests) {
    const Region a(Rect{0, 0, 10, 10});
    const Region b(Rect{5, 5, 10, 10});

    PixelSet both = area({0, 0, 10, 10});
    for (const auto& p : area({5, 5, 10, 10})) both.insert(p);
    EXPECT_EQ(pixels_of(a.united(b)), both);
    EXPECT_EQ(a.intersected(b), Region(Rect{5, 5, 5, 5}));
    PixelSet rest = area({0, 0, 10, 10});
    for (const auto& p : area({5, 5, 5, 5})) rest.erase(p);
    EXPECT_EQ(pixels_of(a.subtracted(b)), rest);
    EXPECT_EQ(a.united(b).bounds(), (Rect{0, 0, 15, 15}));

    // The same pixels built two ways compare equal.
    EXPECT_EQ(Region(Rect{0, 0, 4, 2}).united(Rect{0, 2, 4, 2}), Region(Rect{0, 0, 4, 4}));
    EXPECT_EQ(Region(Rect{0, 0, 2, 4}).united(Rect{2, 0, 2, 4}), Region(Rect{0, 0, 4, 4}));
    EXPECT_TRUE(a.subtracted(a).is_empty());
    EXPECT_TRUE(Region(Rect{3, 3, 0, 5}).is_empty());

    const Region hole = a.subtracted(Rect{3, 3, 4, 4});
    struct Hit {
        Point p;
        bool inside;
    };
    for (const Hit& h : {Hit{{0, 0}, true}, Hit{{9, 9}, true}, Hit{{10, 5}, false}, Hit{{5, 10}, false},
                         Hit{{3, 3}, false}, Hit{{6, 6}, false}, Hit{{7, 6}, true}, Hit{{-1, 0}, false}})
        EXPECT_EQ(hole.contains(h.p), h.inside) << h.p.x << "," << h.p.y;
    EXPECT_TRUE(hole.intersects({8, 8, 5, 5}));
    EXPECT_FALSE(hole.intersects({4, 4, 2, 2}));
    EXPECT_TRUE(hole.translated(100, 50).contains({100, 50}));
    EXPECT_FALSE(hole.translated(100, 50).contains({0, 0}));
}

// A shape for a w x h window is made from (0, 0, w + 1, h + 1) and covers w x h.
TEST(Region, RoundedRectanglesCoverOnePixelLessAndCutTheCorners) {
    const int w = 30, h = 20;
    const Region plain = Region::rounded_rect(0, 0, w + 1, h + 1, 0, 0);
    EXPECT_EQ(plain, Region(Rect{0, 0, w, h}));

    const Region small = Region::rounded_rect(0, 0, w + 1, h + 1, 3, 3);
    PixelSet expected = area({0, 0, w, h});
    for (const auto& p : {std::pair{0, 0}, std::pair{w - 1, 0}, std::pair{0, h - 1}, std::pair{w - 1, h - 1}})
        expected.erase(p);
    EXPECT_EQ(pixels_of(small), expected) << "a 3 x 3 ellipse cuts just the corner pixels";

    const Region big = Region::rounded_rect(0, 0, w + 1, h + 1, 18, 18);
    EXPECT_EQ(big.bounds(), (Rect{0, 0, w, h}));
    for (Point p : {Point{1, 1}, Point{2, 2}, Point{w - 2, 1}, Point{1, h - 2}, Point{w - 3, h - 3}})
        EXPECT_FALSE(big.contains(p)) << p.x << "," << p.y;
    for (Point p : {Point{w / 2, 0}, Point{0, h / 2}, Point{w - 1, h / 2}, Point{w / 2, h - 1}, Point{5, 5}})
        EXPECT_TRUE(big.contains(p)) << p.x << "," << p.y;
    // Symmetric left to right and top to bottom.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(big.contains({x, y}), big.contains({w - 1 - x, y}));
            EXPECT_EQ(big.contains({x, y}), big.contains({x, h - 1 - y}));
        }

    // An ellipse larger than the rectangle is limited to it; the shape stays inside.
    const Region pill = Region::rounded_shape({0, 0, 10, 4}, 40, 40);
    EXPECT_FALSE(pill.is_empty());
    EXPECT_TRUE(Rect(0, 0, 10, 4).contains(pill.bounds()));
}

}  // namespace
}  // namespace kes::gfx
