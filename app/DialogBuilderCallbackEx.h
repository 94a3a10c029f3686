#pragma once

#include "IDialogBuilderCallback.h"

namespace app {

// Makes the skin's application elements: "CheckResult" and "LeftOption" (exact names).
class DialogBuilderCallbackEx : public VXM::IDialogBuilderCallback {
public:
    VXM::VxControl* CreateCustomControl(const wchar_t* name) override;
};

}  // namespace app
