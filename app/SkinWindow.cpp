#include "SkinWindow.h"

#include "ControlIds.h"
#include "DialogBuilderCallbackEx.h"
#include "VxDialogBuilder.h"
#include "VxWindowImplBase.h"

namespace app {

bool BuildSkinWindow(VXM::VxWindowImplBase& window, const char* windowName)
{
    VXM::VxPaintManager& manager = window.GetPaintManager();
    manager.Init(window.GetHWND());
    VXM::VxControl* root = nullptr;
    {
        VXM::VxDialogBuilder builder;
        DialogBuilderCallbackEx callback;
        root = builder.Create(MAKEINTRESOURCEW(kSkinResourceId), windowName, VXM::VxDialogBuilder::kXmlResource,
                              L"XML", &callback, &manager);
    }
    manager.AttachDialog(root);
    manager.AddNotifier(&window);
    return root != nullptr;
}

LRESULT SkinNcActivate(HWND window, WPARAM wParam, bool& handled)
{
    if (IsIconic(window))
        handled = false;
    return wParam == 0 ? TRUE : FALSE;
}

std::wstring PngImage(int resourceId, std::wstring_view dest)
{
    std::wstring image = L"res='" + std::to_wstring(resourceId) + L"' restype='PNG'";
    if (!dest.empty())
        image.append(L" dest='").append(dest).append(L"'");
    return image;
}

}  // namespace app
