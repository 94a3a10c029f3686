#pragma once

#include <string>

// A 24-bit bitmap file in the temporary folder, its left `split` columns green (0xFF00FF00) and
// the rest blue (0xFF0000FF); returns its path. Removed by the caller.
std::wstring WriteTwoColourBitmap(const std::wstring& name, int width, int height, int split);
