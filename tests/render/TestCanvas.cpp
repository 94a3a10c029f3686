#include "TestCanvas.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "DibSection.h"
#include "VxLoadResource.h"

TestCanvas::TestCanvas(int width, int height, uint32_t fill)
    : width_(width),
      height_(height),
      bitmap_(VXM::CreateTopDownDib(width, height, &bits_)),
      dc_(CreateCompatibleDC(nullptr)),
      selection_(dc_.Get(), bitmap_.Get())
{
    Fill(fill);
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
