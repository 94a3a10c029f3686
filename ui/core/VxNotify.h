#pragma once

#include <windows.h>

namespace VXM {

class VxControl;

// A notification handed to every listener of a window.
struct VxNotify {
    UINT type = 0;                // VxNotifyType, or an application type (28, 29)
    VxControl* sender = nullptr;  // not owned
    DWORD timestamp = 0;          // GetTickCount at sending
    POINT mouse = {};             // the manager's last mouse position
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotify {
public:
    virtual ~INotify() = default;
    virtual void Notify(VxNotify& notify) = 0;
    // True consumes the message before the message loop translates and dispatches it.
    virtual bool PreMessageHandler(MSG*) { return false; }
};

class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};

}  // namespace VXM
