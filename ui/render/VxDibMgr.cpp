#include "VxDibMgr.h"

#include <algorithm>
#include <climits>
#include <new>

namespace VXM {

bool VxDibMgr::Create(HDC dc, int width, int height)
{
    if (dc_)
        return false;
    dc_.Reset(CreateCompatibleDC(dc));
    if (!dc_ || !MakeBitmap(width, height)) {
        Clear();
        return false;
    }
    oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
    return true;
}

bool VxDibMgr::MakeBitmap(int width, int height)
{
    if (width <= 0 || height <= 0 || width > INT_MAX / 4 / height)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return false;
    bitmap_ = std::move(bitmap);
    info_ = info;
    bits_ = static_cast<uint32_t*>(bits);
    return true;
}

void VxDibMgr::Clear()
{
    if (dc_ && oldBitmap_)
        SelectObject(dc_.Get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
    bits_ = nullptr;
    info_ = {};
    backup_.reset();
}

bool VxDibMgr::Resize(int width, int height, GdiBitmap* oldBitmap)
{
    if (!dc_)
        return false;
    GdiBitmap previous = std::move(bitmap_);
    uint32_t* previousBits = bits_;
    BITMAPINFO previousInfo = info_;
    if (!MakeBitmap(width, height)) {
        bitmap_ = std::move(previous);
        bits_ = previousBits;
        info_ = previousInfo;
        return false;
    }
    SelectObject(dc_.Get(), bitmap_.Get());
    backup_.reset();
    if (oldBitmap)
        *oldBitmap = std::move(previous);
    return true;
}

void VxDibMgr::Flush(uint32_t value)
{
    if (IsValid())
        std::fill(bits_, bits_ + PixelCount(), value);
}

bool VxDibMgr::Backup()
{
    if (!IsValid())
        return false;
    if (!backup_)
        backup_.reset(new (std::nothrow) uint32_t[PixelCount()]);
    if (!backup_)
        return false;
    std::copy(bits_, bits_ + PixelCount(), backup_.get());
    return true;
}

bool VxDibMgr::Restore()
{
    if (!IsValid() || !backup_)
        return false;
    std::copy(backup_.get(), backup_.get() + PixelCount(), bits_);
    return true;
}

}  // namespace VXM
