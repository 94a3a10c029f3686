#pragma once

#include <windows.h>

#include <optional>

namespace VXM {

// One running ShowModal, known to the window procedure of every framework window of the thread.
// A close request (WM_CLOSE, SC_CLOSE) for the owner of a running modal window must not be handled
// inside the nested loop: its handler may destroy the owner, and with it the objects whose frames
// are still below the loop on the stack. Such a request ends the modal window first and reaches
// the owner again, posted, once the loop has returned.
class ModalLoop {
public:
    ModalLoop(HWND window, HWND owner);  // disables the owner
    ~ModalLoop();                        // enables the owner, posts a held close request
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    // Window procedure, before the window's own handler. True when the message was a close request
    // for the owner of a running modal loop: held, and the modal window asked to close.
    static bool HoldOwnerClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Window procedure, around WM_CLOSE of a modal window, however it was sent: the owner is
    // enabled before the window goes, so that the system activates the owner and not another
    // program; disabled again when the window stays.
    static void BeforeClose(HWND window, WPARAM result);
    static void AfterClose(HWND window);

    UINT Result() const { return result_; }

private:
    static ModalLoop* Running(HWND window);
    void ReleaseOwner();

    const HWND window_;
    const HWND owner_;
    ModalLoop* outer_ = nullptr;  // not owned: the loop this one runs inside
    UINT result_ = 0;
    std::optional<MSG> heldClose_;
};

}  // namespace VXM
