#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One code point from UTF-8 at `at`, moving past it; a bad sequence gives U+FFFD for its lead.
char32_t DecodeUtf8(const unsigned char* text, size_t length, size_t& at)
{
    const unsigned char lead = text[at++];
    if (lead < 0x80)
        return lead;
    size_t extra = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, value = lead & 0x07, least = 0x10000;
    } else {
        return kReplacement;
    }
    size_t i = at;
    for (size_t n = 0; n < extra; ++n, ++i) {
        if (i >= length || (text[i] & 0xC0) != 0x80)
            return kReplacement;
        value = (value << 6) | (text[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kReplacement;
    at = i;
    return value;
}

int Emit(const std::u32string& points, wchar_t* out, int room)
{
    std::wstring units;
    for (char32_t c : points) {
        if (c >= 0x10000) {
            units.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<wchar_t>(c));
        }
    }
    if (room == 0)
        return static_cast<int>(units.size());
    if (units.size() > static_cast<size_t>(room))
        return 0;
    std::memcpy(out, units.data(), units.size() * sizeof(wchar_t));
    return static_cast<int>(units.size());
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

size_t Length(const wchar_t* text, int length)
{
    return length >= 0 ? static_cast<size_t>(length) : std::wcslen(text) + 1;
}

}  // namespace

int MultiByteToWideChar(UINT, DWORD, const char* text, int length, wchar_t* out, int room)
{
    const size_t size = length >= 0 ? static_cast<size_t>(length) : std::strlen(text) + 1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::u32string points;
    for (size_t at = 0; at < size;)
        points.push_back(DecodeUtf8(bytes, size, at));
    return Emit(points, out, room);
}

int WideCharToMultiByte(UINT codePage, DWORD, const wchar_t* text, int length, char* out, int room,
                        const char* defaultChar, BOOL* usedDefault)
{
    const size_t size = Length(text, length);
    std::string narrow;
    for (size_t i = 0; i < size; ++i) {
        char32_t c = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < size && (text[i + 1] & 0xFC00) == 0xDC00)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] & 0x3FF);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = kReplacement;
        if (codePage == CP_UTF8)
            AppendUtf8(narrow, c);
        else if (c < 0x80)
            narrow.push_back(static_cast<char>(c));
        else {
            narrow.push_back(defaultChar ? *defaultChar : '?');
            if (usedDefault)
                *usedDefault = TRUE;
        }
    }
    if (room == 0)
        return static_cast<int>(narrow.size());
    if (narrow.size() > static_cast<size_t>(room))
        return 0;
    std::memcpy(out, narrow.data(), narrow.size());
    return static_cast<int>(narrow.size());
}

int LCMapStringEx(LPCWSTR, DWORD, const wchar_t*, int, wchar_t*, int, void*, void*, intptr_t)
{
    return 0;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime)
{
    const uint64_t ticks = (uint64_t{fileTime->dwHighDateTime} << 32) | fileTime->dwLowDateTime;
    if (ticks >= 0x8000000000000000ull)
        return FALSE;
    const uint64_t seconds = ticks / 10000000;
    // Days to a civil date, counted in 400-year eras from 0000-03-01 (proleptic Gregorian).
    constexpr int64_t kDaysFrom1601To1970 = 134774;
    constexpr int64_t kDaysFromMarch0000To1970 = 719468;
    const int64_t days = static_cast<int64_t>(seconds / 86400) - kDaysFrom1601To1970 + kDaysFromMarch0000To1970;
    const int64_t era = days / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    if (year > 30827)
        return FALSE;
    const uint64_t secondOfDay = seconds % 86400;
    *systemTime = SYSTEMTIME{static_cast<WORD>(year), static_cast<WORD>(month),
                             static_cast<WORD>((seconds / 86400 + 1) % 7), static_cast<WORD>(day),
                             static_cast<WORD>(secondOfDay / 3600), static_cast<WORD>(secondOfDay / 60 % 60),
                             static_cast<WORD>(secondOfDay % 60), static_cast<WORD>(ticks / 10000 % 1000)};
    return TRUE;
}

BOOL SystemTimeToTzSpecificLocalTime(const void*, const SYSTEMTIME*, SYSTEMTIME*)
{
    return FALSE;
}

UINT GetSystemWindowsDirectoryW(wchar_t* buffer, UINT size)
{
    static constexpr wchar_t kWindows[] = L"C:\\windows";
    constexpr UINT length = _countof(kWindows) - 1;
    if (size <= length)
        return length + 1;
    std::wmemcpy(buffer, kWindows, length + 1);
    return length;
}

DWORD GetFileAttributesW(const wchar_t*)
{
    return INVALID_FILE_ATTRIBUTES;
}

BOOL CreateDirectoryW(const wchar_t*, void*)
{
    return FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    HGDIOBJ previous = dc->selected;
    dc->selected = object;
    return previous ? previous : object;
}

BOOL DeleteObject(HGDIOBJ)
{
    return TRUE;
}

BOOL DeleteDC(HDC)
{
    return TRUE;
}

BOOL DestroyIcon(HICON)
{
    return TRUE;
}

HDC GetDC(HWND)
{
    return nullptr;
}

int ReleaseDC(HWND, HDC)
{
    return 1;
}

BOOL GetCharABCWidthsW(HDC, UINT, UINT, ABC*)
{
    return FALSE;
}

BOOL CloseHandle(HANDLE)
{
    return TRUE;
}

BOOL FindClose(HANDLE)
{
    return TRUE;
}

long RegCloseKey(HKEY)
{
    return 0;
}

BOOL FreeLibrary(HMODULE)
{
    return TRUE;
}
