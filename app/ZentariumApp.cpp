#include "ZentariumApp.h"

#include <ole2.h>

// Constant-initialised, so it exists before any code runs; destroyed after the entry point returns.
constinit ZentariumApp theApp;

ZentariumApp::~ZentariumApp()
{
    OleUninitialize();
}
