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

}  // namespace app
