#pragma once

// The few Win32 types and calls the pure units use, so they build natively for the fuzzers.
// Sizes match Windows (LONG and DWORD are 32 bits) so byte layouts such as EVENTLOGRECORD agree;
// wchar_t stays 4 bytes and holds UTF-16 unit values.

#include <cstddef>
#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = int32_t;
using BOOL = int;
using WCHAR = wchar_t;
using COLORREF = DWORD;
using LPCWSTR = const wchar_t*;
using HDC = struct StandInDc*;
using HGDIOBJ = void*;
using HFONT = struct StandInFont*;
using HBITMAP = struct StandInBitmap*;
using HRGN = struct StandInRegion*;
using HPEN = struct StandInPen*;
using HBRUSH = struct StandInBrush*;
using HICON = struct StandInIcon*;
using HWND = struct StandInWindow*;
using HANDLE = void*;
using HKEY = struct StandInKey*;
using HMODULE = struct StandInModule*;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define CP_UTF8 65001u
#define DT_WORDBREAK 0x10u
#define DT_SINGLELINE 0x20u
#define DT_END_ELLIPSIS 0x8000u
#define HGDI_ERROR (reinterpret_cast<HGDIOBJ>(~uintptr_t{0}))
#define RGB(r, g, b) (static_cast<COLORREF>((r) | (g) << 8 | (b) << 16))
#define LCMAP_LOWERCASE 0x100u
#define LOCALE_NAME_INVARIANT L""
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(~uintptr_t{0}))
#define _countof(array) (sizeof(array) / sizeof((array)[0]))

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct POINT {
    LONG x;
    LONG y;
};

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
};

struct ABC {
    int abcA;
    UINT abcB;
    int abcC;
};

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

struct EVENTLOGRECORD {
    DWORD Length;
    DWORD Reserved;
    DWORD RecordNumber;
    DWORD TimeGenerated;
    DWORD TimeWritten;
    DWORD EventID;
    WORD EventType;
    WORD NumStrings;
    WORD EventCategory;
    WORD ReservedFlags;
    DWORD ClosingRecordNumber;
    DWORD StringOffset;
    DWORD UserSidLength;
    DWORD UserSidOffset;
    DWORD DataLength;
    DWORD DataOffset;
};
static_assert(sizeof(EVENTLOGRECORD) == 56);

inline BOOL IsRectEmpty(const RECT* rect)
{
    return rect->right <= rect->left || rect->bottom <= rect->top;
}

// UTF-8 <-> UTF-16 only (the units pass CP_UTF8 or, for narrow ASCII, any code page); invalid
// sequences become U+FFFD as on Windows without MB_ERR_INVALID_CHARS.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, wchar_t* out, int room);
int WideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* text, int length, char* out, int room,
                        const char* defaultChar, BOOL* usedDefault);
// Fails, so the callers' own ASCII fallback runs.
int LCMapStringEx(LPCWSTR locale, DWORD flags, const wchar_t* text, int length, wchar_t* out, int room,
                  void* version, void* reserved, intptr_t sortHandle);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
// Fails: the callers keep UTC.
BOOL SystemTimeToTzSpecificLocalTime(const void* zone, const SYSTEMTIME* utc, SYSTEMTIME* local);
UINT GetSystemWindowsDirectoryW(wchar_t* buffer, UINT size);
// GDI without a device: a DC remembers the object selected into it, the rest does nothing.
struct StandInDc {
    HGDIOBJ selected = nullptr;
};

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
BOOL DeleteDC(HDC dc);
BOOL DestroyIcon(HICON icon);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
// Handle owners compile against these; no fuzzer opens a handle.
BOOL CloseHandle(HANDLE handle);
BOOL FindClose(HANDLE handle);
long RegCloseKey(HKEY key);
BOOL FreeLibrary(HMODULE module);
// Fails: no glyph overhangs.
BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* widths);

// The file system calls fail: the fuzzers touch no files.
DWORD GetFileAttributesW(const wchar_t* path);
BOOL CreateDirectoryW(const wchar_t* path, void* security);
