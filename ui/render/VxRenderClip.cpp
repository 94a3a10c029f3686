#include "VxRenderClip.h"

#include <algorithm>

#include "DibSection.h"

namespace VXM {

VxRenderClip::~VxRenderClip()
{
    if (dc_ && saved_)
        SelectClipRgn(dc_, oldRegion_.Get());
}

// The real clip region is kept, not its bounding box, so a DC without clip gets none back and a
// shaped clip keeps its shape.
void VxRenderClip::SaveClip(HDC dc, const RECT& rect)
{
    rect_ = rect;
    dc_ = dc;
    GdiRegion current(CreateRectRgn(0, 0, 0, 0));
    if (current && GetClipRgn(dc, current.Get()) == 1)
        oldRegion_ = std::move(current);
    saved_ = true;
}

void VxRenderClip::Apply(HDC dc, GdiRegion region)
{
    region_ = std::move(region);
    if (region_)
        ExtSelectClipRgn(dc, region_.Get(), RGN_AND);
}

void VxRenderClip::GenerateClip(HDC dc, const RECT& rect, VxRenderClip& clip)
{
    if (!dc)
        return;
    clip.SaveClip(dc, rect);
    clip.Apply(dc, GdiRegion(CreateRectRgnIndirect(&rect)));
}

void VxRenderClip::GenerateClip(HDC dc, const RECT& rect, SIZE round, VxRenderClip& clip)
{
    if (!dc || (round.cx == 0 && round.cy == 0))
        return;
    clip.SaveClip(dc, rect);
    int radius = std::max(round.cx, round.cy);
    GdiRegion region(CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, radius, radius));
    GdiRegion square;
    if (round.cx == 0)
        square.Reset(CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom - radius + 1));
    else if (round.cy == 0)
        square.Reset(CreateRectRgn(rect.left, rect.top + radius, rect.right, rect.bottom));
    if (region && square)
        CombineRgn(region.Get(), region.Get(), square.Get(), RGN_OR);
    clip.Apply(dc, std::move(region));
}

void VxRenderClip::GenerateClip(HDC dc, const RECT& rect, HBITMAP bitmap, DWORD keyColor, VxRenderClip& clip)
{
    if (!dc)
        return;
    clip.rect_ = rect;
    clip.dc_ = dc;
    GdiRegion region(CreateRectRgnIndirect(&rect));
    PixelImage pixels = ReadPixels(bitmap);
    for (int y = 0; region && y < pixels.height; ++y) {
        // One region per run of key pixels instead of one per pixel.
        for (int x = 0; x < pixels.width;) {
            if (pixels.At(x, y) != keyColor) {
                ++x;
                continue;
            }
            int runStart = x;
            while (x < pixels.width && pixels.At(x, y) == keyColor)
                ++x;
            GdiRegion run(CreateRectRgn(rect.left + runStart, rect.top + y, rect.left + x, rect.top + y + 1));
            if (run)
                CombineRgn(region.Get(), region.Get(), run.Get(), RGN_DIFF);
        }
    }
    clip.Apply(dc, std::move(region));
}

void VxRenderClip::UseOldClipBegin(HDC dc, const VxRenderClip& clip)
{
    SelectClipRgn(dc, clip.oldRegion_.Get());
}

void VxRenderClip::UseOldClipEnd(HDC dc, const VxRenderClip& clip)
{
    SelectClipRgn(dc, clip.oldRegion_.Get());
    if (clip.region_)
        ExtSelectClipRgn(dc, clip.region_.Get(), RGN_AND);
}

}  // namespace VXM
