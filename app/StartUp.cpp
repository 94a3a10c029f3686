#include "StartUp.h"

#include <ole2.h>

#include <string>
#include <utility>

#include "ControlIds.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"
#include "ZentariumApp.h"
#include "ZentariumWnd.h"

namespace app {

namespace {

constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

}  // namespace

ZentariumWnd* StartUp(HINSTANCE instance, AppServices services)
{
    OleInitialize(nullptr);
    theApp.instance = instance;
    VXM::VxLoadResource::Instance().SetResourceInstance(instance);
    // Owned by its window from here on: it deletes itself after the window's last message.
    auto* window = new ZentariumWnd(std::move(services));
    const std::wstring title = VXM::VxLoadResource::Instance().LoadStr(kTitleStringId);
    const HWND handle = window->VxCreate(nullptr, title.c_str(), kMainWindowStyle, 0);
    if (!handle)
        return nullptr;
    const SIZE size = window->GetPaintManager().GetMinWindow();
    SetWindowPos(handle, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    window->CenterWindow(nullptr);
    window->VxShowWindow(true, true);
    return window;
}

int RunApplication(HINSTANCE instance, AppServices services)
{
    if (!StartUp(instance, std::move(services)))
        return -1;
    VXM::VxPaintManager::MessageLoop();
    return 0;
}

void ExitApplication(int exitCode)
{
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace app
