#pragma once

#include <windows.h>

#include <cstdint>

#include "GdiHandles.h"
#include "PixelImage.h"
#include "VxImageInfo.h"

namespace VXM {

// A 32-bit top-down DIB section; bits receives its pixels (rows of exactly width pixels).
GdiBitmap CreateTopDownDib(int width, int height, uint32_t** bits);

// The pixels of any bitmap as 32-bit values, top row first; empty when it cannot be read.
PixelImage ReadPixels(HBITMAP bitmap);

// The pixels of an image record. Its section is top-down by contract and may be selected into
// its memory DC, so the bits are read directly.
PixelImage ReadImagePixels(const VxImageInfo* image);

// A new top-down DIB section holding the pixels.
GdiBitmap BitmapFromPixels(const PixelImage& image);

}  // namespace VXM
