#pragma once

#include <windows.h>

#include "VxNotify.h"
#include "VxPaintManager.h"
#include "VxWindowWnd.h"

namespace VXM {

// The base of every application window: turns each window message into a call of an
// overridable handler and hands what the handler leaves unhandled to the window's paint
// manager and then to the previous window procedure. A handler receives `handled` set to true
// and clears it to let the message go on; every default handler clears it.
// The handlers are declared in the order of the framework's slot table.
class VxWindowImplBase : public VxWindowWnd, public INotify {
public:
    VxWindowImplBase() = default;
    // Unbinds a window that is still alive before the paint manager goes.
    ~VxWindowImplBase() override;

    LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Notify(VxNotify&) override {}

    virtual LRESULT VxOnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNotify(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnMouseLeave(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNcMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnNcMouseLeave(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnKeyUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnWindowPosChanged(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Message 0x2345, posted by VxPaintManager::PostNotify.
    virtual LRESULT VxOnUIMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT VxOnCopyData(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    VxPaintManager& GetPaintManager() { return paintManager_; }

protected:
    VxPaintManager paintManager_;  // the window's; lives as long as this object
};

}  // namespace VXM
