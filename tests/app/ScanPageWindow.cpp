#include "ScanPageWindow.h"

#include "AppNotify.h"
#include "DialogBuilderCallbackEx.h"
#include "ScanCategories.h"
#include "ScanProgress.h"
#include "VxDialogBuilder.h"
#include "WorkerMessages.h"

using namespace VXM;

namespace {

constexpr UINT_PTR kProgressTimer = 1001;
constexpr UINT kTickMilliseconds = 50;
constexpr int kSkinResourceId = 100;
constexpr UINT kHomePage = 103;
constexpr UINT kScanPage = 114;

}  // namespace

LRESULT ScanPageWindow::VxOnCreate(UINT, WPARAM, LPARAM, bool&)
{
    paintManager_.Init(GetHWND());
    app::DialogBuilderCallbackEx callback;
    VxDialogBuilder builder;
    VxControl* root = builder.Create(MAKEINTRESOURCEW(kSkinResourceId), "Main", VxDialogBuilder::kXmlResource, L"XML",
                                     &callback, &paintManager_);
    paintManager_.AttachDialog(root);
    paintManager_.AddNotifier(this);
    return 0;
}

LRESULT ScanPageWindow::VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != workers::kScanFinished)
        return VxWindowImplBase::VxHandleMessage(message, wParam, lParam);
    Drain(true);
    KillTimer(GetHWND(), kProgressTimer);
    finished = true;
    return 0;
}

LRESULT ScanPageWindow::VxOnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    handled = false;
    if (wParam == kProgressTimer)
        Drain(false);
    return 0;
}

void ScanPageWindow::StartTimer()
{
    SetTimer(GetHWND(), kProgressTimer, kTickMilliseconds, nullptr);
}

app::CheckResult* ScanPageWindow::List(int category) const
{
    VxControl* control = paintManager_.FindControl(static_cast<UINT>(scan::kScanOrder[category].list));
    return control ? static_cast<app::CheckResult*>(control->GetInterface(app::kClassCheckResult)) : nullptr;
}

app::LeftOption* ScanPageWindow::Entry(int category) const
{
    VxControl* control = paintManager_.FindControl(static_cast<UINT>(scan::kScanOrder[category].entry));
    return control ? static_cast<app::LeftOption*>(control->GetInterface(app::kClassLeftOption)) : nullptr;
}

void ScanPageWindow::ShowScanPage(int category)
{
    paintManager_.FindControl(kHomePage)->SetVisible(false);
    paintManager_.FindControl(kScanPage)->SetVisible(true);
    for (int i = 0; i < scan::kCategoryCount; ++i) {
        List(i)->SetVisible(i == category);
        Entry(i)->SetCount(0);
        Entry(i)->SetSelected(i == category);
    }
}

bool ScanPageWindow::Drain(bool all)
{
    if (!all)
        return queue.DrainFor(scan::kTickDrainBudget);
    queue.Drain();
    return true;
}

void RunLoopUntil(const bool& done)
{
    MSG message;
    while (!done && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PumpFor(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
