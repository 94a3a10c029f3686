#include "ScanProgress.h"

#include <algorithm>
#include <cstdio>

namespace scan {

namespace {

std::wstring FormatPercent(const wchar_t* format, int tick)
{
    wchar_t text[64] = {};
    swprintf(text, sizeof(text) / sizeof(text[0]), format, static_cast<double>(TickPercent(tick)));
    return text;
}

}  // namespace

int NextTick(int tick)
{
    return tick < kLastTick ? tick + 1 : kLastTick;
}

float TickPercent(int tick)
{
    return static_cast<float>(tick / 10.0);
}

std::wstring ScanStatusText(int tick)
{
    return FormatPercent(L"异常扫描中（ %0.1f %% ）", tick);
}

std::wstring ScanProgressText(int tick)
{
    return FormatPercent(L"扫描中（ %0.1f %% ）", tick);
}

int ProgressBarValue(int tick, int minimum, int maximum)
{
    if (maximum < minimum)
        return minimum;
    return std::clamp(tick / 10, minimum, maximum);
}

}  // namespace scan
