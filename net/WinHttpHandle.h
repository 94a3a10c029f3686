#pragma once

#include <UniqueHandle.h>

#include <windows.h>
#include <winhttp.h>

// Session, connection and request handles of WinHTTP (not WinINet: the two headers clash).
struct WinHttpHandleTraits {
    static HINTERNET Empty() { return nullptr; }
    static void Release(HINTERNET handle) { WinHttpCloseHandle(handle); }
};
using WinHttpHandle = UniqueHandle<WinHttpHandleTraits>;
