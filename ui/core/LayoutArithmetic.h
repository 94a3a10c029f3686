#pragma once

#include <windows.h>

#include <span>

// The placement rules of the containers as pure functions: from the area a container offers and
// its children's estimates to the children's rectangles and the size the content needs.
namespace VXM::layout {

enum LayoutKind { kOverlaid = 0, kHorizontal = 1, kVertical = 2 };

// One visible, non-floating child as the layouts see it.
struct LayoutChild {
    SIZE estimate = {};  // EstimateSize; 0 along the flow makes the child share the free space
    RECT padding = {};   // outer margins
    SIZE minSize = {};   // always applied
    SIZE maxSize = {};   // applied where positive
    UINT format = 0;     // VxFormat bits; the overlaid layout centres by them
};

// What a container offers its children.
struct LayoutArea {
    SIZE inner = {};      // size of the inner rectangle
    SIZE available = {};  // the sizes children fill: inner plus the scroll ranges the layout counts
    POINT origin = {};    // top-left of the content, the inner corner moved by the scroll positions
    int childPadding = 0;
};

// Scroll state of one bar as a layout reads it.
struct BarExtent {
    bool visible = false;
    int range = 0;
    int position = 0;
};

// The area of layout `kind` over the inner rectangle with the container's bars.
LayoutArea AreaFor(LayoutKind kind, const RECT& inner, const BarExtent& horizontal, const BarExtent& vertical,
                   int childPadding);

// Stacks the children top to bottom; fixed heights first, the free height shared by the children
// of estimated height 0, the remainder to the last of them. Returns the needed size: the largest
// estimated width and the sum of heights, paddings and child paddings.
SIZE FlowVertical(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects);

// The same side by side, with the axes exchanged.
SIZE FlowHorizontal(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects);

// Every child at the same origin, filling the available size where its estimate is 0, centred
// in the inner size by the "center" and "vcen" format bits. Returns the largest child size.
SIZE Overlay(const LayoutArea& area, std::span<const LayoutChild> children, std::span<RECT> rects);

enum class FloatKind { kFloat, kRelative, kAbsolute };

// A floating child's fixed placement, before its padding is taken off.
struct FloatPlacement {
    FloatKind kind = FloatKind::kFloat;
    SIZE fixedXY = {};
    SIZE fixedSize = {};  // 0 = reach the reference rectangle's edge
    RECT padding = {};
};

// The rectangle of a floating child: relative to `reference` (absolute ones to the window's
// client area), shrunk by the child's padding.
RECT FloatRect(const FloatPlacement& placement, const RECT& reference);

// Floating children of a vertical layout are placed in its item rectangle, of the others in the
// inner rectangle.
const RECT& FloatReference(LayoutKind kind, const RECT& item, const RECT& inner);

}  // namespace VXM::layout
