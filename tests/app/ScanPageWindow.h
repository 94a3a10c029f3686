#pragma once

#include <windows.h>

#include "CheckResult.h"
#include "LeftOption.h"
#include "UpdateQueue.h"
#include "VxWindowImplBase.h"

// The main window's scan page built from the embedded skin, reduced to what draining touches: a
// real 50 ms progress timer (id 1001) whose ticks drain `queue` within the main window's budget,
// and the full drain on ScanFinished. Benchmarks derive from it to time the drains.
class ScanPageWindow : public VXM::VxWindowImplBase {
public:
    UINT GetClassStyle() const override { return CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS; }
    LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT VxOnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    void StartTimer();
    // By index into scan::kScanOrder.
    app::CheckResult* List(int category) const;
    app::LeftOption* Entry(int category) const;

    scan::UpdateQueue queue;
    bool finished = false;

protected:
    // Hides the home page, shows the scan page with every count at 0 and `category` shown.
    void ShowScanPage(int category);
    // As the main window: a tick's drain is bounded (`all` false), the one on ScanFinished is
    // not. True when nothing was left.
    virtual bool Drain(bool all);
};

// Dispatches messages until `done` is set.
void RunLoopUntil(const bool& done);
void PumpFor(DWORD milliseconds);
