#pragma once

#include <windows.h>

#include "GdiHandles.h"

namespace VXM {

// One Win32 window: registers its class, creates or subclasses the window, routes every
// message to the virtual VxHandleMessage, runs modal loops and places the window on screen.
// The object is bound to its window from WM_NCCREATE to WM_NCDESTROY, after which
// OnFinalMessage runs (a heap window deletes itself there).
class VxWindowWnd {
public:
    VxWindowWnd() = default;
    VxWindowWnd(const VxWindowWnd&) = delete;
    VxWindowWnd& operator=(const VxWindowWnd&) = delete;
    virtual ~VxWindowWnd();

    virtual void VxShowWindow(bool show = true, bool takeFocus = true);
    // Posts WM_CLOSE (wParam = result) while the window exists.
    virtual void Close(UINT result = IDOK);
    virtual const wchar_t* GetWindowClassName() const = 0;
    // A system or module class to derive the window class from; null for none.
    virtual const wchar_t* GetSuperClassName() const;
    virtual UINT GetClassStyle() const;
    virtual LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND window);

    HWND GetHWND() const { return window_; }

    // Registers the class and creates the window; null on failure or when the object already
    // has a window.
    HWND VxCreate(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
                  int y = CW_USEDEFAULT, int width = CW_USEDEFAULT, int height = CW_USEDEFAULT,
                  HMENU menu = nullptr);
    HWND VxCreate(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect,
                  HMENU menu = nullptr);
    // Takes over an existing window's procedure; null when it cannot.
    HWND Subclass(HWND window);
    void Unsubclass();

    LRESULT VxSendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool VxPostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Centres on `reference`, else on the owner, else on the work area, kept inside the work
    // area.
    void CenterWindow(HWND reference = nullptr);
    // -1 keeps a dimension.
    void ResizeClient(int cx = -1, int cy = -1);
    // The icon resource `resourceId` of the resource loader's module as big and small icon.
    void VxSetIcon(UINT resourceId);
    // Shows the window, disables its owner and runs a message loop until the window is gone.
    // Returns the result given to Close, or 0. A WM_QUIT ends it and is posted again.
    UINT ShowModal();

protected:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool RegisterWindowClass();
    bool RegisterSuperclass();
    // Lets go of a window that outlives its object: later messages reach the default
    // procedure instead of a destroyed object.
    void Unbind();

    HWND window_ = nullptr;
    WNDPROC previousProc_ = DefWindowProcW;
    bool subclassed_ = false;
    IconHandle bigIcon_;
    IconHandle smallIcon_;

private:
    // The common end of both window procedures; `unbind` forgets the object's binding.
    static LRESULT Route(VxWindowWnd* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         void (*unbind)(HWND));
};

}  // namespace VXM
