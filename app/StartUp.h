#pragma once

#include <windows.h>

#include "AppServices.h"

namespace app {

class ZentariumWnd;

// OLE, the loader's instance, the main window created, sized to the skin's minimum, centred on
// the work area and shown. The window, or null when it could not be created.
ZentariumWnd* StartUp(HINSTANCE instance, AppServices services = {});

// The entry point's work: -1 when start-up fails, else the message loop until WM_QUIT, then 0.
int RunApplication(HINSTANCE instance, AppServices services = {});

// Ends the process with that code. The start-up calls' thread is not waited for (a silent server
// holds it in WinHTTP for as long as its time limits allow): the process ends it first and only
// then tears down its DLLs and statics, which a return from the entry point would tear down
// beside it.
[[noreturn]] void ExitApplication(int exitCode);

}  // namespace app
