// Not a test: where each control with an id sits in the windows of Zentarium.exe, for the
// end-to-end driver that clicks them with the X pointer. Each skin window of the exe's embedded
// skin is built with the application's builder callback, put into one of its states (the pages
// the main window shows, the two report layouts), laid out at the size the application gives the
// window, and every visible control with an id is printed as
//   <window> <state> <id> <left> <top> <right> <bottom>
// in client pixels, which are window pixels: the application's windows have no frame.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "ControlIds.h"
#include "DialogBuilderCallbackEx.h"
#include "ExeModule.h"
#include "VxContainer.h"
#include "VxDialogBuilder.h"
#include "VxLoadResource.h"
#include "VxNotify.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

struct Visibility {
    UINT id;
    bool visible;
};

struct WindowState {
    const char* window;  // skin window name
    const char* label;   // as printed
    const char* state;
    SIZE size;
    std::vector<Visibility> changes;  // applied to the skin's defaults
};

// The main window's pages and the scan page after its end; the report window's two layouts at the
// sizes the main window opens them with.
const std::vector<WindowState>& States()
{
    using namespace app::main_ids;
    using app::details_ids::kDllReport;
    using app::details_ids::kListReport;
    static const std::vector<WindowState> states = {
        {"Main", "main", "home", {1100, 824}, {}},
        {"Main", "main", "scan", {1100, 824}, {{kHomePage, false}, {kScanPage, true}}},
        {"Main", "main", "scanned", {1100, 824},
         {{kHomePage, false}, {kScanPage, true}, {kScanStatus, false}, {kBackHomeButton, true},
          {kProgressRow, false}, {kSummaryRow, true}}},
        {"Main", "main", "repair", {1100, 824}, {{kHomePage, false}, {kRepairPage, true}}},
        {"Main", "main", "done", {1100, 824}, {{kHomePage, false}, {kDonePage, true}}},
        {"Details", "details", "dll", {554, 264}, {}},
        {"Details", "details", "list", {750, 600}, {{kDllReport, false}, {kListReport, true}}},
        {"Kefu", "kefu", "service", {450, 450}, {}},
    };
    return states;
}

class SilentListener : public INotify {
public:
    void Notify(VxNotify&) override {}
};

bool ShowsOnScreen(const VxControl& control)
{
    for (const VxControl* at = &control; at; at = at->GetParent()) {
        if (!at->IsVisible())
            return false;
    }
    return true;
}

void PrintTree(VxControl& control, const WindowState& state)
{
    if (control.GetID() != 0 && ShowsOnScreen(control)) {
        const RECT& pos = control.GetPos();
        std::printf("%s %s %u %ld %ld %ld %ld\n", state.label, state.state, control.GetID(), pos.left, pos.top,
                    pos.right, pos.bottom);
    }
    auto* container = static_cast<VxContainer*>(control.GetInterface(kClassContainer));
    for (int i = 0; container && i < container->GetCount(); ++i)
        PrintTree(*container->GetItemAt(i), state);
}

bool DumpState(const WindowState& state)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, state.size.cx, state.size.cy, nullptr,
                                        nullptr, nullptr, nullptr);
    bool built = false;
    {
        VxPaintManager manager;
        SilentListener listener;
        manager.Init(window);
        app::DialogBuilderCallbackEx callback;
        VxDialogBuilder builder;
        VxControl* root = builder.Create(MAKEINTRESOURCEW(app::kSkinResourceId), state.window,
                                         VxDialogBuilder::kXmlResource, L"XML", &callback, &manager);
        if (root && manager.AttachDialog(root)) {
            // Registering a listener runs Init over the tree, as in the application.
            manager.AddNotifier(&listener);
            for (const Visibility& change : state.changes) {
                if (VxControl* control = manager.FindControl(change.id))
                    control->SetVisible(change.visible);
            }
            root->SetPos(RECT{0, 0, state.size.cx, state.size.cy});
            PrintTree(*root, state);
            built = true;
        }
    }
    DestroyWindow(window);
    return built;
}

}  // namespace

int wmain()
{
    ExeModule exe;
    if (!exe.Get()) {
        std::fprintf(stderr, "Zentarium.exe is missing beside this exe\n");
        return 1;
    }
    VxLoadResource::Instance().SetResourceInstance(exe.Get());
    int failures = 0;
    for (const WindowState& state : States()) {
        if (!DumpState(state)) {
            std::fprintf(stderr, "skin window %s did not build\n", state.window);
            ++failures;
        }
    }
    VxLoadResource::Instance().SetResourceInstance(nullptr);
    return failures == 0 ? 0 : 1;
}
