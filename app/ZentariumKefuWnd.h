#pragma once

#include <windows.h>

#include "VxWindowImplBase.h"

namespace app {

// The customer-service window ("客服反馈"): a contact picture and "在线客服", which opens the
// compiled-in customer-service page in the user's browser. Lives for one ShowModal.
class ZentariumKefuWnd : public VXM::VxWindowImplBase {
public:
    const wchar_t* GetWindowClassName() const override;
    LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(VXM::VxNotify& notify) override;
};

}  // namespace app
