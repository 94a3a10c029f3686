#include "MainWindowOnScreen.h"

#include <cwchar>

#include "GdiHandles.h"
#include "VxControl.h"
#include "VxDialogBuilder.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"

namespace app_test {

namespace {

constexpr wchar_t kMainClass[] = L"Zentarium_WND_CLASS";
constexpr SIZE kMainSize = {1100, 824};
constexpr UINT kStartScanButton = 104;
constexpr UINT kCloseButton = 101;
constexpr COLORREF kStartButtonBlue = RGB(0x0D, 0x3A, 0xFF);

POINT CentreOf(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

struct WindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    wchar_t name[64] = {};
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && GetClassNameW(window, name, 64) && wcscmp(name, kMainClass) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool LayOutMainButtons(HMODULE skinModule, ButtonCentres& centres)
{
    VXM::VxLoadResource::Instance().SetResourceInstance(skinModule);
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kMainSize.cx, kMainSize.cy, nullptr,
                                        nullptr, nullptr, nullptr);
    bool found = false;
    {
        VXM::VxPaintManager manager;
        manager.Init(window);
        VXM::VxDialogBuilder builder;
        VXM::VxControl* root = builder.Create(MAKEINTRESOURCEW(100), "Main", VXM::VxDialogBuilder::kXmlResource,
                                              L"XML", nullptr, &manager);
        if (manager.AttachDialog(root)) {
            root->SetPos(RECT{0, 0, kMainSize.cx, kMainSize.cy});
            const VXM::VxControl* start = manager.FindControl(kStartScanButton);
            const VXM::VxControl* close = manager.FindControl(kCloseButton);
            if (start && close) {
                centres = {CentreOf(start->GetPos()), CentreOf(close->GetPos())};
                found = true;
            }
        }
    }
    DestroyWindow(window);
    VXM::VxLoadResource::Instance().SetResourceInstance(nullptr);
    return found;
}

HWND FindMainWindow(DWORD processId)
{
    WindowSearch search{processId};
    EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool StartButtonOnScreen(HWND window, POINT client)
{
    RECT rect = {};
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect))
        return false;
    const VXM::ClientDC screen(nullptr);
    return GetPixel(screen.Get(), rect.left + client.x, rect.top + client.y) == kStartButtonBlue;
}

}  // namespace app_test
