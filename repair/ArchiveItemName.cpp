#include "ArchiveItemName.h"

namespace repair {

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

// Windows drops trailing dots and blanks from a path component, so "..." or ".. " reach the
// parent folder as surely as "..".
bool IsParentLike(std::wstring_view component)
{
    size_t dots = 0;
    for (wchar_t c : component) {
        if (c == L'.')
            ++dots;
        else if (c != L' ')
            return false;
    }
    return dots >= 2;
}

wchar_t UpperAscii(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsUpper(std::wstring_view text, std::wstring_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (UpperAscii(text[i]) != upper[i])
            return false;
    }
    return true;
}

// The superscript digits ¹ ² ³ count as well: "COM¹" is a device too.
bool IsDeviceDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3';
}

// Windows opens a device for a component whose part before the first dot, without trailing
// blanks, is a device name, whatever extension follows.
bool IsDeviceName(std::wstring_view component)
{
    std::wstring_view base = component.substr(0, component.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.remove_suffix(1);
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (EqualsUpper(base, device))
            return true;
    }
    return base.size() == 4 && IsDeviceDigit(base[3]) &&
           (EqualsUpper(base.substr(0, 3), L"COM") || EqualsUpper(base.substr(0, 3), L"LPT"));
}

}  // namespace

bool IsSafeItemName(std::wstring_view name)
{
    if (name.empty() || IsSeparator(name.front()))
        return false;
    if (name.find(L':') != std::wstring_view::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end]))
            ++end;
        const std::wstring_view component = name.substr(start, end - start);
        if (IsParentLike(component) || IsDeviceName(component))
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace repair
