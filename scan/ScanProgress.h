#pragma once

#include <chrono>
#include <string>

// The scan page's percentage runs on elapsed time (one tick per 50 ms), not on work done, and
// stops at 99.9 % until the scan ends.
namespace scan {

inline constexpr int kLastTick = 999;
// What one tick spends on findings at most; with its paint it stays well inside the 50 ms.
inline constexpr std::chrono::milliseconds kTickDrainBudget{8};

int NextTick(int tick);

// tick / 10, rounded to single precision as the page shows it.
float TickPercent(int tick);

// "异常扫描中（ 12.3 % ）", the status line above the lists.
std::wstring ScanStatusText(int tick);

// "扫描中（ 12.3 % ）", beside the progress bar.
std::wstring ScanProgressText(int tick);

// tick / 10 truncated, held inside the bar's range.
int ProgressBarValue(int tick, int minimum, int maximum);

}  // namespace scan
