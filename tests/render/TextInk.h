#pragma once

#include <windows.h>

#include <cstdint>

#include "TestCanvas.h"

// Where text left ink on a canvas: every pixel that differs from the background.
RECT InkBounds(const TestCanvas& canvas, uint32_t background, const RECT& within);
bool HasInk(const TestCanvas& canvas, uint32_t background, const RECT& within);
// True when both canvases hold the same pixels.
bool SamePixels(const TestCanvas& a, const TestCanvas& b);
