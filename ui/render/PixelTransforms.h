#pragma once

#include <windows.h>

#include <cstdint>

#include "PixelImage.h"

// The image transforms as arithmetic on premultiplied 0xAARRGGBB pixels, without GDI.
namespace VXM {

// The bottom rows mirrored, strongest (about 81 %) at the top and fading out below;
// min(destHeight, image height) rows.
PixelImage ReflectPixels(const PixelImage& image, int destHeight);

// Bilinear resampling to width x height. Neighbours outside the image count with alpha 0; for
// premultiplied images their colour is 0 as well, for opaque ones it is the edge pixel's.
PixelImage ZoomPixels(const PixelImage& image, int width, int height, bool premultiplied);

// The size of the rotated image (positive angles turn counter-clockwise on screen).
SIZE RotatedSize(int width, int height, double angle);
// Widens dest about its centre to the rotated size.
void WidenForRotation(RECT& dest, int width, int height, SIZE rotated);
// The image turned about its centre into a rotated.cx x rotated.cy picture, transparent around it.
PixelImage RotatePixels(const PixelImage& image, double angle, SIZE rotated);

// dest's size, taking image pixels at dest's position where the stencil pixel (read as
// 0xAABBGGRR) differs from the key colour; empty unless the sizes fit.
PixelImage StencilPixels(const PixelImage& image, bool imageAlpha, const PixelImage& stencil, const RECT& dest,
                         DWORD keyColor);

// The mean of every channel, as an opaque 0xFFRRGGBB colour.
uint32_t AverageColor(const PixelImage& image);
// The size the image shrinks to so that it fits width x height; unchanged when it fits already.
SIZE ShrinkToFit(int imageWidth, int imageHeight, int width, int height);
// A width x height background: the image at the top-left over the average colour, its last
// 80 columns and rows fading into that colour where it does not reach the edge.
PixelImage ComposeBackground(const PixelImage& image, bool imageAlpha, int width, int height, uint32_t average);

// One step of a translucent gradient: every channel and the alpha at step of steps, rounded,
// premultiplied for AlphaBlend.
uint32_t GradientPixel(uint32_t from, uint32_t to, int step, int steps);

}  // namespace VXM
