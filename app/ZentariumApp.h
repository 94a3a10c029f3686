#pragma once

#include <windows.h>

// The process-wide application object: the module instance, and OLE's end at process exit.
class ZentariumApp {
public:
    constexpr ZentariumApp() = default;
    ZentariumApp(const ZentariumApp&) = delete;
    ZentariumApp& operator=(const ZentariumApp&) = delete;
    virtual ~ZentariumApp();

    HINSTANCE instance = nullptr;  // zero until start-up stores it
};

extern ZentariumApp theApp;
