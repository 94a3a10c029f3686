#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace VXM {

// Decoded R, G, B, A bytes to premultiplied B, G, R, A pixels (0xAARRGGBB values). A pixel
// equal to the mask colour after premultiplication is cleared. True when any pixel ended up
// not fully opaque: the image then needs per-pixel alpha.
bool ConvertDecodedPixels(const uint8_t* rgba, size_t pixelCount, DWORD mask, uint32_t* bgra);

// Bitmap resources carry no alpha: every pixel is made opaque, then the mask is applied.
// True when the mask removed a pixel.
bool MakeOpaqueAndMask(uint32_t* pixels, size_t pixelCount, DWORD mask);

}  // namespace VXM
