#include "TestCanvas.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "VxLoadResource.h"

TestCanvas::TestCanvas(int width, int height, uint32_t fill) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

TestCanvas::~TestCanvas()
{
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

uint32_t TestCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    return bits_[static_cast<size_t>(y) * width_ + x] | 0xFF000000;
}

void TestCanvas::Fill(uint32_t value)
{
    GdiFlush();
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, value);
}

int TestCanvas::CountOther(uint32_t value) const
{
    GdiFlush();
    return static_cast<int>(std::count_if(bits_, bits_ + static_cast<size_t>(width_) * height_,
                                          [=](uint32_t p) { return (p | 0xFF000000) != value; }));
}

bool TestCanvas::Covers(const RECT& rect, uint32_t value) const
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            if (inside != (Pixel(x, y) == value))
                return false;
        }
    }
    return true;
}

void ResetLoader()
{
    VXM::VxLoadResource& loader = VXM::VxLoadResource::Instance();
    loader.SetResourceInstance(GetModuleHandleW(nullptr));
    loader.SetResourcePath(std::wstring());
    loader.ClearFileResource();
    loader.ClearRCResource();
}

std::wstring MakeTempFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    RemoveTree(folder);
    std::filesystem::create_directories(std::filesystem::path(folder));
    return folder;
}

void RemoveTree(const std::wstring& folder)
{
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(folder), error);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
