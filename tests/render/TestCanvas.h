#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "GdiHandles.h"

// An off-screen 32-bit top-down DIB in a memory DC: the drawing tests paint into it and read
// its colours back as opaque 0xFFRRGGBB values (GDI clears the alpha bytes it draws).
class TestCanvas {
public:
    TestCanvas(int width, int height, uint32_t fill);
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }
    uint32_t Pixel(int x, int y) const;
    void Fill(uint32_t value);
    // How many pixels differ from value.
    int CountOther(uint32_t value) const;
    // True when exactly the pixels inside rect have the value.
    bool Covers(const RECT& rect, uint32_t value) const;
    // One channel (0 blue, 1 green, 2 red) of a pixel.
    int Channel(int x, int y, int channel) const { return static_cast<int>(Pixel(x, y) >> (8 * channel) & 0xFF); }

private:
    int width_ = 0;
    int height_ = 0;
    uint32_t* bits_ = nullptr;  // set while bitmap_ is made, so declared before it
    VXM::GdiBitmap bitmap_;
    VXM::MemoryDC dc_;
    VXM::SelectGuard selection_;
};

// Loader state for a test: the test exe's own resources, no resource path, empty caches.
void ResetLoader();

// A fresh temporary folder for one test (ends with "\"), and its removal with everything in it.
std::wstring MakeTempFolder(const std::wstring& name);
void RemoveTree(const std::wstring& folder);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
