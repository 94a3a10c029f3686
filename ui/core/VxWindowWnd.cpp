#include "VxWindowWnd.h"

#include <utility>

#include "ModalLoop.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"
#include "WindowPlacement.h"

namespace VXM {
namespace {

// The window property that binds a superclassed window to its object (its user data belongs
// to the class it derives from).
constexpr wchar_t kObjectProperty[] = L"WndX";

HINSTANCE ModuleInstance()
{
    const HINSTANCE instance = VxLoadResource::Instance().GetResourceInstance();
    return instance ? instance : GetModuleHandleW(nullptr);
}

bool Registered(ATOM atom)
{
    return atom != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void ForgetUserData(HWND window)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

void ForgetProperty(HWND window)
{
    RemovePropW(window, kObjectProperty);
}

VxWindowWnd* CreationObject(LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    return create ? static_cast<VxWindowWnd*>(create->lpCreateParams) : nullptr;
}

IconHandle LoadIconSized(UINT resourceId, int widthMetric, int heightMetric)
{
    return IconHandle(static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                    GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                                    LR_DEFAULTCOLOR)));
}

}  // namespace

VxWindowWnd::~VxWindowWnd()
{
    Unbind();
}

void VxWindowWnd::Unbind()
{
    if (subclassed_) {
        Unsubclass();
        return;
    }
    if (!IsWindow(window_))
        return;
    ForgetUserData(window_);
    ForgetProperty(window_);
    window_ = nullptr;
}

const wchar_t* VxWindowWnd::GetSuperClassName() const
{
    return nullptr;
}

UINT VxWindowWnd::GetClassStyle() const
{
    return 0;
}

void VxWindowWnd::OnFinalMessage(HWND) {}

LRESULT VxWindowWnd::VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(previousProc_, window_, message, wParam, lParam);
}

HWND VxWindowWnd::VxCreate(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                           int height, HMENU menu)
{
    if (window_)
        return nullptr;
    const bool registered = GetSuperClassName() ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered)
        return nullptr;
    // WM_NCCREATE binds the object, so the handle is stored before CreateWindowExW returns.
    return CreateWindowExW(exStyle, GetWindowClassName(), title, style, x, y, width, height, parent, menu,
                           ModuleInstance(), this);
}

HWND VxWindowWnd::VxCreate(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect, HMENU menu)
{
    return VxCreate(parent, title, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, menu);
}

bool VxWindowWnd::RegisterWindowClass()
{
    WNDCLASSW windowClass = {};
    windowClass.style = GetClassStyle();
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = GetWindowClassName();
    return Registered(RegisterClassW(&windowClass));
}

bool VxWindowWnd::RegisterSuperclass()
{
    WNDCLASSEXW windowClass = {sizeof(windowClass)};
    if (!GetClassInfoExW(nullptr, GetSuperClassName(), &windowClass) &&
        !GetClassInfoExW(ModuleInstance(), GetSuperClassName(), &windowClass))
        return false;
    previousProc_ = windowClass.lpfnWndProc;
    windowClass.lpfnWndProc = ControlProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.lpszClassName = GetWindowClassName();
    return Registered(RegisterClassExW(&windowClass));
}

LRESULT CALLBACK VxWindowWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    VxWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = CreationObject(lParam);
        if (self) {
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<VxWindowWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    return Route(self, window, message, wParam, lParam, ForgetUserData);
}

LRESULT CALLBACK VxWindowWnd::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    VxWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = CreationObject(lParam);
        if (self) {
            self->window_ = window;
            SetPropW(window, kObjectProperty, self);
        }
    } else {
        self = static_cast<VxWindowWnd*>(GetPropW(window, kObjectProperty));
    }
    return Route(self, window, message, wParam, lParam, ForgetProperty);
}

LRESULT VxWindowWnd::Route(VxWindowWnd* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           void (*unbind)(HWND))
{
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (ModalLoop::HoldOwnerClose(window, message, wParam, lParam))
        return 0;
    if (message == WM_CLOSE) {
        ModalLoop::BeforeClose(window, wParam);
        const LRESULT result = self->VxHandleMessage(message, wParam, lParam);
        ModalLoop::AfterClose(window);
        return result;
    }
    if (message != WM_NCDESTROY)
        return self->VxHandleMessage(message, wParam, lParam);
    const LRESULT result = CallWindowProcW(self->previousProc_, window, message, wParam, lParam);
    unbind(window);
    if (self->subclassed_)
        self->Unsubclass();
    self->window_ = nullptr;
    self->OnFinalMessage(window);
    return result;
}

HWND VxWindowWnd::Subclass(HWND window)
{
    if (window_ || !IsWindow(window))
        return nullptr;
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    if (!previous)
        return nullptr;
    previousProc_ = previous;
    subclassed_ = true;
    window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window;
}

void VxWindowWnd::Unsubclass()
{
    if (!subclassed_)
        return;
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        ForgetUserData(window_);
    }
    previousProc_ = DefWindowProcW;
    subclassed_ = false;
    window_ = nullptr;
}

LRESULT VxWindowWnd::VxSendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageW(window_, message, wParam, lParam);
}

bool VxWindowWnd::VxPostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return window_ && PostMessageW(window_, message, wParam, lParam);
}

void VxWindowWnd::Close(UINT result)
{
    if (IsWindow(window_))
        PostMessageW(window_, WM_CLOSE, result, 0);
}

void VxWindowWnd::VxShowWindow(bool show, bool takeFocus)
{
    if (IsWindow(window_))
        ShowWindow(window_, show ? (takeFocus ? SW_SHOW : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void VxWindowWnd::CenterWindow(HWND reference)
{
    if (!IsWindow(window_))
        return;
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const HWND centreOn = reference ? reference : GetWindow(window_, GW_OWNER);
    RECT referenceRect = workArea;
    if (centreOn && !IsIconic(centreOn))
        GetWindowRect(centreOn, &referenceRect);
    RECT own = {};
    GetWindowRect(window_, &own);
    const POINT position = CenteredPosition(own, referenceRect, workArea);
    SetWindowPos(window_, nullptr, position.x, position.y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

void VxWindowWnd::ResizeClient(int cx, int cy)
{
    RECT rect = {};
    if (!GetClientRect(window_, &rect))
        return;
    if (cx != -1)
        rect.right = cx;
    if (cy != -1)
        rect.bottom = cy;
    const auto style = static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE));
    const bool menu = !(style & WS_CHILD) && GetMenu(window_) != nullptr;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
    SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOMOVE);
}

void VxWindowWnd::VxSetIcon(UINT resourceId)
{
    // The old icons stay alive until the window has taken the new ones.
    IconHandle big = LoadIconSized(resourceId, SM_CXICON, SM_CYICON);
    IconHandle little = LoadIconSized(resourceId, SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little.Get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(little);
}

UINT VxWindowWnd::ShowModal()
{
    if (!IsWindow(window_))
        return 0;
    const HWND window = window_;
    ShowWindow(window, SW_SHOWNORMAL);
    ModalLoop loop(window, GetWindow(window, GW_OWNER));
    MSG message = {};
    int got = 0;
    while (IsWindow(window) && (got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (message.message == WM_CLOSE && message.hwnd != window && !IsChild(window, message.hwnd))
            Close();
        if (!VxPaintManager::TranslateMessage(&message)) {
            ::TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (got == 0 && message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam));
    return loop.Result();
}

}  // namespace VXM
