// Pointer shapes: the desktop's stock shapes and custom images.
#pragma once

#include <memory>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace kes::ui {

/// The stock pointer shapes.
enum class CursorKind {
    Arrow,
    Hand,
    IBeam,
    Wait,
    Cross,
    SizeNS,    // north-south
    SizeWE,    // west-east
    SizeNWSE,  // north-west / south-east
    SizeNESW,  // north-east / south-west
    SizeAll,
    No,
    Custom,    // an image of the program's own
};

/// A pointer shape: a stock kind, or an image with its hot spot. Cheap to copy.
struct Cursor {
    CursorKind kind = CursorKind::Arrow;
    /// The picture of a Custom cursor (pixels with alpha 0 are see-through).
    std::shared_ptr<const gfx::Surface> image;
    /// The pixel of the image that is the pointer's point.
    gfx::Point hot_spot;

    static Cursor Stock(CursorKind k) { return Cursor{k, nullptr, {}}; }
    static Cursor FromImage(gfx::Surface picture, gfx::Point hot) {
        return Cursor{CursorKind::Custom, std::make_shared<const gfx::Surface>(std::move(picture)), hot};
    }
    friend bool operator==(const Cursor& a, const Cursor& b) {
        return a.kind == b.kind && a.image == b.image && a.hot_spot == b.hot_spot;
    }
};

}  // namespace kes::ui
