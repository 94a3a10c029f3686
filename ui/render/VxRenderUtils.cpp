#include "VxRenderUtils.h"

#include "ImageAttributes.h"
#include "NinePartLayout.h"
#include "NumberText.h"
#include "PathUtils.h"
#include "VxLoadResource.h"
#include "VxRenderClip.h"

namespace VXM {

namespace {

constexpr int kMaxIconSize = 1024;

LONG Width(const RECT& rect)
{
    return rect.right - rect.left;
}

LONG Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

bool IsZero(const RECT& rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

bool Meets(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

// Making a memory DC costs several times a small blit (under Wine it is a server round trip),
// so each thread keeps one for DrawImage; every bitmap is deselected again before returning.
HDC ScratchDC()
{
    thread_local MemoryDC dc(CreateCompatibleDC(nullptr));
    return dc.Get();
}

uint32_t ResourceId(std::wstring_view name)
{
    return static_cast<uint32_t>(ParseInt(name));
}

VxImageInfo* LoadAttributedImage(const std::wstring& name, const std::wstring& resourceType, DWORD mask,
                                 bool encrypt)
{
    VxLoadResource& loader = VxLoadResource::Instance();
    if (resourceType.empty())
        return loader.LoadImageW(name, mask, encrypt);
    return loader.LoadImageW(ResourceId(name), mask, resourceType);
}

// An icon where no image could be read; registered in the cache so the next paint finds it.
VxImageInfo* LoadIconFallback(const VxImageAttributes& attributes)
{
    VxLoadResource& loader = VxLoadResource::Instance();
    const int size = attributes.iconSize > 0 ? attributes.iconSize : GetSystemMetrics(SM_CXICON);
    if (size > kMaxIconSize)
        return nullptr;
    IconHandle icon;
    if (attributes.resourceType.empty()) {
        std::wstring file = paths::StripQuotes(attributes.name);
        if (!paths::Exists(file))
            file = loader.GetResourcePath() + file;
        icon.Reset(static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
    } else {
        WORD id = static_cast<WORD>(ResourceId(attributes.name) & 0xFFFF);
        if (id != 0)
            icon.Reset(static_cast<HICON>(
                ::LoadImageW(loader.GetResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
    }
    std::unique_ptr<VxImageInfo> image = VxRenderUtils::ConvertIconToInfo(nullptr, icon.Get(), size);
    if (!image)
        return nullptr;
    VxImageInfo* result = image.get();
    if (attributes.resourceType.empty())
        loader.AddImageInfo(attributes.name, std::move(image));
    else
        loader.AddImageInfo(ResourceId(attributes.name), std::move(image));
    return result;
}

// Transforms produce transparent pixels of their own (around a rotated image, below a
// reflection), so their results always blend. False when there was nothing to draw.
bool DrawTransformed(HDC dc, GdiBitmap bitmap, const RECT& dest, const RECT& paint, const VxImageAttributes& a)
{
    BITMAP header = {};
    if (!bitmap || !GetObjectW(bitmap.Get(), sizeof(header), &header))
        return false;
    const RECT source = {0, 0, header.bmWidth, header.bmHeight};
    VxRenderUtils::DrawImage(dc, bitmap.Get(), dest, paint, source, a.corner, true, a.fade, a.hole);
    return true;
}

void BlitImage(HDC dc, HDC memory, const RECT& dest, const RECT& paint, const RECT& source, const RECT& corner,
               bool alpha, BYTE fade, bool hole)
{
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    const bool blended = alpha || fade < 255;
    if (!blended && Width(dest) == Width(source) && Height(dest) == Height(source) && IsZero(corner)) {
        RECT visible;
        if (IntersectRect(&visible, &paint, &dest)) {
            BitBlt(dc, visible.left, visible.top, Width(visible), Height(visible), memory,
                   source.left + visible.left - dest.left, source.top + visible.top - dest.top, SRCCOPY);
        }
    } else {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
        const NineParts layout = LayoutNineParts(dest, source, corner, hole);
        for (size_t i = 0; i < layout.count; ++i) {
            const RECT& d = layout.parts[i].dest;
            const RECT& s = layout.parts[i].source;
            if (Width(d) <= 0 || Height(d) <= 0 || Width(s) <= 0 || Height(s) <= 0 || !Meets(d, paint))
                continue;
            if (blended)
                AlphaBlend(dc, d.left, d.top, Width(d), Height(d), memory, s.left, s.top, Width(s), Height(s), blend);
            else
                StretchBlt(dc, d.left, d.top, Width(d), Height(d), memory, s.left, s.top, Width(s), Height(s),
                           SRCCOPY);
        }
    }
    if (oldMode)
        SetStretchBltMode(dc, oldMode);
}

bool DrawLoadedImage(HDC dc, VxImageInfo* image, RECT dest, const RECT& paint, const RECT& source,
                     const VxImageAttributes& a)
{
    if (!a.regionImage.empty()) {
        VxImageInfo* stencil = LoadAttributedImage(a.regionImage, a.regionResourceType, 0, false);
        return DrawTransformed(dc, VxRenderUtils::GetRgnBitmap(image, stencil, dest, a.regionMask), dest, paint, a);
    }
    if (a.reverse)
        return DrawTransformed(dc, VxRenderUtils::GetReverse(image, dest), dest, paint, a);
    if (a.rotate != 0.0) {
        GdiBitmap rotated = VxRenderUtils::GetRotate(image, dest, a.rotate);
        return DrawTransformed(dc, std::move(rotated), dest, paint, a);
    }
    HDC memory = image->GetMemoryDC();
    if (!memory)
        return false;
    BlitImage(dc, memory, dest, paint, source, a.corner, image->alpha, a.fade, a.hole);
    return true;
}

}  // namespace

bool VxRenderUtils::DrawImageString(HDC dc, const RECT& control, const RECT& paint, std::wstring_view image,
                                    std::wstring_view modifier)
{
    VxImageAttributes a = ParseImageAttributes(image, modifier);
    const RECT dest = ComputeImageDestination(control, a.dest, a.layout);
    VxImageInfo* info = LoadAttributedImage(a.name, a.resourceType, a.mask, a.encrypt);
    if (!info && a.icon)
        info = LoadIconFallback(a);
    if (!info)
        return false;
    if (!dc)
        return true;
    const RECT source = IsZero(a.source) ? RECT{0, 0, info->width, info->height} : a.source;
    if (a.alphaClose) {
        info->alpha = false;  // the record is shared: every later drawing of it is opaque too
        a.fade = 255;
    }
    RECT visible;
    if (!Meets(dest, control) || !IntersectRect(&visible, &dest, &paint))
        return true;
    VxRenderClip clip;
    if (a.round.cx != 0 || a.round.cy != 0)
        VxRenderClip::GenerateClip(dc, visible, a.round, clip);
    return DrawLoadedImage(dc, info, dest, paint, source, a);
}

bool VxRenderUtils::DrawImageString(HDC dc, const RECT& control, const RECT& paint, std::wstring_view image,
                                    const wchar_t* modifier)
{
    return DrawImageString(dc, control, paint, image, modifier ? std::wstring_view(modifier) : std::wstring_view());
}

void VxRenderUtils::DrawImage(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                              const RECT& corner, bool alpha, BYTE fade, bool hole)
{
    if (!dc || !bitmap)
        return;
    HDC memory = ScratchDC();
    SelectGuard select(memory, bitmap);
    if (select.Selected())
        BlitImage(dc, memory, dest, paint, source, corner, alpha, fade, hole);
}

}  // namespace VXM
