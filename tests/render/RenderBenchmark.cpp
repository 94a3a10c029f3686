// Times DrawImageString of a cached, partly transparent 40 x 40 PNG against the bare AlphaBlend
// of the same bitmap to the same place, the call the drawing ends in. Goal: ratio at most 1.5.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "GdiHandles.h"
#include "VxLoadResource.h"
#include "VxRenderUtils.h"

namespace {

constexpr int kCalls = 10000;
constexpr int kRounds = 7;
constexpr wchar_t kImage[] = L"res='111' restype='PNG' dest='10,10,50,50'";

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

template <typename Body>
double Time(Body body)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kCalls; ++i)
        body();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain()
{
    VXM::VxLoadResource& loader = VXM::VxLoadResource::Instance();
    loader.SetResourceInstance(GetModuleHandleW(nullptr));
    VXM::VxImageInfo* image = loader.LoadImageW(111, 0, L"PNG");
    if (!image || !image->alpha || image->width != 40) {
        std::printf("the 40 x 40 test image did not load\n");
        return 1;
    }

    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -200, 1, 32, BI_RGB};
    void* bits = nullptr;
    VXM::GdiBitmap target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    VXM::MemoryDC dc(CreateCompatibleDC(nullptr));
    VXM::SelectGuard selectTarget(dc.Get(), target.Get());
    const RECT control = {0, 0, 200, 200};
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    auto* pixels = static_cast<const uint32_t*>(bits);
    const uint32_t discCentre = 0x1E90FF;  // the opaque middle of the image, at (30, 30)

    auto drawString = [&] { VXM::VxRenderUtils::DrawImageString(dc.Get(), control, control, kImage); };
    // The image's own memory DC, as the drawing uses it.
    HDC source = image->GetMemoryDC();
    auto rawRound = [&] { return Time([&] { AlphaBlend(dc.Get(), 10, 10, 40, 40, source, 0, 0, 40, 40, blend); }); };
    Time(drawString);  // warm-up: caches, GDI handle tables
    if ((pixels[30 * 200 + 30] & 0xFFFFFF) != discCentre) {
        std::printf("DrawImageString drew nothing\n");
        return 1;
    }
    std::fill(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 200 * 200, 0u);
    rawRound();
    if ((pixels[30 * 200 + 30] & 0xFFFFFF) != discCentre) {
        std::printf("AlphaBlend drew nothing\n");
        return 1;
    }

    std::vector<double> drawTimes, blendTimes;
    for (int round = 0; round < kRounds; ++round) {
        drawTimes.push_back(Time(drawString));
        blendTimes.push_back(rawRound());
    }
    const double draw = Median(drawTimes), raw = Median(blendTimes);
    std::printf("%d calls, median of %d rounds\n", kCalls, kRounds);
    std::printf("DrawImageString (cached 40 x 40 PNG): %8.2f ms  (%.2f us per call)\n", draw * 1e3, draw * 1e6 / kCalls);
    std::printf("AlphaBlend, same bitmap and place:    %8.2f ms  (%.2f us per call)\n", raw * 1e3, raw * 1e6 / kCalls);
    std::printf("ratio DrawImageString / AlphaBlend:   %8.2f  (goal: at most 1.5)\n", draw / raw);
    return 0;
}
