#pragma once

#include <UniqueHandle.h>

#include <windows.h>
#include <wininet.h>

// Session and URL handles of WinINet (not WinHTTP: the two headers clash).
struct InternetHandleTraits {
    static HINTERNET Empty() { return nullptr; }
    static void Release(HINTERNET handle) { InternetCloseHandle(handle); }
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;
