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

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define CP_UTF8 65001u
#define DT_SINGLELINE 0x20u
#define LCMAP_LOWERCASE 0x100u
#define LOCALE_NAME_INVARIANT L""
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
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
// The file system calls fail: the fuzzers touch no files.
DWORD GetFileAttributesW(const wchar_t* path);
BOOL CreateDirectoryW(const wchar_t* path, void* security);
