#include "ModalLoop.h"

namespace VXM {
namespace {

// The innermost modal loop of this thread; each links to the one it runs inside.
thread_local ModalLoop* innermost = nullptr;

bool IsCloseRequest(UINT message, WPARAM wParam)
{
    // The low four bits of a system command are the system's own.
    return message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
}

}  // namespace

ModalLoop::ModalLoop(HWND window, HWND owner) : window_(window), owner_(owner), outer_(innermost)
{
    innermost = this;
    if (owner_)
        EnableWindow(owner_, FALSE);
}

ModalLoop::~ModalLoop()
{
    innermost = outer_;
    ReleaseOwner();
    if (heldClose_)
        PostMessageW(heldClose_->hwnd, heldClose_->message, heldClose_->wParam, heldClose_->lParam);
}

void ModalLoop::ReleaseOwner()
{
    if (!owner_)
        return;
    EnableWindow(owner_, TRUE);
    SetFocus(owner_);
}

ModalLoop* ModalLoop::Running(HWND window)
{
    for (ModalLoop* loop = innermost; loop; loop = loop->outer_) {
        if (loop->window_ == window)
            return loop;
    }
    return nullptr;
}

bool ModalLoop::HoldOwnerClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window || !IsCloseRequest(message, wParam))
        return false;
    for (ModalLoop* loop = innermost; loop; loop = loop->outer_) {
        if (loop->owner_ != window)
            continue;
        if (!loop->heldClose_)
            loop->heldClose_ = MSG{window, message, wParam, lParam};
        // A modal window that owns a modal window of its own holds this close in turn.
        PostMessageW(loop->window_, WM_CLOSE, IDCANCEL, 0);
        return true;
    }
    return false;
}

void ModalLoop::BeforeClose(HWND window, WPARAM result)
{
    if (ModalLoop* loop = Running(window)) {
        loop->result_ = static_cast<UINT>(result);
        loop->ReleaseOwner();
    }
}

void ModalLoop::AfterClose(HWND window)
{
    ModalLoop* loop = IsWindow(window) ? Running(window) : nullptr;
    if (loop && loop->owner_)
        EnableWindow(loop->owner_, FALSE);
}

}  // namespace VXM
