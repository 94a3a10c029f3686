#pragma once

#include <windows.h>

// The product's main window as a process outside it sees it: where its two buttons sit, which
// top-level window it is, and whether it has painted.
namespace app_test {

struct ButtonCentres {
    POINT start = {};  // "一键修复DLL错误"
    POINT close = {};  // the caption's close button
};

// Lays out the skin's main window, read from `skinModule`, at the window's size; false when the
// skin does not build or lacks a button.
bool LayOutMainButtons(HMODULE skinModule, ButtonCentres& centres);

// The main window of that process, or null.
HWND FindMainWindow(DWORD processId);

// Whether the start button's blue is on the screen at that client point of the window.
bool StartButtonOnScreen(HWND window, POINT client);

}  // namespace app_test
