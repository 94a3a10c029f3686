#pragma once

#include <windows.h>

#include "GdiHandles.h"

namespace VXM {

// A clip intersected into a DC for one drawing; the destructor puts the DC's previous clip back.
class VxRenderClip {
public:
    VxRenderClip() = default;
    VxRenderClip(const VxRenderClip&) = delete;
    VxRenderClip& operator=(const VxRenderClip&) = delete;
    ~VxRenderClip();

    static void GenerateClip(HDC dc, const RECT& rect, VxRenderClip& clip);
    // cx = 0 keeps only the bottom corners round, cy = 0 only the top ones; both 0: no clip.
    static void GenerateClip(HDC dc, const RECT& rect, SIZE round, VxRenderClip& clip);
    // The rectangle without the pixels of a 32-bit bitmap (at the rectangle's corner) that equal
    // the key colour 0xAARRGGBB. The previous clip is not saved.
    static void GenerateClip(HDC dc, const RECT& rect, HBITMAP bitmap, DWORD keyColor, VxRenderClip& clip);

    // Draw for a moment under the previous clip, then go back to the clip made here.
    static void UseOldClipBegin(HDC dc, const VxRenderClip& clip);
    static void UseOldClipEnd(HDC dc, const VxRenderClip& clip);

private:
    void SaveClip(HDC dc, const RECT& rect);
    void Apply(HDC dc, GdiRegion region);

    RECT rect_ = {};
    HDC dc_ = nullptr;  // not owned
    GdiRegion region_;
    GdiRegion oldRegion_;
    bool saved_ = false;  // a DC without clip saves no region: restoring then removes the clip
};

}  // namespace VXM
