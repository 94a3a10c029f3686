#include "MainSkin.h"

#include "AppNotify.h"
#include "DialogBuilderCallbackEx.h"
#include "VxDialogBuilder.h"
#include "VxLoadResource.h"

using namespace VXM;

namespace {

constexpr int kSkinResourceId = 100;

}  // namespace

MainSkin::MainSkin()
{
    VxLoadResource::Instance().SetResourceInstance(exe_.Get());
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1100, 824, nullptr, nullptr, nullptr, nullptr);
    manager_.Init(window_);
    app::DialogBuilderCallbackEx callback;
    VxDialogBuilder builder;
    VxControl* root = builder.Create(MAKEINTRESOURCEW(kSkinResourceId), "Main", VxDialogBuilder::kXmlResource, L"XML",
                                     &callback, &manager_);
    manager_.AttachDialog(root);
    manager_.AddNotifier(this);
}

MainSkin::~MainSkin()
{
    VxLoadResource::Instance().SetResourceInstance(nullptr);
    DestroyWindow(window_);
}

app::CheckResult* MainSkin::List(UINT id) const
{
    VxControl* control = manager_.FindControl(id);
    return control ? static_cast<app::CheckResult*>(control->GetInterface(app::kClassCheckResult)) : nullptr;
}

app::LeftOption* MainSkin::Entry(UINT id) const
{
    VxControl* control = manager_.FindControl(id);
    return control ? static_cast<app::LeftOption*>(control->GetInterface(app::kClassLeftOption)) : nullptr;
}
