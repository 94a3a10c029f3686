// Times the text functions against the Win32 DrawTextW of the same plain text in the same
// rectangle: a typical mark-up line (goal: at most 3 times plain DrawTextW) and a wrapped
// 2,000-character Chinese paragraph (goal: at most 5 times DT_WORDBREAK). For the paragraph it
// also times the search the fit count replaces: halving while twice too wide, then one
// then one character at a time.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "GdiHandles.h"
#include "GdiLineMeasure.h"
#include "TestFonts.h"
#include "TextBreaks.h"
#include "TextSamples.h"
#include "VxRenderUtils.h"

namespace {

constexpr int kRounds = 7;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr wchar_t kMarkup[] = L"共发现 <c #F24D4D>12</c> 项问题，<b bold16>建议立即修复</b>，修复后请重新启动程序。";
constexpr wchar_t kPlain[] = L"共发现 12 项问题，建议立即修复，修复后请重新启动程序。";

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

template <typename Body>
double Time(int calls, Body body)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i)
        body();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

template <typename Body>
double Median(int calls, Body body)
{
    Time(calls, body);  // warm-up: glyph caches
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round)
        times.push_back(Time(calls, body));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, double ours, double win32, int calls, double goal)
{
    std::printf("%s\n", what);
    std::printf("  ours:   %9.2f ms  (%8.2f us per call)\n", ours * 1e3, ours * 1e6 / calls);
    std::printf("  Win32:  %9.2f ms  (%8.2f us per call)\n", win32 * 1e3, win32 * 1e6 / calls);
    std::printf("  ratio:  %9.2f  (goal: at most %.0f)\n", ours / win32, goal);
}

// The search the fit count replaces in the drawing pass: halve while more than twice too wide,
// then one character at a time.
void DrawWithHalvingSearch(HDC dc, RECT rect, std::wstring_view paragraph)
{
    VXM::GdiLineMeasure measure(dc, 0);
    const int width = rect.right - rect.left;
    while (!paragraph.empty() && rect.top < rect.bottom) {
        size_t length = paragraph.size();
        while (length > 1 && measure.Measure(paragraph.substr(0, length)).cx > 2 * width)
            length -= length / 2;
        SIZE size = measure.Measure(paragraph.substr(0, length));
        while (length > 1 && size.cx > width)
            size = measure.Measure(paragraph.substr(0, --length));
        DrawTextW(dc, paragraph.data(), static_cast<int>(length), &rect, DT_SINGLELINE);
        rect.top += size.cy;
        paragraph.remove_prefix(length);
    }
}

// Whether anything was drawn into the rectangle of the 640-pixel-wide picture since it was made white.
bool Inked(const uint32_t* pixels, const RECT& rect)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (pixels[y * 640 + x] != kWhite)
                return true;
    return false;
}

}  // namespace

int wmain()
{
    TestFonts fonts;
    VXM::VxFontInfo* normal = fonts.Add(L"normal16", kSkinFace, 16, false, false, false, true);
    fonts.Add(L"bold16", kSkinFace, 16, true, false, false, true);

    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 640, -1200, 1, 32, BI_RGB};
    void* bits = nullptr;
    VXM::GdiBitmap target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    VXM::MemoryDC dc(CreateCompatibleDC(nullptr));
    VXM::SelectGuard selectTarget(dc.Get(), target.Get());
    VXM::SelectGuard selectFont(dc.Get(), normal->font.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    HDC hdc = dc.Get();

    const RECT line = {20, 20, 620, 60};
    const RECT lastLines = {20, 700, 620, 800};
    std::fill(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 640 * 1200, kWhite);
    RECT probe = line;
    VXM::VxRenderUtils::DrawHtmlText(hdc, &fonts, probe, kMarkup, 0xFF000000, L"normal16", DT_SINGLELINE);
    RECT page = {20, 20, 620, 1180};
    VXM::VxRenderUtils::DrawTextW(hdc, &fonts, page, ChineseParagraph(2000), 0xFF000000, L"normal16", DT_WORDBREAK);
    GdiFlush();
    if (!Inked(static_cast<const uint32_t*>(bits), line) || !Inked(static_cast<const uint32_t*>(bits), lastLines)) {
        std::printf("the text functions drew nothing\n");
        return 1;
    }
    for (UINT style : {UINT{DT_SINGLELINE | DT_VCENTER}, UINT{DT_SINGLELINE}}) {
        const int calls = 2000;
        const double markup = Median(calls, [&] {
            RECT rect = line;
            VXM::VxRenderUtils::DrawHtmlText(hdc, &fonts, rect, kMarkup, 0xFF000000, L"normal16", style);
        });
        const double plain = Median(calls, [&] {
            RECT rect = line;
            DrawTextW(hdc, kPlain, -1, &rect, style);
        });
        Report(style & DT_VCENTER ? "Mark-up line, vcen singleline (DrawHtmlText / DrawTextW), 600 x 40"
                                  : "Mark-up line, singleline (DrawHtmlText / DrawTextW), 600 x 40",
               markup, plain, calls, 3);
    }

    const std::wstring paragraph = ChineseParagraph(2000);
    const RECT area = {20, 20, 620, 1180};
    const int calls = 20;
    const double wrapped = Median(calls, [&] {
        RECT rect = area;
        VXM::VxRenderUtils::DrawTextW(hdc, &fonts, rect, paragraph, 0xFF000000, L"normal16", DT_WORDBREAK);
    });
    const double wordbreak = Median(calls, [&] {
        RECT rect = area;
        DrawTextW(hdc, paragraph.c_str(), -1, &rect, DT_WORDBREAK);
    });
    Report("2,000-character Chinese paragraph (DrawTextW with DT_WORDBREAK / Win32 DT_WORDBREAK), 600 x 1160",
           wrapped, wordbreak, calls, 5);
    const double halving = Median(calls, [&] { DrawWithHalvingSearch(hdc, area, paragraph); });
    std::printf("  halving and one-at-a-time search, same lines: %9.2f ms  (%.1f times ours)\n", halving * 1e3,
                halving / wrapped);
    return 0;
}
