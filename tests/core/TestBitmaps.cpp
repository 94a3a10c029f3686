#include "TestBitmaps.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

std::wstring WriteTwoColourBitmap(const std::wstring& name, int width, int height, int split)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* pixel = &pixels[static_cast<size_t>(y) * rowBytes + x * 3];
            pixel[0] = x < split ? 0 : static_cast<char>(0xFF);  // blue
            pixel[1] = x < split ? static_cast<char>(0xFF) : 0;  // green
        }
    }
    BITMAPFILEHEADER file = {};
    const BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 24, BI_RGB};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return path.wstring();
}
